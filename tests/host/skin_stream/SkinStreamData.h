#pragma once
// Deterministic inputs for the packed-skin tests, benchmark and fuzz corpus: random bytes and
// a skin-like package (24-bit BMPs with gradients, flat areas and magenta, plus an ini text).
#include "skin/data/SkinWrite.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kv::testdata {

inline uint32_t NextRandom(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

inline std::vector<uint8_t> RandomBytes(uint32_t seed, size_t n, unsigned alphabet = 256) {
    std::vector<uint8_t> out(n);
    uint32_t s = seed | 1;
    for (auto& b : out) b = uint8_t(NextRandom(s) % alphabet);
    return out;
}

inline void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) out.push_back(uint8_t(v >> (8 * i)));
}

// The file and information headers of a bottom-up 24-bit BMP whose rows are `stride` bytes.
inline void PutBmp24Header(std::vector<uint8_t>& out, int w, int h, uint32_t stride) {
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 54 + stride * uint32_t(h), 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, uint32_t(w), 4);
    PutLe(out, uint32_t(h), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    for (int i = 0; i < 6; i++) PutLe(out, 0, 4);
}

// A bottom-up 24-bit BMP: a vertical gradient, a flat band, a magenta corner and a little noise.
inline std::vector<uint8_t> SkinLikeBmp(int w, int h, uint32_t seed) {
    uint32_t stride = uint32_t(w * 3 + 3) & ~3u;
    std::vector<uint8_t> out;
    PutBmp24Header(out, w, h, stride);
    uint32_t s = seed | 1;
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            uint8_t r = uint8_t(40 + y * 150 / (h ? h : 1)), g = uint8_t(80 + (seed % 50)),
                    b = uint8_t(200 - y * 100 / (h ? h : 1));
            if (x < 3 && y > h - 4) r = 255, g = 0, b = 255;                  // transparent corner
            if (x > w / 3 && x < w / 2) r = g = b = 0xF0;                     // flat band
            if (NextRandom(s) % 3 == 0) b = uint8_t(b ^ (NextRandom(s) & 7)); // dither
            out.push_back(b);
            out.push_back(g);
            out.push_back(r);
        }
        for (uint32_t p = uint32_t(w) * 3; p < stride; p++) out.push_back(0);
    }
    return out;
}

inline std::string SkinLikeIni(int images) {
    std::string ini = "[Skin]\r\nName=Test\r\n";
    for (int i = 0; i < images; i++) {
        ini += "[Object" + std::to_string(i) + "]\r\nImage=image" + std::to_string(i) +
               ".bmp\r\nLeft=4\r\nTop=4\r\nRight=4\r\nBottom=4\r\nFrame=3\r\nTile=0\r\n";
    }
    return ini;
}

// 33 images and one definition, about 380 KB unpacked, "button.bmp" three times.
inline std::vector<SkinEntry> SkinLikeEntries() {
    std::vector<SkinEntry> entries;
    for (int i = 0; i < 33; i++) {
        std::string name = i < 3 ? "button.bmp" : "image" + std::to_string(i) + ".bmp";
        int w = 40 + (i * 37) % 100, h = 20 + (i * 13) % 50;
        entries.push_back({name, SkinLikeBmp(w, h, i < 3 ? 1 : uint32_t(i))});
    }
    entries.push_back({"skin.ini", {}});
    std::string ini = SkinLikeIni(33);
    entries.back().bytes.assign(ini.begin(), ini.end());
    return entries;
}

} // namespace kv::testdata

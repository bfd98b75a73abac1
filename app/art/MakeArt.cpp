// Writes the viewer's pictures from the character art in Glyphs.h:
//   MakeArt TOOLBAR.bmp PROGRAM.ico
// The toolbar strip is an 80 x 16 24-bit BMP, transparent pixels in magenta (the image list's
// key colour); the icon holds one 16 x 16 32-bit image with its mask. The output depends only
// on Glyphs.h, so the checked-in files can be rebuilt byte for byte.
#include "app/art/Glyphs.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using kv::app::art::Glyph;

constexpr uint32_t kTransparent = 0xFF00FF; // 0xRRGGBB

uint32_t Colour(char c) {
    switch (c) {
    case 'k':
        return 0x000000;
    case 'w':
        return 0xFFFFFF;
    case 's':
        return 0xC0C0C0;
    case 'd':
        return 0x808080;
    case 'y':
        return 0xFFE060;
    case 'o':
        return 0xF0B030;
    case '0':
        return 0xA07010;
    case 'r':
        return 0xFF3030;
    case 'R':
        return 0x900000;
    case 'b':
        return 0x3070E0;
    case 'B':
        return 0x103080;
    case 'p':
        return 0xB070E0;
    case 'P':
        return 0x502080;
    default:
        return kTransparent;
    }
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t imageSize) {
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);
    Put16(out, uint16_t(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
}

std::vector<uint8_t> ToolbarBmp(const std::vector<const Glyph*>& glyphs) {
    const int width = int(glyphs.size()) * 16, height = 16;
    const uint32_t stride = uint32_t(width * 3 + 3) & ~3u;
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(out, 54 + stride * height);
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, width, height, 24, stride * height);
    for (int y = height - 1; y >= 0; --y) { // bottom-up rows
        size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            uint32_t c = Colour((*glyphs[size_t(x / 16)])[size_t(y)][x % 16]);
            out.push_back(uint8_t(c));
            out.push_back(uint8_t(c >> 8));
            out.push_back(uint8_t(c >> 16));
        }
        while (out.size() - rowStart < stride) out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> Icon(const Glyph& glyph) {
    const uint32_t xorSize = 16 * 16 * 4, andSize = 16 * 4; // AND rows padded to 32 bits
    const uint32_t imageSize = 40 + xorSize + andSize;
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1); // icon
    Put16(out, 1); // one image
    out.insert(out.end(), {16, 16, 0, 0});
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, imageSize);
    Put32(out, 22);
    PutInfoHeader(out, 16, 32, 32, xorSize + andSize);
    for (int y = 15; y >= 0; --y) {
        for (int x = 0; x < 16; ++x) {
            uint32_t c = Colour(glyph[size_t(y)][x]);
            bool clear = c == kTransparent;
            out.push_back(clear ? 0 : uint8_t(c));
            out.push_back(clear ? 0 : uint8_t(c >> 8));
            out.push_back(clear ? 0 : uint8_t(c >> 16));
            out.push_back(clear ? 0 : 0xFF);
        }
    }
    for (int y = 15; y >= 0; --y) {
        uint32_t bits = 0;
        for (int x = 0; x < 16; ++x) {
            if (Colour(glyph[size_t(y)][x]) == kTransparent) bits |= 0x8000u >> x;
        }
        out.push_back(uint8_t(bits >> 8));
        out.push_back(uint8_t(bits));
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

bool Write(const char* path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeArt TOOLBAR.bmp PROGRAM.ico\n");
        return 2;
    }
    using namespace kv::app::art;
    if (!Write(argv[1], ToolbarBmp({&kOpen, &kClose, &kShow, &kHide, &kAbout})) ||
        !Write(argv[2], Icon(kProgram))) {
        std::perror("MakeArt");
        return 1;
    }
    return 0;
}

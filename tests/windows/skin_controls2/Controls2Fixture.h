#pragma once
// What the tests of status bars, progress bars, track bars, up-downs, boxes and size grips
// share: a skinned form with such controls, a skin with art the stored one lacks (track thumbs,
// up-down buttons and glyphs, each frame one flat colour) and pixel checks.
#include "tests/windows/skin_controls/ControlFixture.h"
#include "tests/windows/skin_form/SkinFiles.h"

#include "base/Bmp.h"

#include <string>
#include <vector>

namespace kv::test {

// Frame k (1-based) of the extra strips is filled with FrameColour(base, k).
inline Pixel FrameColour(Pixel base, int k) {
    return RgbOf(base + Pixel(k) * 0x000A0A);
}
constexpr Pixel kThumbBase = 0x20A040;
constexpr Pixel kUpDownBase = 0x4060C0;
constexpr Pixel kGlyphBase = 0xC03010;

// A strip of n frames, each w x h and one flat colour.
inline std::vector<uint8_t> StripBmp(int n, int w, int h, Pixel base) {
    PixelBuffer image(n * w, h);
    for (int k = 1; k <= n; ++k)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.At((k - 1) * w + x, y) = FrameColour(base, k);
    return EncodeBmp24(image.View());
}

// The stored skin plus `sections` appended to its definition, `replace` applied first (each
// pair: text and its replacement), and the extra strips as entries.
inline std::vector<uint8_t> SkinWith(const std::string& sections,
                                     std::vector<std::pair<std::string, std::string>> replace = {},
                                     std::vector<SkinEntry> extra = {}) {
    TSkinReader reader;
    EXPECT_TRUE(reader.OpenPackage(StoredPackedSkin()));
    std::vector<SkinEntry> entries;
    for (size_t i = 0; i < reader.Count(); ++i) {
        auto entry = reader.Entry(i);
        SkinEntry e{reader.Names()[i], {entry->begin(), entry->end()}};
        if (e.name.find(".ini") != std::string::npos) {
            std::string text(e.bytes.begin(), e.bytes.end());
            for (const auto& [from, to] : replace) {
                const size_t at = text.find(from);
                if (at != std::string::npos) text.replace(at, from.size(), to);
            }
            text += "\r\n" + sections;
            e.bytes.assign(text.begin(), text.end());
        }
        entries.push_back(std::move(e));
    }
    entries.push_back({"kvthumb.bmp", StripBmp(5, 11, 21, kThumbBase)});
    entries.push_back({"kvupdown.bmp", StripBmp(8, 16, 10, kUpDownBase)});
    entries.push_back({"kvglyphs.bmp", StripBmp(8, 5, 3, kGlyphBase)});
    for (SkinEntry& e : extra) entries.push_back(std::move(e));
    std::vector<uint8_t> packed;
    std::string error;
    EXPECT_TRUE(PackSkin(entries, packed, error)) << error;
    return packed;
}

inline const char* kExtraArt = "[Trackbar.ThumbHorz]\r\nImage=kvthumb.bmp\r\n"
                               "[Trackbar.ThumbVert]\r\nImage=kvthumb.bmp\r\n"
                               "[UpDown.Vert]\r\nImage=kvupdown.bmp\r\nGlyphImage=kvglyphs.bmp\r\n"
                               "[UpDown.Horz]\r\nImage=kvupdown.bmp\r\nGlyphImage=kvglyphs.bmp\r\n";

// The stored skin with the extra art and, with `chunks`, its progress bar in chunk style.
inline std::vector<uint8_t> ArtSkin(bool chunks = false) {
    if (!chunks) return SkinWith(kExtraArt);
    // The first key of a name wins: the inserted style overrides the section's own.
    return SkinWith(kExtraArt, {{"Chunk=progress-chunk.bmp", "Style=1\r\nChunk=progress-chunk.bmp"}});
}

class Controls2 : public SkinnedControls {
protected:
    template <class T> T* Place(int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        return c;
    }

    // Loads `packed` at run time and waits until the controls were given the new skin.
    void UseSkin(const std::vector<uint8_t>& packed) {
        ASSERT_TRUE(data->LoadSkinBytes(packed));
        Pump(400);
    }

    static Pixel ScreenAt(HWND h, int x, int y) {
        RECT r = WindowRectOf(h);
        return ToPixel(ScreenPixel(r.left + x, r.top + y));
    }
};

// Pixels of `a` and `b` that differ in colour, within `area`.
inline int Differences(const PixelBuffer& a, const PixelBuffer& b, PixelRect area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (RgbOf(a.At(x, y)) != RgbOf(b.At(x, y))) ++n;
    return n;
}

} // namespace kv::test

#include "base/Bmp.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

using kv::BmpError;
using kv::DecodeBmp;

// Builds BMP files field by field so that each test can break exactly one thing.
struct BmpBuilder {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    uint32_t headerSize = 40;
    std::vector<uint32_t> masks;   // written after a 40-byte header
    std::vector<uint32_t> palette; // 0x00RRGGBB entries
    int64_t offBits = -1;          // -1: right after palette and masks
    std::vector<uint8_t> pixels;   // raw row bytes; empty: zero rows of the right size

    size_t Stride() const { return (size_t(width) * bits + 31) / 32 * 4; }

    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> out;
        auto u16 = [&](uint32_t v) { out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8)); };
        auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
        const size_t headersEnd = 14 + headerSize + masks.size() * 4 + palette.size() * 4;
        out.push_back('B'), out.push_back('M');
        u32(0), u32(0);
        u32(uint32_t(offBits < 0 ? int64_t(headersEnd) : offBits));
        u32(headerSize), u32(uint32_t(width)), u32(uint32_t(height)), u16(planes), u16(bits);
        u32(compression), u32(0), u32(0), u32(0), u32(colorsUsed), u32(0);
        while (out.size() < 14 + headerSize) out.push_back(0);
        for (uint32_t m : masks) u32(m);
        for (uint32_t c : palette) u32(c);
        if (!pixels.empty()) {
            out.insert(out.end(), pixels.begin(), pixels.end());
        } else if (width > 0 && height != 0 && width <= 64 && std::abs(height) <= 64) {
            out.resize(out.size() + Stride() * size_t(std::abs(height)), 0);
        }
        return out;
    }
};

BmpError Why(const std::vector<uint8_t>& file) {
    BmpError why = BmpError::None;
    kv::PixelBuffer px = DecodeBmp(file, &why);
    EXPECT_TRUE(px.Empty());
    return why;
}

TEST(BmpDecode, TwentyFourBitBottomUpAndTopDownGiveTheSameImage) {
    BmpBuilder b;
    // Bottom row first: (blue, green) then padding; top row: (red, white).
    b.pixels = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    kv::PixelBuffer up = DecodeBmp(b.Build());
    ASSERT_EQ(up.Width(), 2);
    ASSERT_EQ(up.Height(), 2);
    EXPECT_EQ(up.At(0, 0), 0xFF0000u);
    EXPECT_EQ(up.At(1, 0), 0xFFFFFFu);
    EXPECT_EQ(up.At(0, 1), 0x0000FFu);
    EXPECT_EQ(up.At(1, 1), 0x00FF00u);

    b.height = -2;
    b.pixels = {0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0};
    kv::PixelBuffer down = DecodeBmp(b.Build());
    ASSERT_EQ(down.Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(down.At(x, y), up.At(x, y)) << x << "," << y;
}

TEST(BmpDecode, IndexedFormatsReadTheirPalette) {
    BmpBuilder b;
    b.width = 9, b.height = 1, b.bits = 1;
    b.palette = {0x102030, 0xA0B0C0};
    b.pixels = {0b10100000, 0b10000000, 0, 0};
    kv::PixelBuffer one = DecodeBmp(b.Build());
    ASSERT_EQ(one.Width(), 9);
    EXPECT_EQ(one.At(0, 0), 0xA0B0C0u);
    EXPECT_EQ(one.At(1, 0), 0x102030u);
    EXPECT_EQ(one.At(2, 0), 0xA0B0C0u);
    EXPECT_EQ(one.At(8, 0), 0xA0B0C0u);

    b.width = 3, b.bits = 4, b.colorsUsed = 3;
    b.palette = {0x000001, 0x000002, 0x000003};
    b.pixels = {0x21, 0xF0, 0, 0}; // index 15 lies past the 3-colour palette
    kv::PixelBuffer four = DecodeBmp(b.Build());
    ASSERT_EQ(four.Width(), 3);
    EXPECT_EQ(four.At(0, 0), 3u);
    EXPECT_EQ(four.At(1, 0), 2u);
    EXPECT_EQ(four.At(2, 0), 0u);

    b.width = 2, b.bits = 8, b.colorsUsed = 0;
    b.palette.assign(256, 0);
    b.palette[200] = 0x123456;
    b.pixels = {200, 0, 0, 0};
    kv::PixelBuffer eight = DecodeBmp(b.Build());
    ASSERT_EQ(eight.Width(), 2);
    EXPECT_EQ(eight.At(0, 0), 0x123456u);
}

TEST(BmpDecode, SixteenAndThirtyTwoBitFormats) {
    BmpBuilder b;
    b.width = 1, b.height = 1, b.bits = 16;
    b.pixels = {0x1F, 0x7C, 0, 0}; // 5-5-5: red and blue full
    EXPECT_EQ(DecodeBmp(b.Build()).At(0, 0), 0xFF00FFu);

    b.compression = 3;
    b.masks = {0xF800, 0x07E0, 0x001F};
    b.pixels = {0xE0, 0x07, 0, 0}; // 5-6-5: green full
    EXPECT_EQ(DecodeBmp(b.Build()).At(0, 0), 0x00FF00u);

    b.bits = 32;
    b.masks = {0x0000FF00, 0x00FF0000, 0xFF000000};
    b.pixels = {0, 0x11, 0x22, 0x33};
    EXPECT_EQ(DecodeBmp(b.Build()).At(0, 0), 0x112233u);

    b.compression = 0;
    b.masks.clear();
    b.pixels = {0x33, 0x22, 0x11, 0x80}; // BI_RGB keeps the fourth byte
    EXPECT_EQ(DecodeBmp(b.Build()).At(0, 0), 0x80112233u);
}

TEST(BmpDecode, HostileSidesAreRefused) {
    const int64_t sides[][2] = {{100000, 100000}, {0, 5},      {5, 0},     {INT_MIN, 5},
                                {5, INT_MIN},     {-5, 5},     {16385, 1}, {1, -16385},
                                {16384, 16384},   {8192, 4097}};
    for (auto& s : sides) {
        BmpBuilder b;
        b.width = int32_t(s[0]), b.height = int32_t(s[1]);
        EXPECT_EQ(Why(b.Build()), BmpError::BadSize) << s[0] << " x " << s[1];
    }
    BmpBuilder ok; // the largest side alone is fine, given its rows
    ok.width = 16384, ok.height = 1;
    ok.pixels.assign(ok.Stride(), 0);
    EXPECT_EQ(DecodeBmp(ok.Build()).Width(), 16384);
}

TEST(BmpDecode, DataThatDoesNotFitIsRefused) {
    BmpBuilder b;
    b.offBits = 1 << 20;
    EXPECT_EQ(Why(b.Build()), BmpError::Truncated);
    b.offBits = 0xFFFFFFFF;
    EXPECT_EQ(Why(b.Build()), BmpError::Truncated);
    b.offBits = 20; // inside the headers
    EXPECT_EQ(Why(b.Build()), BmpError::BadOffset);

    BmpBuilder shortRows;
    std::vector<uint8_t> file = shortRows.Build();
    file.pop_back(); // one byte of padding missing
    EXPECT_EQ(Why(file), BmpError::Truncated);

    BmpBuilder tall; // a valid header promising 4000 rows over 16 bytes
    tall.width = 4000, tall.height = 4000;
    tall.pixels.assign(16, 0);
    EXPECT_EQ(Why(tall.Build()), BmpError::Truncated);

    const std::vector<uint8_t> whole = BmpBuilder{}.Build();
    for (size_t n = 0; n < whole.size(); ++n) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(n));
        EXPECT_TRUE(DecodeBmp(cut).Empty()) << n;
    }
}

TEST(BmpDecode, PalettesAndFormatsOutsideTheRulesAreRefused) {
    BmpBuilder b;
    b.bits = 8, b.colorsUsed = 257;
    EXPECT_EQ(Why(b.Build()), BmpError::BadPalette);
    b.colorsUsed = 0xFFFFFFFF;
    EXPECT_EQ(Why(b.Build()), BmpError::BadPalette);
    b.bits = 4, b.colorsUsed = 16; // declared but not present
    EXPECT_EQ(Why(b.Build()), BmpError::Truncated);

    for (uint16_t bits : {0, 2, 3, 7, 12, 15, 48, 64}) {
        BmpBuilder f;
        f.bits = bits;
        EXPECT_EQ(Why(f.Build()), BmpError::BadFormat) << bits;
    }
    for (uint32_t compression : {1u, 2u, 4u, 5u, 6u, 99u, 0x80000000u}) {
        BmpBuilder f;
        f.compression = compression;
        EXPECT_EQ(Why(f.Build()), BmpError::BadFormat) << compression;
    }
    BmpBuilder fields24;
    fields24.compression = 3;
    fields24.masks = {0xFF0000, 0xFF00, 0xFF};
    EXPECT_EQ(Why(fields24.Build()), BmpError::BadFormat);
}

TEST(BmpDecode, BadMasksHeadersAndSignaturesAreRefused) {
    BmpBuilder b;
    b.bits = 16, b.compression = 3;
    b.masks = {0xF800, 0x0FE0, 0x001F}; // overlapping
    EXPECT_EQ(Why(b.Build()), BmpError::BadMasks);
    b.masks = {0xF0F0, 0x0700, 0x000F}; // not contiguous
    EXPECT_EQ(Why(b.Build()), BmpError::BadMasks);
    b.masks = {0xF80000, 0x07E0, 0x001F}; // wider than the pixel
    EXPECT_EQ(Why(b.Build()), BmpError::BadMasks);

    BmpBuilder h;
    h.headerSize = 64;
    EXPECT_EQ(Why(h.Build()), BmpError::BadHeader);
    std::vector<uint8_t> huge = BmpBuilder{}.Build();
    huge[14] = 0xF0, huge[15] = huge[16] = huge[17] = 0xFF; // header size 0xFFFFFFF0
    EXPECT_EQ(Why(huge), BmpError::BadHeader);
    BmpBuilder p;
    p.planes = 2;
    EXPECT_EQ(Why(p.Build()), BmpError::BadHeader);
    BmpBuilder big; // a 124-byte header that the file cuts short
    big.headerSize = 124;
    std::vector<uint8_t> file = big.Build();
    file.resize(60);
    EXPECT_EQ(Why(file), BmpError::Truncated);

    std::vector<uint8_t> sig = BmpBuilder{}.Build();
    sig[1] = 'A';
    EXPECT_EQ(Why(sig), BmpError::BadSignature);
    EXPECT_EQ(Why({}), BmpError::Truncated);
}

TEST(BmpEncode, RoundTripsThroughTheDecoderAt24And32Bits) {
    kv::PixelBuffer px(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) px.At(x, y) = kv::RgbPixel(uint8_t(x * 50), uint8_t(y * 90), 7);
    px.At(4, 2) = 0x7F00FF00;

    std::vector<uint8_t> file24 = kv::EncodeBmp24(px.View());
    ASSERT_EQ(file24.size(), 54u + 16u * 3u); // 15 bytes a row padded to 16
    kv::PixelBuffer back = DecodeBmp(file24);
    ASSERT_EQ(back.Width(), 5);
    ASSERT_EQ(back.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(back.At(x, y), kv::RgbOf(px.At(x, y)));

    kv::PixelBuffer back32 = DecodeBmp(kv::EncodeBmp32(px.View()));
    ASSERT_EQ(back32.Width(), 5);
    EXPECT_EQ(back32.At(4, 2), 0x7F00FF00u);
    EXPECT_EQ(kv::EncodeBmp24(px.View()), file24); // deterministic
    EXPECT_TRUE(kv::EncodeBmp24(kv::PixelBuffer().View()).empty());
}

} // namespace

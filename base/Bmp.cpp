#include "base/Bmp.h"

#include "base/ByteCursor.h"
#include "base/CheckedSize.h"

#include <bit>
#include <cstdlib>

namespace kv {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;

// One colour channel of a bit-field pixel: where it sits and how to widen it to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0; // mask >> shift

    uint8_t Read(uint32_t v) const {
        if (max == 0) return 0;
        return uint8_t(((v & mask) >> shift) * 255u / max);
    }
};

struct Header {
    int64_t width = 0;
    int64_t height = 0; // negative: top-down
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    bool core = false; // 12-byte header: RGBTRIPLE palette
    uint32_t masks[4] = {};
    bool hasMasks = false;
};

struct Decoder {
    ByteCursor in;
    BmpError error = BmpError::None;

    bool Fail(BmpError e) {
        if (error == BmpError::None) error = e;
        return false;
    }
};

bool ReadInfoHeader(Decoder& d, Header& h) {
    const size_t start = d.in.Pos();
    const uint32_t size = d.in.U32();
    if (!d.in.Ok()) return d.Fail(BmpError::Truncated);
    if (size == kCoreHeaderSize) {
        h.core = true;
        h.width = d.in.U16();
        h.height = d.in.U16(); // core headers have no top-down form
    } else if (size == 40 || size == 52 || size == 56 || size == 108 || size == 124) {
        h.width = d.in.I32();
        h.height = d.in.I32();
    } else {
        return d.Fail(BmpError::BadHeader);
    }
    const uint16_t planes = d.in.U16();
    h.bitCount = d.in.U16();
    if (!h.core) {
        h.compression = d.in.U32();
        d.in.Skip(12); // image size, resolution: not needed
        h.colorsUsed = d.in.U32();
        d.in.Skip(4); // important colours
        if (size >= 52) {
            for (int i = 0; i < (size >= 56 ? 4 : 3); ++i) h.masks[i] = d.in.U32();
            h.hasMasks = true;
        }
    }
    if (!d.in.Ok()) return d.Fail(BmpError::Truncated);
    if (planes != 1) return d.Fail(BmpError::BadHeader);
    // Extended headers carry more than we read; skip to their declared end.
    if (!d.in.Seek(start + size)) return d.Fail(BmpError::Truncated);
    return true;
}

bool CheckSize(Decoder& d, const Header& h) {
    const int64_t w = h.width;
    const int64_t ah = std::llabs(h.height); // int64: INT_MIN has an absolute value here
    if (w < 1 || w > kMaxSide || ah < 1 || ah > kMaxSide) return d.Fail(BmpError::BadSize);
    if (size_t(w) * size_t(ah) > kMaxPixels) return d.Fail(BmpError::BadSize);
    return true;
}

bool CheckFormat(Decoder& d, const Header& h) {
    const int b = h.bitCount;
    if (h.compression == kBiRgb) {
        if (b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32) return true;
    } else if (h.compression == kBiBitfields && !h.core) {
        if (b == 16 || b == 32) return true;
    }
    return d.Fail(BmpError::BadFormat);
}

bool MakeChannel(uint32_t mask, int bits, Channel& c) {
    c = {};
    if (mask == 0) return true;
    if (bits < 32 && (mask >> bits) != 0) return false;
    c.mask = mask;
    c.shift = std::countr_zero(mask);
    c.max = mask >> c.shift;
    return (c.max & (c.max + 1)) == 0; // contiguous run of ones
}

bool ReadMasks(Decoder& d, Header& h, Channel out[3]) {
    if (h.compression != kBiBitfields) {
        if (h.bitCount == 16) { // BI_RGB 16 bpp is 5-5-5
            h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
        } else {
            h.masks[0] = 0xFF0000, h.masks[1] = 0x00FF00, h.masks[2] = 0x0000FF;
        }
    } else if (!h.hasMasks) {
        for (int i = 0; i < 3; ++i) h.masks[i] = d.in.U32();
        if (!d.in.Ok()) return d.Fail(BmpError::Truncated);
    }
    for (int i = 0; i < 3; ++i) {
        if (!MakeChannel(h.masks[i], h.bitCount, out[i])) return d.Fail(BmpError::BadMasks);
    }
    if ((h.masks[0] & h.masks[1]) || (h.masks[0] & h.masks[2]) || (h.masks[1] & h.masks[2]))
        return d.Fail(BmpError::BadMasks);
    return true;
}

bool ReadPalette(Decoder& d, const Header& h, std::vector<Pixel>& palette) {
    if (h.bitCount > 8) return true;
    const uint32_t capacity = 1u << h.bitCount;
    uint32_t count = h.colorsUsed == 0 ? capacity : h.colorsUsed;
    if (count > capacity) return d.Fail(BmpError::BadPalette);
    const size_t entry = h.core ? 3 : 4;
    if (count * entry > d.in.Remaining()) return d.Fail(BmpError::Truncated);
    palette.assign(capacity, 0); // indices past the palette read as black
    for (uint32_t i = 0; i < count; ++i) {
        auto e = d.in.Take(entry);
        palette[i] = RgbPixel(e[2], e[1], e[0]);
    }
    return true;
}

void DecodeIndexedRow(const uint8_t* src, int width, int bits, const std::vector<Pixel>& pal,
                      Pixel* dst) {
    const int perByte = 8 / bits;
    const uint8_t mask = uint8_t((1u << bits) - 1);
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        dst[x] = pal[(src[x / perByte] >> shift) & mask];
    }
}

void DecodeRow(const uint8_t* src, const Header& h, const std::vector<Pixel>& pal,
               const Channel ch[3], Pixel* dst) {
    const int w = int(h.width);
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
        DecodeIndexedRow(src, w, h.bitCount, pal, dst);
        return;
    case 24:
        for (int x = 0; x < w; ++x, src += 3) dst[x] = RgbPixel(src[2], src[1], src[0]);
        return;
    case 32:
        if (h.compression == kBiRgb) {
            for (int x = 0; x < w; ++x, src += 4)
                dst[x] = (uint32_t(src[3]) << 24) | RgbPixel(src[2], src[1], src[0]);
            return;
        }
        for (int x = 0; x < w; ++x, src += 4) {
            const uint32_t v = uint32_t(src[0]) | uint32_t(src[1]) << 8 | uint32_t(src[2]) << 16 |
                               uint32_t(src[3]) << 24;
            dst[x] = RgbPixel(ch[0].Read(v), ch[1].Read(v), ch[2].Read(v));
        }
        return;
    default: // 16
        for (int x = 0; x < w; ++x, src += 2) {
            const uint32_t v = uint32_t(src[0]) | uint32_t(src[1]) << 8;
            dst[x] = RgbPixel(ch[0].Read(v), ch[1].Read(v), ch[2].Read(v));
        }
        return;
    }
}

PixelBuffer DecodeChecked(Decoder& d) {
    if (d.in.Bytes(2) != "BM") {
        d.Fail(d.in.Ok() ? BmpError::BadSignature : BmpError::Truncated);
        return {};
    }
    d.in.Skip(8); // file size and reserved words: often wrong in the wild, not trusted
    const uint32_t offBits = d.in.U32();
    if (!d.in.Ok()) {
        d.Fail(BmpError::Truncated);
        return {};
    }
    Header h;
    Channel channels[3];
    std::vector<Pixel> palette;
    if (!ReadInfoHeader(d, h) || !CheckSize(d, h) || !CheckFormat(d, h)) return {};
    if (h.bitCount >= 16 && !ReadMasks(d, h, channels)) return {};
    if (!ReadPalette(d, h, palette)) return {};
    if (offBits < d.in.Pos()) {
        d.Fail(BmpError::BadOffset);
        return {};
    }
    const size_t stride = (size_t(h.width) * size_t(h.bitCount) + 31) / 32 * 4;
    const size_t rows = size_t(std::llabs(h.height));
    size_t dataBytes = 0;
    if (!CheckedMul(stride, rows, dataBytes) || !d.in.Seek(offBits) ||
        dataBytes > d.in.Remaining()) {
        d.Fail(BmpError::Truncated);
        return {};
    }
    const uint8_t* data = d.in.Take(dataBytes).data();
    PixelBuffer out(int(h.width), int(rows));
    PixelView view = out.View();
    const bool topDown = h.height < 0;
    for (size_t r = 0; r < rows; ++r) {
        const size_t y = topDown ? r : rows - 1 - r;
        DecodeRow(data + r * stride, h, palette, channels, view.Row(int(y)));
    }
    return out;
}

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

std::vector<uint8_t> Encode(const PixelView& px, int bits) {
    if (px.Empty()) return {};
    const size_t bytesPerPixel = size_t(bits / 8);
    const size_t stride = (size_t(px.width) * bytesPerPixel + 3) / 4 * 4;
    const size_t imageBytes = stride * size_t(px.height);
    const size_t offBits = kFileHeaderSize + kInfoHeaderSize;
    std::vector<uint8_t> out;
    out.reserve(offBits + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, uint32_t(offBits + imageBytes));
    PutU32(out, 0);
    PutU32(out, uint32_t(offBits));
    PutU32(out, uint32_t(kInfoHeaderSize));
    PutU32(out, uint32_t(px.width));
    PutU32(out, uint32_t(px.height)); // positive: bottom-up, as most readers expect
    PutU16(out, 1);
    PutU16(out, uint32_t(bits));
    PutU32(out, kBiRgb);
    PutU32(out, uint32_t(imageBytes));
    PutU32(out, 2835); // 72 dpi
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = px.height - 1; y >= 0; --y) {
        const Pixel* row = px.Row(y);
        for (int x = 0; x < px.width; ++x) {
            out.push_back(uint8_t(row[x]));
            out.push_back(uint8_t(row[x] >> 8));
            out.push_back(uint8_t(row[x] >> 16));
            if (bits == 32) out.push_back(uint8_t(row[x] >> 24));
        }
        for (size_t pad = size_t(px.width) * bytesPerPixel; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

} // namespace

PixelBuffer DecodeBmp(std::span<const uint8_t> bytes, BmpError* why) {
    Decoder d{ByteCursor(bytes)};
    PixelBuffer out = DecodeChecked(d);
    if (why) *why = d.error;
    return out;
}

std::vector<uint8_t> EncodeBmp24(const PixelView& pixels) {
    return Encode(pixels, 24);
}
std::vector<uint8_t> EncodeBmp32(const PixelView& pixels) {
    return Encode(pixels, 32);
}

} // namespace kv

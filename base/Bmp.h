#pragma once
// BMP files to and from the pixel core.
//
// DecodeBmp reads a whole BMP file (BITMAPFILEHEADER + info header + palette/masks + rows)
// from untrusted bytes. Accepted: BITMAPCOREHEADER (12 bytes) and the 40/52/56/108/124-byte
// info headers; 1/4/8/24/32 bpp BI_RGB, 16 bpp BI_RGB (5-5-5), and 16/32 bpp BI_BITFIELDS with
// contiguous, non-overlapping masks (a zero mask reads as 0); bottom-up and top-down rows. Refused:
// any side outside 1..kMaxSide (by absolute value, so a top-down height of INT_MIN is refused, not
// negated), more than kMaxPixels pixels, planes other than 1, other compressions (RLE, JPEG, PNG),
// palettes longer than 2^bpp or than the file, pixel data that starts inside the headers or
// whose stride x height does not fit in the file. Every read is bounds-checked; nothing is
// allocated before the size is validated. A refusal returns an empty PixelBuffer and, when
// `why` is given, the reason; it never throws (bar std::bad_alloc on a valid 64 MiB image).
//
// Decoded pixels are top-down 0x00RRGGBB; 32 bpp BI_RGB keeps its fourth byte as alpha, and
// palette indices past the palette read as black.
//
// EncodeBmp24/EncodeBmp32 write a bottom-up BI_RGB file with a 40-byte header (32 bpp keeps the
// alpha byte). An empty view gives an empty vector. The output is the same for the same pixels.
#include "base/Pixels.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kv {

enum class BmpError {
    None,
    Truncated,    // a header, palette, mask or row lies past the end
    BadSignature, // not "BM"
    BadHeader,    // unknown info header size, or planes != 1
    BadSize,      // a side outside 1..kMaxSide or too many pixels
    BadFormat,    // a bit count / compression pair we do not read
    BadMasks,     // zero, overlapping, non-contiguous or too wide bit-field masks
    BadPalette,   // more colours than the bit count can index
    BadOffset,    // pixel data starting inside the headers or palette
};

PixelBuffer DecodeBmp(std::span<const uint8_t> bytes, BmpError* why = nullptr);

std::vector<uint8_t> EncodeBmp24(const PixelView& pixels);
std::vector<uint8_t> EncodeBmp32(const PixelView& pixels);

} // namespace kv

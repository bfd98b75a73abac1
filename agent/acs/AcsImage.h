#pragma once
// Decoding and encoding of one character image (AcsImage in AcsCharacter.h).
//
// Contract
// - AcsDecodePixels fills `out` with exactly AcsStride(width) x height bytes, bottom-up rows,
//   for any image, however damaged: bytes a damaged or short stream does not cover are set to
//   `fill` (pass the transparent index). It returns false when the data was damaged or short,
//   true when it was whole. An empty image gives an empty `out` and true. Images above
//   kAcsMaxImageSide on a side are refused (empty `out`, false); ReadAcs never returns one.
// - AcsDecodeRegion returns the rectangles of the image's region (top-down coordinates within
//   the image) or false for damaged region data; rectangles that are empty or lie outside the
//   image are dropped rather than failing.
// - AcsEncodeImage builds an image from top-down rows of `width` bytes each (no padding): it
//   stores them bottom-up with padded rows, derives the region from the transparent index, and
//   compresses pixels and region when `compress` is set. It never fails for sides up to
//   kAcsMaxImageSide; larger sizes give an empty image.
// - AcsTopDownRow gives row y (0 = top) of decoded pixels; it never reads out of range.
#include "agent/acs/AcsCharacter.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kv {

// 4096 pixels a side: real characters stay below 1300, and 16 MB per image bounds memory.
constexpr uint32_t kAcsMaxImageSide = 4096;

bool AcsDecodePixels(const AcsImage& image, uint8_t fill, std::vector<uint8_t>& out);

bool AcsDecodeRegion(const AcsImage& image, std::vector<AcsRect>& rects);

AcsImage AcsEncodeImage(int width, int height, std::span<const uint8_t> topDownPixels,
                        uint8_t transparentIndex, bool compress);

// Region data (RGNDATA) of the opaque pixels of top-down rows: one rectangle per run of opaque
// pixels, merged down over rows with the same runs.
std::vector<uint8_t> AcsBuildRegion(int width, int height, std::span<const uint8_t> topDownPixels,
                                    uint8_t transparentIndex);

inline std::span<const uint8_t> AcsTopDownRow(const AcsImage& image,
                                              std::span<const uint8_t> decoded, int y) {
    const size_t stride = AcsStride(image.width);
    if (y < 0 || y >= image.height || decoded.size() < stride * image.height) return {};
    return decoded.subspan(size_t(image.height - 1 - y) * stride, image.width);
}

} // namespace kv

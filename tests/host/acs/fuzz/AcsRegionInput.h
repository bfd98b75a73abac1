#pragma once
// The body of the region fuzz target, shared with the corpus replay test (AcsCorpus). Aborts
// on a broken promise.
#include "agent/acs/AcsCompression.h"
#include "agent/acs/AcsImage.h"
#include "base/ByteCursor.h"

#include <cstdlib>
#include <span>
#include <vector>

namespace kv::fuzz {

inline void CheckRegion(bool ok) {
    if (!ok) std::abort();
}

// The bytes as a stored region: width (2), height (2), a flag byte (bit 0: compressed), the
// region size (4), then the region data. What decodes lies inside the image.
inline void DecodeStoredRegion(std::span<const uint8_t> bytes) {
    ByteCursor c(bytes);
    AcsImage image;
    image.width = c.U16();
    image.height = c.U16();
    image.regionCompressed = (c.U8() & 1) != 0;
    image.regionSize = c.U32();
    if (!c.Ok()) return;
    image.region.assign(bytes.begin() + ptrdiff_t(c.Pos()), bytes.end());
    std::vector<AcsRect> rects;
    if (!AcsDecodeRegion(image, rects)) return;
    for (const AcsRect& r : rects)
        CheckRegion(r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
                    r.right <= image.width && r.bottom <= image.height);
}

// The bytes as a small picture (sides from the first two bytes, index 0 transparent): the
// region built from it, stored plain and compressed, decodes to exactly its opaque pixels.
inline void RegionOfPicture(std::span<const uint8_t> bytes) {
    if (bytes.size() < 2) return;
    const int width = 1 + bytes[0] % 24, height = 1 + bytes[1] % 24;
    std::vector<uint8_t> pixels(size_t(width * height), 0);
    for (size_t i = 2; i < bytes.size() && i - 2 < pixels.size(); ++i) pixels[i - 2] = bytes[i];
    AcsImage image;
    image.width = uint16_t(width);
    image.height = uint16_t(height);
    const std::vector<uint8_t> region = AcsBuildRegion(width, height, pixels, 0);
    image.regionSize = uint32_t(region.size());
    for (bool compressed : {false, true}) {
        image.regionCompressed = compressed;
        image.region = compressed ? AcsCompress(region) : region;
        std::vector<AcsRect> rects;
        CheckRegion(AcsDecodeRegion(image, rects));
        std::vector<uint8_t> covered(pixels.size(), 0);
        for (const AcsRect& r : rects)
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) covered[size_t(y * width + x)]++;
        for (size_t i = 0; i < pixels.size(); ++i) CheckRegion(covered[i] == (pixels[i] != 0));
    }
}

} // namespace kv::fuzz

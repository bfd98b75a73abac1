#include "agent/acs/AcsImage.h"

#include "agent/acs/AcsCompression.h"
#include "base/ByteCursor.h"

#include <algorithm>

namespace kv {
namespace {

constexpr size_t kRegionHeader = 32;
constexpr size_t kRegionRect = 16;
// A region cannot usefully hold more rectangles than an image of the largest size has pixels
// in a row times rows; this bound keeps a hostile count from reserving memory.
constexpr size_t kMaxRegionRects = size_t(1) << 20;

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void PutRect(std::vector<uint8_t>& out, const AcsRect& r) {
    for (int32_t v : {r.left, r.top, r.right, r.bottom}) PutU32(out, uint32_t(v));
}

struct Run {
    int left, right;
    bool operator==(const Run&) const = default;
};

std::vector<Run> OpaqueRuns(std::span<const uint8_t> row, uint8_t transparent) {
    std::vector<Run> runs;
    const int width = int(row.size());
    for (int x = 0; x < width;) {
        while (x < width && row[size_t(x)] == transparent) ++x;
        const int start = x;
        while (x < width && row[size_t(x)] != transparent) ++x;
        if (x > start) runs.push_back({start, x});
    }
    return runs;
}

bool ReadRegionBytes(const AcsImage& image, std::vector<uint8_t>& bytes) {
    if (image.regionSize > kRegionHeader + kRegionRect * kMaxRegionRects) return false;
    if (!image.regionCompressed) {
        if (image.region.size() < image.regionSize) return false;
        bytes.assign(image.region.begin(), image.region.begin() + image.regionSize);
        return true;
    }
    bytes.assign(image.regionSize, 0);
    size_t written = 0;
    return AcsDecompress(image.region, bytes, written) == AcsDecodeStatus::Ok &&
           written == bytes.size();
}

} // namespace

bool AcsDecodePixels(const AcsImage& image, uint8_t fill, std::vector<uint8_t>& out) {
    out.clear();
    if (image.Empty()) return true;
    if (image.width > kAcsMaxImageSide || image.height > kAcsMaxImageSide) return false;
    const size_t size = AcsStride(image.width) * image.height;
    out.assign(size, fill);
    if (!image.compressed) {
        const size_t n = std::min(size, image.pixels.size());
        std::copy_n(image.pixels.begin(), n, out.begin());
        return n == size;
    }
    size_t written = 0;
    const AcsDecodeStatus status = AcsDecompress(image.pixels, out, written);
    return status == AcsDecodeStatus::Ok && written == size;
}

bool AcsDecodeRegion(const AcsImage& image, std::vector<AcsRect>& rects) {
    rects.clear();
    std::vector<uint8_t> bytes;
    if (!ReadRegionBytes(image, bytes)) return false;
    if (bytes.empty()) return true; // no region stored
    ByteCursor c(bytes.data(), bytes.size());
    const uint32_t headerSize = c.U32();
    c.U32(); // type: rectangles
    const uint32_t count = c.U32();
    if (!c.Ok() || headerSize < kRegionHeader || headerSize > bytes.size()) return false;
    if (count > (bytes.size() - headerSize) / kRegionRect) return false;
    c.Seek(headerSize);
    rects.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        AcsRect r{c.I32(), c.I32(), c.I32(), c.I32()};
        r.left = std::max(r.left, 0);
        r.top = std::max(r.top, 0);
        r.right = std::min<int32_t>(r.right, image.width);
        r.bottom = std::min<int32_t>(r.bottom, image.height);
        if (r.left < r.right && r.top < r.bottom) rects.push_back(r);
    }
    return c.Ok();
}

std::vector<uint8_t> AcsBuildRegion(int width, int height, std::span<const uint8_t> topDownPixels,
                                    uint8_t transparentIndex) {
    std::vector<AcsRect> rects;
    std::vector<Run> band;
    size_t bandStart = 0; // first rectangle of the band that may grow downwards
    for (int y = 0; y < height; ++y) {
        const auto row = topDownPixels.subspan(size_t(y) * size_t(width), size_t(width));
        std::vector<Run> runs = OpaqueRuns(row, transparentIndex);
        if (y > 0 && !runs.empty() && runs == band) {
            for (size_t i = bandStart; i < rects.size(); ++i) rects[i].bottom = y + 1;
            continue;
        }
        bandStart = rects.size();
        for (const Run& r : runs) rects.push_back({r.left, y, r.right, y + 1});
        band = std::move(runs);
    }
    AcsRect bound{};
    if (!rects.empty()) bound = {width, height, 0, 0};
    for (const AcsRect& r : rects) {
        bound.left = std::min(bound.left, r.left);
        bound.top = std::min(bound.top, r.top);
        bound.right = std::max(bound.right, r.right);
        bound.bottom = std::max(bound.bottom, r.bottom);
    }
    std::vector<uint8_t> out;
    out.reserve(kRegionHeader + kRegionRect * rects.size());
    PutU32(out, uint32_t(kRegionHeader));
    PutU32(out, 1); // rectangles
    PutU32(out, uint32_t(rects.size()));
    PutU32(out, uint32_t(kRegionRect * rects.size()));
    PutRect(out, bound);
    for (const AcsRect& r : rects) PutRect(out, r);
    return out;
}

AcsImage AcsEncodeImage(int width, int height, std::span<const uint8_t> topDownPixels,
                        uint8_t transparentIndex, bool compress) {
    AcsImage image;
    if (width <= 0 || height <= 0 || uint32_t(width) > kAcsMaxImageSide ||
        uint32_t(height) > kAcsMaxImageSide ||
        topDownPixels.size() < size_t(width) * size_t(height))
        return image;
    image.width = uint16_t(width);
    image.height = uint16_t(height);
    const size_t stride = AcsStride(size_t(width));
    std::vector<uint8_t> stored(stride * size_t(height), transparentIndex);
    for (int y = 0; y < height; ++y)
        std::copy_n(topDownPixels.begin() + ptrdiff_t(size_t(y) * size_t(width)), width,
                    stored.begin() + ptrdiff_t(size_t(height - 1 - y) * stride));
    std::vector<uint8_t> region = AcsBuildRegion(width, height, topDownPixels, transparentIndex);
    image.regionSize = uint32_t(region.size());
    image.compressed = compress;
    image.regionCompressed = compress;
    image.pixels = compress ? AcsCompress(stored) : std::move(stored);
    image.region = compress ? AcsCompress(region) : std::move(region);
    return image;
}

} // namespace kv

#include "skin/form/draw/SkinRegion.h"

#include "skin/form/draw/SkinDraw.h"

#include <algorithm>
#include <climits>

namespace kv {

namespace {

struct ChannelRange {
    int low, high;
    bool Holds(int value) const { return value >= low && value <= high; }
};

ChannelRange RangeOf(int keyChannel, int tolerance) {
    return {keyChannel, MinInt(255, keyChannel + std::clamp(tolerance, -256, 255))};
}

class BatchWriter {
public:
    explicit BatchWriter(std::vector<RegionBatch>& out) : out_(out) {}

    void Add(const PixelRect& r) {
        if (out_.empty() || out_.back().rects.size() >= kRegionBatch) {
            out_.emplace_back();
            out_.back().rects.reserve(64);
            out_.back().bound = r;
        }
        RegionBatch& batch = out_.back();
        batch.rects.push_back(r);
        batch.bound = {std::min(batch.bound.left, r.left), std::min(batch.bound.top, r.top),
                       std::max(batch.bound.right, r.right),
                       std::max(batch.bound.bottom, r.bottom)};
    }

private:
    std::vector<RegionBatch>& out_;
};

} // namespace

std::vector<RegionBatch> BitmapToRegionRects(PixelView bitmap, int dx, int dy, int blueTolerance,
                                             int greenTolerance, int redTolerance, Pixel key) {
    std::vector<RegionBatch> batches;
    if (bitmap.Empty()) return batches;
    const ChannelRange red = RangeOf(int(key >> 16) & 0xFF, redTolerance);
    const ChannelRange green = RangeOf(int(key >> 8) & 0xFF, greenTolerance);
    const ChannelRange blue = RangeOf(int(key) & 0xFF, blueTolerance);
    auto isKey = [&](Pixel p) {
        return red.Holds(int(p >> 16) & 0xFF) && green.Holds(int(p >> 8) & 0xFF) &&
               blue.Holds(int(p) & 0xFF);
    };
    dx = std::clamp(dx, INT_MIN, INT_MAX - bitmap.width);
    dy = std::clamp(dy, INT_MIN, INT_MAX - bitmap.height);
    BatchWriter writer(batches);
    for (int y = 0; y < bitmap.height; ++y) {
        const Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.width; ++x) {
            const int start = x;
            while (x < bitmap.width && !isKey(row[x])) ++x;
            if (x > start) writer.Add({start + dx, y + dy, x + dx, y + dy + 1});
        }
    }
    return batches;
}

} // namespace kv

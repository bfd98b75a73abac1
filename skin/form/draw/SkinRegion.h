#pragma once
// The shape of a bitmap as rectangles: every pixel outside the key colour's tolerance box is
// inside the shape, as runs of one-pixel-high rectangles, row by row from the top.
//
// Contract: BitmapToRegionRects reads `bitmap` only inside its bounds. For each channel the
// accepted key range is [key channel, MinInt(255, key channel + tolerance)] (a negative
// tolerance accepts nothing, so every pixel is inside). Each run of pixels outside the key
// becomes one rectangle (start + dx, y + dy, end + dx, y + dy + 1); the rectangles come in
// batches of at most kRegionBatch, in row order, each with the true bound of its rectangles
// (offset included). An all-key or empty bitmap gives no batches (an empty shape).
// Offsets are clamped so that no coordinate leaves the int range.
#include "base/Pixels.h"

#include <vector>

namespace kv {

constexpr size_t kRegionBatch = 2000;

struct RegionBatch {
    std::vector<PixelRect> rects;
    PixelRect bound; // smallest rectangle holding every rect of the batch
};

std::vector<RegionBatch> BitmapToRegionRects(PixelView bitmap, int dx, int dy, int blueTolerance,
                                             int greenTolerance, int redTolerance, Pixel key);

} // namespace kv

#include "skin/data/Transforms.h"

#include <algorithm>
#include <utility>

namespace kv {

void MirrorBitmap(PixelBuffer& image) {
    PixelView view = image.View();
    if (view.Empty()) return;
    for (int y = 0; y < view.height; ++y) {
        Pixel* row = view.Row(y);
        std::reverse(row, row + view.width);
    }
}

void FlipBitmap(PixelBuffer& image) {
    PixelView view = image.View();
    if (view.Empty()) return;
    for (int top = 0, bottom = view.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(view.Row(top), view.Row(top) + view.width, view.Row(bottom));
}

namespace {

// Builds the turned image in a new buffer and moves it into place; `place` maps a source
// (x, y) to its destination in the H x W result.
template <typename Place> void Rotate(PixelBuffer& image, Place place) {
    const PixelView source = image.View();
    if (source.Empty()) return;
    PixelBuffer turned(source.height, source.width);
    if (turned.Empty()) return; // cannot happen: same pixel count as the source
    for (int y = 0; y < source.height; ++y) {
        const Pixel* row = source.Row(y);
        for (int x = 0; x < source.width; ++x) {
            auto [tx, ty] = place(x, y, source.width, source.height);
            turned.At(tx, ty) = row[x];
        }
    }
    image = std::move(turned);
}

} // namespace

void RotateBitmapLeft(PixelBuffer& image) {
    Rotate(image, [](int x, int y, int w, int) { return std::pair{y, w - 1 - x}; });
}

void RotateBitmapRight(PixelBuffer& image) {
    Rotate(image, [](int x, int y, int, int h) { return std::pair{h - 1 - y, x}; });
}

} // namespace kv

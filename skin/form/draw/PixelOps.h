#pragma once
// Pixel copies under the skin drawing routines: nearest-pixel stretching, key-colour copies
// and tiling between two PixelViews.
//
// Contract (every function): rectangles are in each view's own coordinates, may be inverted
// (then nothing happens), may lie partly or wholly outside their views, and may be up to the
// int range. Only pixels inside `target` (and inside `clip`, when given) are written and only
// pixels inside `source` are read; a target pixel whose source pixel falls outside `source`
// is left untouched. Nothing allocates more than one row map of the clipped target width.
//
// Stretching picks whole pixels exactly as GDI's COLORONCOLOR StretchBlt does for integer
// rectangles: when a span grows, target pixel i takes source ceil((2i + 1) * sw / (2 * dw)) - 1;
// when it shrinks, a column takes the last source column whose centre maps into it,
// floor((2 * sw * (i + 1) - dw) / (2 * dw)), and a row the first such source row. Equal sizes
// copy pixel for pixel.
#include "base/Pixels.h"

namespace kv {

// The intersection of two rectangles; empty (all zero) when they do not overlap.
PixelRect IntersectRect(const PixelRect& a, const PixelRect& b);

// Source column (0-based within the span) for target column `i` of a span of `dw` target
// pixels drawn from `sw` source pixels; both sizes positive.
int StretchSourceIndex(long long i, long long sw, long long dw);
// The same for rows.
int StretchSourceRow(long long i, long long sh, long long dh);

// `from` of `source` stretched onto `to` of `target`.
void StretchCopy(PixelView target, const PixelRect& to, PixelView source, const PixelRect& from);
void StretchCopy(PixelView target, const PixelRect& to, PixelView source, const PixelRect& from,
                 const PixelRect& clip);

// Copies `source` (unstretched) with its top-left at (x, y), leaving target pixels untouched
// where the source pixel's colour (alpha ignored) equals `key`'s; writes inside `clip` only.
void KeyCopy(PixelView target, int x, int y, PixelView source, Pixel key, const PixelRect& clip);

// Repeats `from` of `source` (first clipped to `source`) over `to`, starting at its top-left;
// the last column and row are drawn whole, so they may pass `to` (still clipped to `clip`).
void TileCopy(PixelView target, const PixelRect& to, PixelView source, const PixelRect& from,
              const PixelRect& clip);

} // namespace kv

#pragma once
// The skin image drawing routines: strips of state frames cut into nine-slices or
// three-slices and drawn at any size, tiles and key-colour copies, all on 32-bit pixels.
//
// Common contract:
// - `image` is a strip of `n` equal state frames, side by side or (`stacked`) one above the
//   other; frame `k` counts from 1. A count below 1 counts as 1; a frame outside 1..n, or a
//   frame 0 pixels wide or high (an image narrower than its count), draws nothing.
// - `margins` holds the fixed left width, top height, right width and bottom height of the
//   slices in its left, top, right and bottom fields. Each is clamped to 0..frame size first.
// - `rect` is in target coordinates. An inverted rect (right < left or bottom < top), or one
//   wider or taller than kMaxDrawSide, draws nothing. Drawing is clipped to `rect` (except
//   TileBitmap, whose last tiles may pass it) and to `target`; no routine reads outside
//   `image` or writes outside `target`.
// - Pieces are stretched by nearest pixel as with COLORONCOLOR (see PixelOps.h). A piece whose
//   source or target is empty is skipped, and target pixels that no piece covers keep their
//   value. The transparent variants leave target pixels untouched where the drawn image is
//   magenta (kMagenta).
#include "base/Pixels.h"

namespace kv {

constexpr int kMaxDrawSide = 1 << 20;

constexpr int MinInt(int a, int b) {
    return a < b ? a : b;
}
constexpr int MaxInt(int a, int b) {
    return a > b ? a : b;
}

// Frame k of an n-frame strip in image coordinates; empty when it does not exist.
PixelRect StripFrame(PixelView image, bool stacked, int n, int k);

// Margins clamped to 0..frame width (left, right) and 0..frame height (top, bottom).
PixelRect ClampMargins(const PixelRect& margins, const PixelRect& frame);

// A new bitmap of the size of `size` (only its width and height count) holding frame k drawn
// as a nine-slice: corners at their own size, edges stretched along their length, the centre
// stretched or (`tile`) tiled. Side margins are dropped when the width is below left + right,
// top and bottom ones when the height is below top + bottom. Pixels no piece covers are 0.
// Empty when the size is inverted, 0, or beyond the pixel caps.
PixelBuffer BuildNineSlice(const PixelRect& size, PixelView image, const PixelRect& margins,
                           bool stacked, bool tile, int n, int k);

// The nine-slice of BuildNineSlice drawn at `rect`; with `transparent`, magenta pixels of it
// leave the target untouched.
void DrawNineSlice(PixelView target, const PixelRect& rect, PixelView image, bool stacked,
                   bool tile, bool transparent, int n, int k, const PixelRect& margins);

// Only the eight border pieces of the nine-slice, drawn at `rect`; the centre is untouched.
// `tile` is accepted for symmetry and not read.
void DrawNineSliceDirect(PixelView target, const PixelRect& rect, PixelView image, bool stacked,
                         bool tile, int n, int k, const PixelRect& margins);

// A three-slice: the left and right ends (margins.left / margins.right wide, stretched to the
// rect's height) and between them copies of the frame's middle at its own width. When the
// middle is not positive only the two ends are drawn.
void StretchPiece(PixelView target, const PixelRect& rect, PixelView image, bool stacked,
                  bool transparent, int n, int k, const PixelRect& margins);

// Frame k of a side-by-side strip stretched over `rect`.
void DrawSkinStrip(PixelView target, const PixelRect& rect, PixelView image, bool transparent,
                   int n, int k);

// `bitmap` copied unstretched to the rect's top-left (at most the rect's size), leaving the
// target untouched where the bitmap's colour (alpha ignored) is `key`.
void DrawTransparent(PixelView target, const PixelRect& rect, PixelView bitmap, Pixel key);

// Repeats `source` of `bitmap` (clipped to the bitmap) over `rect` from its top-left; the last
// column and row are drawn whole and may pass the rect (they stop at the target's edge).
void TileBitmap(PixelView target, const PixelRect& rect, PixelView bitmap, const PixelRect& source);

} // namespace kv

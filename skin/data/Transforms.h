#pragma once
// Whole-image transforms that let one skin image serve several orientations (a mirrored
// combo-box button, tabs turned for the bottom, left or right side).
//
// Contract: each call changes `image` in place and never reads or writes outside it. W and H
// are the size before the call.
//   MirrorBitmap       pixel (x, y) moves to (W - 1 - x, y); size unchanged.
//   FlipBitmap         row y moves to row H - 1 - y; size unchanged.
//   RotateBitmapLeft   quarter turn anticlockwise: the image becomes H x W and pixel (x, y)
//                      moves to (y, W - 1 - x).
//   RotateBitmapRight  quarter turn clockwise: the image becomes H x W and pixel (x, y) moves
//                      to (H - 1 - y, x).
// Every pixel keeps its whole 32-bit value. An empty image stays empty. A rotation needs one
// scratch buffer of W x H pixels, which the pixel caps already bound.
#include "base/Pixels.h"

namespace kv {

void MirrorBitmap(PixelBuffer& image);
void FlipBitmap(PixelBuffer& image);
void RotateBitmapLeft(PixelBuffer& image);
void RotateBitmapRight(PixelBuffer& image);

} // namespace kv

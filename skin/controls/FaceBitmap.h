#pragma once
// The private bitmap a control skin composes one paint in before a single copy to the screen.
#include "skin/form/draw/win/DibSection.h"

#include <windows.h>

namespace kv {

// Sizes `face` to w x h (kept when it already has that size) and fills it with `colour`.
// False when the size is empty or the bitmap cannot be made: nothing is drawn then.
bool StartFace(DibSection& face, HDC reference, int w, int h, COLORREF colour);

// Frame `k` of an `n`-frame side-by-side strip stretched over `rect`, magenta left out.
void DrawKeyedFrame(PixelView target, const PixelRect& rect, const PixelBuffer& image, int n,
                    int k);

} // namespace kv

#pragma once
// The skin drawing routines on a device context. Each composes on pixels (SkinDraw.h) in a
// scratch DIB section covering the visible part of its target and reaches the DC in one
// BitBlt; the DC's own pixels are read into the scratch first only where the drawing keeps
// some of them (key-colour draws, the border-only nine-slice).
//
// Contract: as SkinDraw.h, with rectangles in the DC's logical coordinates (no world
// transform or mapping mode other than MM_TEXT is assumed). Opaque draws put black where no
// piece lands (an image without the frame asked for), like a fresh bitmap copied over. The
// DC's selection, stretch mode and colours are left as they were; every GDI object a call
// makes is freed before it returns. A DC that refuses a copy leaves the call without effect.
#include "base/Pixels.h"

#include <windows.h>

namespace kv {

PixelRect ToPixelRect(const RECT& r);

void DrawNineSlice(HDC dc, const RECT& rect, PixelView image, bool stacked, bool tile,
                   bool transparent, int n, int k, const RECT& margins);
void DrawNineSliceDirect(HDC dc, const RECT& rect, PixelView image, bool stacked, bool tile, int n,
                         int k, const RECT& margins);
void StretchPiece(HDC canvas, const RECT& rect, PixelView image, bool stacked, bool transparent,
                  int n, int k, const RECT& margins);
void DrawSkinStrip(HDC dc, const RECT& rect, PixelView image, bool transparent, int n, int k);
void DrawTransparent(HDC dc, const RECT& rect, PixelView bitmap, COLORREF key);
void TileBitmap(HDC canvas, const RECT& rect, PixelView bitmap, const RECT& source);

} // namespace kv

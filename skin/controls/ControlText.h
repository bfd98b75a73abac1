#pragma once
// The text and frame routines every control skin draws with.
//
// Contract
// - Texts go through DrawTextW without DT_NOPREFIX: "&" underlines the next character and
//   "&&" shows one. The background stays (transparent mode); the DC's font is used and its
//   text colour, mode and selection are put back afterwards.
// - An inverted rectangle (right < left or bottom < top) draws nothing.
// - DrawStateFrame composes on pixels: frame k of an n-frame side-by-side strip nine-sliced
//   with the object's margins and tiling, magenta left out when its Trans is 1. An object
//   without an image draws nothing.
#include "base/Pixels.h"
#include "skin/data/SkinObjects.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace kv {

bool Inverted(const RECT& r);

// Align: DT_LEFT, DT_CENTER or DT_RIGHT. Vertically centred one pixel above the middle. A
// disabled text is drawn in the system button-shadow colour.
void DrawCaptionText(HDC dc, const RECT& rect, UINT align, bool enabled, const std::wstring& text);

// Single line, centred vertically with no bias; alignment 0 left, 1 right, 2 centre.
void DrawCenteredText(HDC dc, const RECT& rect, const std::wstring& text, int alignment,
                      bool enabled);

// An icon of the image list (none when imageIndex is -1 or there is no list) and the text
// beside it; align 0 left, 1 centre, 2 right.
void DrawIconText(HDC dc, const RECT& rect, int align, const std::wstring& text, int imageIndex,
                  HIMAGELIST images, bool enabled);

void DrawStateFrame(PixelView target, const PixelRect& rect, int frameCount, int frame,
                    const TDataSkinObject& object);

} // namespace kv

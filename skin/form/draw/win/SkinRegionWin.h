#pragma once
// A window region from a bitmap: the shape of BitmapToRegionRects (SkinRegion.h) as an HRGN.
//
// Contract: returns an owned region (the caller keeps or hands it to SetWindowRgn); an
// all-key or empty bitmap gives an empty region, not a null one. Each batch of rectangles
// becomes one ExtCreateRegion with its true bound; the batches are joined with RGN_OR and
// every intermediate region is deleted. When GDI refuses any step the result is null and
// nothing is left behind. The HBITMAP overload reads the bitmap's pixels as 32 bits first
// (the bitmap must not be selected into a DC).
#include "base/Pixels.h"
#include "skin/form/draw/SkinRegion.h"
#include "ui/graphics/GdiHandles.h"

#include <vector>

namespace kv {

UniqueRegion RegionFromBatches(const std::vector<RegionBatch>& batches);

UniqueRegion BitmapToRegion(PixelView bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                            int redTolerance, COLORREF key);
UniqueRegion BitmapToRegion(HBITMAP bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                            int redTolerance, COLORREF key);

// The pixels of `bitmap` as a 32-bit top-down buffer; empty when GDI cannot read it.
PixelBuffer ReadBitmapPixels(HBITMAP bitmap);

} // namespace kv

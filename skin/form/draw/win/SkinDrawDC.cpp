#include "skin/form/draw/win/SkinDrawDC.h"

#include "skin/form/draw/PixelOps.h"
#include "skin/form/draw/SkinDraw.h"
#include "skin/form/draw/win/DibSection.h"

#include <algorithm>
#include <climits>

namespace kv {

PixelRect ToPixelRect(const RECT& r) {
    return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

namespace {

// Inverted rectangles, and ones too large for any window, draw nothing (as on pixels).
bool Undrawable(const RECT& r) {
    const long long w = (long long)r.right - r.left, h = (long long)r.bottom - r.top;
    return w < 0 || h < 0 || w > kMaxDrawSide || h > kMaxDrawSide;
}

// The part of `area` the DC can show: its clip box when it has one.
PixelRect VisiblePart(HDC dc, const PixelRect& area) {
    RECT clip{};
    switch (GetClipBox(dc, &clip)) {
    case NULLREGION:
        return {};
    case ERROR:
        return area;
    default:
        return IntersectRect(area, ToPixelRect(clip));
    }
}

PixelRect Moved(const PixelRect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

enum class Read { No, Yes };

// Composes the visible part of `area` in a scratch DIB and copies it to the DC. `draw` gets
// the scratch pixels and the offset that moves DC coordinates into them.
template <typename Draw> void ThroughScratch(HDC dc, const PixelRect& area, Read read, Draw draw) {
    const PixelRect visible = VisiblePart(dc, area);
    if (visible.Empty() || visible.Width() > kMaxSide || visible.Height() > kMaxSide) return;
    DibSection scratch;
    if (!scratch.Create(visible.Width(), visible.Height(), dc)) return;
    const int w = visible.Width(), h = visible.Height();
    if (read == Read::Yes &&
        !BitBlt(scratch.Dc(), 0, 0, w, h, dc, visible.left, visible.top, SRCCOPY))
        return;
    draw(scratch.View(), -visible.left, -visible.top);
    GdiFlush();
    BitBlt(dc, visible.left, visible.top, w, h, scratch.Dc(), 0, 0, SRCCOPY);
}

} // namespace

void DrawNineSlice(HDC dc, const RECT& rect, PixelView image, bool stacked, bool tile,
                   bool transparent, int n, int k, const RECT& margins) {
    if (Undrawable(rect)) return;
    const PixelRect r = ToPixelRect(rect);
    ThroughScratch(dc, r, transparent ? Read::Yes : Read::No, [&](PixelView into, int dx, int dy) {
        DrawNineSlice(into, Moved(r, dx, dy), image, stacked, tile, transparent, n, k,
                      ToPixelRect(margins));
    });
}

void DrawNineSliceDirect(HDC dc, const RECT& rect, PixelView image, bool stacked, bool tile, int n,
                         int k, const RECT& margins) {
    if (Undrawable(rect)) return;
    const PixelRect r = ToPixelRect(rect);
    ThroughScratch(dc, r, Read::Yes, [&](PixelView into, int dx, int dy) {
        DrawNineSliceDirect(into, Moved(r, dx, dy), image, stacked, tile, n, k,
                            ToPixelRect(margins));
    });
}

void StretchPiece(HDC canvas, const RECT& rect, PixelView image, bool stacked, bool transparent,
                  int n, int k, const RECT& margins) {
    if (Undrawable(rect)) return;
    const PixelRect r = ToPixelRect(rect);
    ThroughScratch(canvas, r, transparent ? Read::Yes : Read::No,
                   [&](PixelView into, int dx, int dy) {
                       StretchPiece(into, Moved(r, dx, dy), image, stacked, transparent, n, k,
                                    ToPixelRect(margins));
                   });
}

void DrawSkinStrip(HDC dc, const RECT& rect, PixelView image, bool transparent, int n, int k) {
    if (Undrawable(rect)) return;
    const PixelRect r = ToPixelRect(rect);
    ThroughScratch(dc, r, transparent ? Read::Yes : Read::No, [&](PixelView into, int dx, int dy) {
        DrawSkinStrip(into, Moved(r, dx, dy), image, transparent, n, k);
    });
}

void DrawTransparent(HDC dc, const RECT& rect, PixelView bitmap, COLORREF key) {
    if (Undrawable(rect) || bitmap.Empty()) return;
    const PixelRect r = ToPixelRect(rect);
    // Only the bitmap's own extent changes; the rest of the rectangle is not touched.
    const PixelRect area{r.left, r.top,
                         int(std::min<long long>(r.right, (long long)r.left + bitmap.width)),
                         int(std::min<long long>(r.bottom, (long long)r.top + bitmap.height))};
    ThroughScratch(dc, area, Read::Yes, [&](PixelView into, int dx, int dy) {
        DrawTransparent(into, Moved(r, dx, dy), bitmap, ToPixel(key));
    });
}

void TileBitmap(HDC canvas, const RECT& rect, PixelView bitmap, const RECT& source) {
    if (Undrawable(rect)) return;
    const PixelRect r = ToPixelRect(rect);
    const PixelRect tile = IntersectRect(ToPixelRect(source), bitmap.Bounds());
    if (tile.Empty() || r.Empty()) return;
    // The last column and row are whole tiles, so the drawn area may pass the rectangle.
    auto wholeTiles = [](int start, int end, int step) {
        const long long span = (long long)end - start;
        return int(std::min<long long>(INT_MAX, start + (span + step - 1) / step * step));
    };
    const PixelRect area{r.left, r.top, wholeTiles(r.left, r.right, tile.Width()),
                         wholeTiles(r.top, r.bottom, tile.Height())};
    ThroughScratch(canvas, area, Read::No, [&](PixelView into, int dx, int dy) {
        TileBitmap(into, Moved(r, dx, dy), bitmap, ToPixelRect(source));
    });
}

} // namespace kv

#include "skin/form/draw/PixelOps.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace kv {

PixelRect IntersectRect(const PixelRect& a, const PixelRect& b) {
    PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return {};
    return r;
}

int StretchSourceIndex(long long i, long long sw, long long dw) {
    // GDI walks the longer of the two spans; these closed forms give the pixel it lands on.
    if (dw >= sw) return int(((2 * i + 1) * sw - 1) / (2 * dw));
    return int((2 * sw * (i + 1) - dw) / (2 * dw));
}

int StretchSourceRow(long long i, long long sh, long long dh) {
    // Growing is the same as for columns; a shrinking span keeps the first row, not the last.
    if (dh >= sh) return StretchSourceIndex(i, sh, dh);
    return i == 0 ? 0 : int((2 * sh * i - dh) / (2 * dh) + 1);
}

namespace {

long long Span(int from, int to) {
    return (long long)to - from;
}

// For each target index in [first, last) of a span, the source coordinate, or -1 when it
// falls outside [0, limit).
using SourceIndex = int (*)(long long, long long, long long);

void MapSpan(std::vector<int>& map, SourceIndex index, int first, int last, int toStart,
             long long dw, int fromStart, long long sw, int limit) {
    map.resize(size_t(last - first));
    for (int t = first; t < last; ++t) {
        long long s = fromStart + (long long)index(t - (long long)toStart, sw, dw);
        map[size_t(t - first)] = (s >= 0 && s < limit) ? int(s) : -1;
    }
}

} // namespace

void StretchCopy(PixelView target, const PixelRect& to, PixelView source, const PixelRect& from) {
    StretchCopy(target, to, source, from, target.Bounds());
}

void StretchCopy(PixelView target, const PixelRect& to, PixelView source, const PixelRect& from,
                 const PixelRect& clip) {
    const long long dw = Span(to.left, to.right), dh = Span(to.top, to.bottom);
    const long long sw = Span(from.left, from.right), sh = Span(from.top, from.bottom);
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || target.Empty() || source.Empty()) return;
    const PixelRect out = IntersectRect(IntersectRect(to, clip), target.Bounds());
    if (out.Empty()) return;
    // Reused across calls: a three-slice draws its middle many times per paint.
    thread_local std::vector<int> columns, rows;
    MapSpan(columns, StretchSourceIndex, out.left, out.right, to.left, dw, from.left, sw,
            source.width);
    MapSpan(rows, StretchSourceRow, out.top, out.bottom, to.top, dh, from.top, sh, source.height);
    const bool plainRows = dw == sw && from.left >= 0 && from.left + dw <= source.width;
    for (int y = out.top; y < out.bottom; ++y) {
        const int sy = rows[size_t(y - out.top)];
        if (sy < 0) continue;
        Pixel* dst = target.Row(y) + out.left;
        const Pixel* src = source.Row(sy);
        if (plainRows) {
            std::memcpy(dst, src + columns[0], size_t(out.Width()) * sizeof(Pixel));
            continue;
        }
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i] >= 0) dst[i] = src[columns[i]];
    }
}

void KeyCopy(PixelView target, int x, int y, PixelView source, Pixel key, const PixelRect& clip) {
    if (target.Empty() || source.Empty()) return;
    const PixelRect placed{x, y, int(std::min<long long>((long long)x + source.width, INT_MAX)),
                           int(std::min<long long>((long long)y + source.height, INT_MAX))};
    const PixelRect out = IntersectRect(IntersectRect(placed, clip), target.Bounds());
    if (out.Empty()) return;
    const Pixel rgbKey = RgbOf(key);
    for (int ty = out.top; ty < out.bottom; ++ty) {
        const Pixel* src = source.Row(ty - y) + (out.left - x);
        Pixel* dst = target.Row(ty) + out.left;
        for (int i = 0; i < out.Width(); ++i)
            if (RgbOf(src[i]) != rgbKey) dst[i] = src[i];
    }
}

void TileCopy(PixelView target, const PixelRect& to, PixelView source, const PixelRect& from,
              const PixelRect& clip) {
    const PixelRect tile = IntersectRect(from, source.Bounds());
    if (tile.Empty() || to.right < to.left || to.bottom < to.top || target.Empty()) return;
    const PixelRect area = IntersectRect(clip, target.Bounds());
    if (area.Empty()) return;
    const int tw = tile.Width(), th = tile.Height();
    // Tile columns and rows before the visible area add nothing; start at the first one that
    // reaches it so a huge target costs only its visible part.
    auto firstStep = [](int start, int visible, int step) {
        return visible <= start ? 0LL : ((long long)visible - start) / step;
    };
    for (long long ty = to.top + firstStep(to.top, area.top, th) * th;
         ty < to.bottom && ty < area.bottom; ty += th) {
        for (long long tx = to.left + firstStep(to.left, area.left, tw) * tw;
             tx < to.right && tx < area.right; tx += tw) {
            const PixelRect cell{int(tx), int(ty), int(std::min<long long>(tx + tw, INT_MAX)),
                                 int(std::min<long long>(ty + th, INT_MAX))};
            const PixelRect out = IntersectRect(cell, area);
            for (int y = out.top; y < out.bottom; ++y)
                std::memcpy(target.Row(y) + out.left,
                            source.Row(tile.top + (y - cell.top)) + tile.left +
                                (out.left - cell.left),
                            size_t(out.Width()) * sizeof(Pixel));
        }
    }
}

} // namespace kv

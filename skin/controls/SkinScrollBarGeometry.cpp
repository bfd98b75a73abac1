#include "skin/controls/SkinScrollBarGeometry.h"

#include <algorithm>
#include <climits>

namespace kv {

namespace {

// Hit codes as the scroll messages carry them.
enum : int { kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbTrack = 5 };

int ClampToInt(int64_t v) {
    return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

} // namespace

int64_t ScrollMulDiv(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return -1;
    // One factor is always a pixel count, the other below 2^33: the product fits 64 bits.
    const int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const uint64_t p = uint64_t(product < 0 ? -product : product);
    const uint64_t d = uint64_t(c < 0 ? -c : c);
    const uint64_t q = (p + d / 2) / d;
    return negative ? -int64_t(q) : int64_t(q);
}

BarRects CalcBarRects(int width, int height, int clientW, int clientH, int s, bool horz,
                      bool vert, bool leftScrollBar) {
    const int R = width, B = height;
    const int e = vert ? (R - clientW - s) / 2 : horz ? (B - clientH - s) / 2 : 0;
    BarRects r;
    if (horz && vert) {
        if (leftScrollBar) {
            r.horz = {e + s, B - e - s, R - e, B - e};
            r.vert = {e, e, e + s, B - e - s};
            r.corner = {e, B - e - s, e + s, B - e};
        } else {
            r.horz = {e, B - e - s, R - e - s, B - e};
            r.vert = {R - e - s, e, R - e, B - e - s};
            r.corner = {R - e - s, B - e - s, R - e, B - e};
        }
    } else if (vert) {
        r.vert = leftScrollBar ? Rect32{e, e, e + s, B - e} : Rect32{R - e - s, e, R - e, B - e};
    } else if (horz) {
        r.horz = {e, B - e - s, R - e, B - e};
    }
    return r;
}

int DrawnArrowLength(int length, int arrow) {
    return length < 2 * arrow ? std::max(length, 0) / 2 : arrow;
}

bool CalcThumbMetrics(const ThumbInput& in, int length, int arrow, int minThumb, int defaultThumb,
                      BarMetrics& out) {
    if (in.span <= 0) return false;
    const int track = std::max(length - 2 * arrow, 0);
    int64_t thumb = in.page != 0 ? std::max<int64_t>(ScrollMulDiv(in.page, track, in.span), minThumb)
                                 : defaultThumb;
    thumb = std::clamp<int64_t>(thumb, 0, track);
    int64_t pos = 0;
    if (in.page == in.span)
        thumb = std::max<int64_t>(thumb - 1, 0); // the page is the whole range
    else
        pos = ScrollMulDiv(in.offset, track - thumb, in.span - in.page);
    pos = std::clamp<int64_t>(pos, 0, track - thumb);
    out.ArrowSize = arrow;
    out.TrackLength = track;
    out.ThumbLength = int(thumb);
    out.ThumbPos = int(pos);
    return true;
}

int HitTestBar(int p, const BarMetrics& b) {
    const int64_t a = b.ArrowSize, t = b.ThumbPos, l = b.ThumbLength, k = b.TrackLength;
    if (p < a) return kLineUp;
    if (p < a + t) return kPageUp;
    if (p < a + t + l) return kThumbTrack;
    if (p < a + k) return kPageDown;
    if (p < 2 * a + k) return kLineDown;
    return -1;
}

int DragPosition(int& thumb, int nMin, int nMax, int64_t page, const BarMetrics& bar) {
    const int64_t range = int64_t(nMax) - nMin;
    int64_t position;
    if (page == 0) {
        const int free = std::max(bar.TrackLength - bar.ThumbLength, 0);
        thumb = std::clamp(thumb, 0, free);
        position = std::min<int64_t>(ScrollMulDiv(thumb, range, free) + nMin, nMax);
    } else {
        thumb = std::clamp(thumb, 0, std::max(bar.TrackLength, 0));
        position = ScrollMulDiv(thumb, range, bar.TrackLength) + nMin;
        if (position >= nMax - page) position = nMax - page + 1;
    }
    return ClampToInt(std::max<int64_t>(position, nMin));
}

} // namespace kv

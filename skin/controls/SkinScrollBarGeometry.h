#pragma once
// The arithmetic of skinned scroll bars: where the bars sit in a window, how long the thumb is
// and where, which part a point hits, and which position a dragged thumb stands for.
//
// Contract
// - Plain functions of plain integers; no window is touched.
// - Every product and difference is taken in 64 bits, so ranges up to 2^31 - 1 (and minimums
//   below zero) neither overflow nor change sign. A division by zero never happens: ScrollMulDiv
//   answers -1 for it, as MulDiv does, and the callers' limits absorb that.
// - Thumb metrics are never negative: a bar shorter than its two arrows has a track of 0, and
//   the thumb position stays within 0..track - thumb.
#include <cstdint>

namespace kv {

// Pressed part of a skinned scroll bar.
enum ScrollPart : int {
    spNone = 0,
    spLeftArrow = 1,
    spRightArrow = 2,
    spUpArrow = 3,
    spDownArrow = 4,
    spHorzThumb = 5,
    spVertThumb = 6,
};

// One bar: arrow length, track length (bar minus both arrows), thumb length and the thumb's
// offset from the end of the first arrow.
struct BarMetrics {
    int ArrowSize = 0;
    int TrackLength = 0;
    int ThumbLength = 0;
    int ThumbPos = 0;
};

// What a thumb is computed from: a range (already the span its page is compared with), the
// page, and the position counted from the range's start.
struct ThumbInput {
    int64_t span = 0;   // > 0, or the metrics are left as they were
    int64_t page = 0;   // 0: the thumb has the default length
    int64_t offset = 0; // position - minimum
};

struct Rect32 {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect32&) const = default;
};

struct BarRects {
    Rect32 horz, vert, corner;
};

// a * b / c in 64 bits, rounded to the nearest (halves away from zero); -1 when c is 0. One of
// a and b must be a pixel count (below 2^31), the other below 2^33.
int64_t ScrollMulDiv(int64_t a, int64_t b, int64_t c);

// Where the bars are in a window of `width` x `height` whose client area is clientW x clientH;
// `s` is the bar thickness. Bars absent from the flags have empty rectangles.
BarRects CalcBarRects(int width, int height, int clientW, int clientH, int s, bool horz,
                      bool vert, bool leftScrollBar);

// The arrow length drawn on a bar of `length`: `arrow`, or half the bar when it is shorter
// than two arrows.
int DrawnArrowLength(int length, int arrow);

// Thumb length and position on a bar of `length` with arrows `arrow` long. False (and `out`
// unchanged) when the span is not positive. `minThumb` is the shortest thumb with a page,
// `defaultThumb` the length without one.
bool CalcThumbMetrics(const ThumbInput& in, int length, int arrow, int minThumb, int defaultThumb,
                      BarMetrics& out);

// SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK, SB_PAGEDOWN, SB_LINEDOWN for a point `p` along the bar
// (client coordinates), or -1 past its end.
int HitTestBar(int p, const BarMetrics& bar);

// The position a thumb dragged to `thumb` pixels (from the end of the first arrow) stands for,
// within nMin..nMax; with a page it never passes nMax - page + 1. `thumb` is limited to the
// track first and written back.
int DragPosition(int& thumb, int nMin, int nMax, int64_t page, const BarMetrics& bar);

} // namespace kv

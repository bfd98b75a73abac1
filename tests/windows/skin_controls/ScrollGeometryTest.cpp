// The arithmetic of skinned scroll bars: bar places, thumb metrics, hit codes and dragged
// positions, hostile ranges included (0, a page as large as the range, 2^31 - 1, short bars).
#include "skin/controls/SkinScrollBarGeometry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>

namespace kv {
namespace {

TEST(ScrollMulDiv, RoundsLikeMulDivAndAnswersMinusOneForAZeroDivisor) {
    EXPECT_EQ(ScrollMulDiv(10, 100, 20), 50);
    EXPECT_EQ(ScrollMulDiv(1, 3, 2), 2);   // 1.5 rounds up
    EXPECT_EQ(ScrollMulDiv(-1, 3, 2), -2); // halves away from zero
    EXPECT_EQ(ScrollMulDiv(5, 7, 0), -1);
    EXPECT_EQ(ScrollMulDiv(INT_MAX, 300, 1), int64_t(INT_MAX) * 300); // 64 bits wide
    EXPECT_EQ(ScrollMulDiv(INT_MAX, 200, INT_MAX), 200);
}

TEST(CalcBarRects, BothBarsLeaveTheCornerSquareOnTheVerticalBarsSide) {
    // 100 x 80 window, 1-pixel border, 16-pixel bars: client 82 x 62.
    const BarRects right = CalcBarRects(100, 80, 82, 62, 16, true, true, false);
    EXPECT_EQ(right.horz, (Rect32{1, 63, 83, 79}));
    EXPECT_EQ(right.vert, (Rect32{83, 1, 99, 63}));
    EXPECT_EQ(right.corner, (Rect32{83, 63, 99, 79}));
    const BarRects left = CalcBarRects(100, 80, 82, 62, 16, true, true, true);
    EXPECT_EQ(left.horz, (Rect32{17, 63, 99, 79}));
    EXPECT_EQ(left.vert, (Rect32{1, 1, 17, 63}));
    EXPECT_EQ(left.corner, (Rect32{1, 63, 17, 79}));
}

TEST(CalcBarRects, OneBarRunsTheWholeSideAndHasNoCorner) {
    const BarRects vert = CalcBarRects(100, 80, 82, 78, 16, false, true, false);
    EXPECT_EQ(vert.vert, (Rect32{83, 1, 99, 79}));
    EXPECT_TRUE(vert.horz.Empty());
    EXPECT_TRUE(vert.corner.Empty());
    EXPECT_EQ(CalcBarRects(100, 80, 82, 78, 16, false, true, true).vert, (Rect32{1, 1, 17, 79}));
    // A horizontal bar alone is at the bottom even with the left-scroll-bar style.
    EXPECT_EQ(CalcBarRects(100, 80, 98, 62, 16, true, false, true).horz, (Rect32{1, 63, 99, 79}));
}

TEST(DrawnArrowLength, ABarShorterThanTwoArrowsGivesEachHalf) {
    EXPECT_EQ(DrawnArrowLength(100, 16), 16);
    EXPECT_EQ(DrawnArrowLength(32, 16), 16);
    EXPECT_EQ(DrawnArrowLength(25, 16), 12);
    EXPECT_EQ(DrawnArrowLength(0, 16), 0);
    EXPECT_EQ(DrawnArrowLength(-5, 16), 0);
}

BarMetrics Thumb(int64_t span, int64_t page, int64_t offset, int length) {
    BarMetrics m;
    EXPECT_TRUE(CalcThumbMetrics({span, page, offset}, length, 16, 8, 16, m));
    return m;
}

TEST(CalcThumbMetrics, ThumbFollowsPageAndPosition) {
    // 0..100, page 10 on a bar of 232: track 200, thumb 20.
    BarMetrics m = Thumb(100, 10, 0, 232);
    EXPECT_EQ(m.TrackLength, 200);
    EXPECT_EQ(m.ThumbLength, 20);
    EXPECT_EQ(m.ThumbPos, 0);
    EXPECT_EQ(Thumb(100, 10, 45, 232).ThumbPos, 90);
    EXPECT_EQ(Thumb(100, 10, 90, 232).ThumbPos, 180); // the last page ends at the track's end
    EXPECT_EQ(Thumb(100, 1, 0, 232).ThumbLength, 8); // never shorter than the minimum
    EXPECT_EQ(Thumb(100, 0, 0, 232).ThumbLength, 16); // no page: the default length
}

TEST(CalcThumbMetrics, HostileRangesGiveSaneMetrics) {
    BarMetrics kept{16, 1, 2, 3};
    EXPECT_FALSE(CalcThumbMetrics({0, 0, 0}, 232, 16, 8, 16, kept)); // range 0: metrics stay
    EXPECT_EQ(kept.ThumbPos, 3);
    EXPECT_FALSE(CalcThumbMetrics({-5, 0, 0}, 232, 16, 8, 16, kept));

    const BarMetrics whole = Thumb(100, 100, 0, 232); // the page is the range
    EXPECT_EQ(whole.ThumbPos, 0);
    EXPECT_EQ(whole.ThumbLength, 199);

    const BarMetrics bigger = Thumb(100, 150, 50, 232); // range - page < 0: no negative place
    EXPECT_EQ(bigger.ThumbPos, 0);
    EXPECT_LE(bigger.ThumbLength, bigger.TrackLength);

    const BarMetrics huge = Thumb(INT_MAX, 1000, INT_MAX - 1000, 232);
    EXPECT_EQ(huge.ThumbLength, 8);
    EXPECT_EQ(huge.ThumbPos, 192);
    // A position below the minimum (an offset < 0) or past the end stays on the track.
    EXPECT_EQ(Thumb(100, 10, -50, 232).ThumbPos, 0);
    EXPECT_EQ(Thumb(100, 10, int64_t(INT_MAX) * 2, 232).ThumbPos, 180);
}

TEST(CalcThumbMetrics, ABarShorterThanItsArrowsHasAnEmptyTrack) {
    for (int length : {0, 10, 31, 32}) {
        const BarMetrics m = Thumb(100, 10, 50, length);
        EXPECT_EQ(m.TrackLength, 0) << length;
        EXPECT_EQ(m.ThumbLength, 0) << length;
        EXPECT_EQ(m.ThumbPos, 0) << length;
    }
}

TEST(HitTestBar, ArrowsPagesAndThumbInTheirOrder) {
    const BarMetrics m{16, 200, 20, 50};
    EXPECT_EQ(HitTestBar(-3, m), SB_LINEUP);
    EXPECT_EQ(HitTestBar(15, m), SB_LINEUP);
    EXPECT_EQ(HitTestBar(16, m), SB_PAGEUP);
    EXPECT_EQ(HitTestBar(66, m), SB_THUMBTRACK);
    EXPECT_EQ(HitTestBar(85, m), SB_THUMBTRACK);
    EXPECT_EQ(HitTestBar(86, m), SB_PAGEDOWN);
    EXPECT_EQ(HitTestBar(216, m), SB_LINEDOWN);
    EXPECT_EQ(HitTestBar(232, m), -1);
}

TEST(DragPosition, WithAPageThePositionNeverPassesTheLastPageStart) {
    const BarMetrics bar{16, 200, 20, 0};
    int highest = INT_MIN;
    for (int thumb = -50; thumb <= 400; ++thumb) {
        int t = thumb;
        const int p = DragPosition(t, 0, 100, 10, bar);
        EXPECT_GE(p, 0);
        EXPECT_GE(t, 0);
        EXPECT_LE(t, 200);
        highest = std::max(highest, p);
    }
    EXPECT_EQ(highest, 91);
}

TEST(DragPosition, WithoutAPageTheWholeRangeIsReached) {
    const BarMetrics bar{16, 200, 16, 0};
    int t = 184;
    EXPECT_EQ(DragPosition(t, -10, 10, 0, bar), 10);
    t = 1000;
    EXPECT_EQ(DragPosition(t, -10, 10, 0, bar), 10);
    EXPECT_EQ(t, 184);
    t = 0;
    EXPECT_EQ(DragPosition(t, -10, 10, 0, bar), -10);
}

TEST(DragPosition, ZeroTracksAndHugeRangesNeitherDivideByZeroNorOverflow) {
    const BarMetrics none{16, 0, 0, 0};
    int t = 30;
    EXPECT_EQ(DragPosition(t, 5, 100, 10, none), 5);
    t = 30;
    EXPECT_EQ(DragPosition(t, 5, 100, 0, none), 5);
    const BarMetrics full{16, 200, 200, 0}; // the thumb fills the track
    t = 50;
    EXPECT_EQ(DragPosition(t, 0, 100, 0, full), 0);
    const BarMetrics bar{16, 200, 8, 0};
    t = 200;
    EXPECT_EQ(DragPosition(t, 0, INT_MAX, 1000, bar), INT_MAX - 1000 + 1);
    t = 96; // half of the free track: the middle of the widest range
    const int middle = DragPosition(t, INT_MIN, INT_MAX, 0, bar);
    EXPECT_GE(middle, -1);
    EXPECT_LE(middle, 1);
}

} // namespace
} // namespace kv

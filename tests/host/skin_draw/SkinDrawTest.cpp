#include "skin/form/draw/SkinDraw.h"

#include "PixelArt.h"

#include <gtest/gtest.h>

#include <climits>

namespace kv {
namespace {

using test::Art;
using test::Filled;
using test::Rows;
using test::Text;

const PixelBuffer kFrame4 = Art({"abcd", "efgh", "ijkl", "mnop"});
constexpr PixelRect kOnes{1, 1, 1, 1};

TEST(StripFrame, SideBySideStackedAndHostileCounts) {
    const PixelBuffer strip(12, 5);
    EXPECT_EQ(StripFrame(strip.View(), false, 4, 3).left, 6);
    EXPECT_EQ(StripFrame(strip.View(), false, 4, 3).right, 9);
    EXPECT_EQ(StripFrame(strip.View(), false, 4, 3).bottom, 5);
    const PixelBuffer stack(5, 12);
    const PixelRect second = StripFrame(stack.View(), true, 3, 2);
    EXPECT_EQ(second.top, 4);
    EXPECT_EQ(second.bottom, 8);
    EXPECT_EQ(second.right, 5);
    // A count below 1 counts as 1; frames outside the strip or 0 wide do not exist.
    EXPECT_EQ(StripFrame(strip.View(), false, 0, 1).right, 12);
    EXPECT_EQ(StripFrame(strip.View(), false, -7, 1).right, 12);
    EXPECT_TRUE(StripFrame(strip.View(), false, 4, 0).Empty());
    EXPECT_TRUE(StripFrame(strip.View(), false, 4, 5).Empty());
    EXPECT_TRUE(StripFrame(strip.View(), false, 23, 1).Empty()); // 12 / 23 = 0
    EXPECT_TRUE(StripFrame(strip.View(), false, INT_MAX, INT_MAX).Empty());
    EXPECT_TRUE(StripFrame(PixelView{}, false, 1, 1).Empty());
}

TEST(StripFrame, MarginsClampToTheFrame) {
    const PixelRect m = ClampMargins({-5, INT_MAX, INT_MIN, 3}, {0, 0, 4, 2});
    EXPECT_EQ(m.left, 0);
    EXPECT_EQ(m.top, 2);
    EXPECT_EQ(m.right, 0);
    EXPECT_EQ(m.bottom, 2);
}

TEST(BuildNineSlice, StretchesEdgesAndCentreKeepsCorners) {
    const PixelBuffer out = BuildNineSlice({0, 0, 6, 6}, kFrame4.View(), kOnes, false, false, 1, 1);
    EXPECT_EQ(Text(out), (Rows{"abbccd", "effggh", "effggh", "ijjkkl", "ijjkkl", "mnnoop"}));
    // Only the rectangle's size counts.
    EXPECT_EQ(Text(BuildNineSlice({10, 20, 16, 26}, kFrame4.View(), kOnes, false, false, 1, 1)),
              Text(out));
}

TEST(BuildNineSlice, TilesTheCentreAndCoversTheOverflow) {
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 6, 6}, kFrame4.View(), kOnes, false, true, 1, 1)),
              (Rows{"abbccd", "efgfgh", "ejkjkh", "ifgfgl", "ijkjkl", "mnnoop"}));
    // A 3x3 centre from 2x2 tiles: the second tiles run under the right and bottom edges.
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 5, 5}, kFrame4.View(), kOnes, false, true, 1, 1)),
              (Rows{"abbcd", "efgfh", "ejkjh", "ifgfl", "mnnop"}));
}

TEST(BuildNineSlice, NarrowTargetsDropMarginsAndZeroMarginsStretchTheFrame) {
    const PixelBuffer frame3 = Art({"abc", "def", "ghi"});
    // Width 5 is below left + right (4 + 4, clamped to 3 + 3): the middle column spans it all.
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 5, 3}, frame3.View(), {4, 1, 4, 1}, false, false, 1, 1)),
              (Rows{"aabcc", "ddeff", "gghii"}));
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 6, 2}, frame3.View(), {}, false, false, 1, 1)),
              (Rows{"aabbcc", "gghhii"}));
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 4, 3}, frame3.View(), {}, false, true, 1, 1)),
              (Rows{"abca", "defd", "ghig"}));
}

TEST(BuildNineSlice, PicksTheFrameOfTheStrip) {
    const PixelBuffer stacked = Art({"abc", "def", "ghi", "jkl", "mno", "pqr"});
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 3, 3}, stacked.View(), kOnes, true, false, 2, 2)),
              (Rows{"jkl", "mno", "pqr"}));
    const PixelBuffer sideBySide = Art({"abcdef", "ghijkl"});
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 2, 2}, sideBySide.View(), {}, false, false, 3, 3)),
              (Rows{"ef", "kl"}));
}

TEST(BuildNineSlice, HostileGeometryGivesEmptyOrBlackNeverOutOfBounds) {
    const PixelView image = kFrame4.View();
    EXPECT_TRUE(BuildNineSlice({0, 0, -1, 4}, image, kOnes, false, false, 1, 1).Empty());
    EXPECT_TRUE(BuildNineSlice({INT_MIN, 0, INT_MAX, 4}, image, kOnes, false, false, 1, 1).Empty());
    EXPECT_TRUE(BuildNineSlice({0, 0, 100000, 100000}, image, kOnes, false, true, 1, 1).Empty());
    // No such frame: the bitmap exists and stays black.
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 2, 1}, image, kOnes, false, false, 23, 1)), (Rows{".."}));
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 2, 1}, image, kOnes, false, false, 2, 3)), (Rows{".."}));
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 2, 1}, PixelView{}, kOnes, false, false, 1, 1)),
              (Rows{".."}));
    // Margins as large as the frame leave no middle to stretch: only corners are drawn.
    EXPECT_EQ(Text(BuildNineSlice({0, 0, 9, 9}, image, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, false,
                                  true, 1, 1)),
              (Rows{"abcd.abcd", "efgh.efgh", "ijkl.ijkl", "mnop.mnop", ".........", "abcd.abcd",
                    "efgh.efgh", "ijkl.ijkl", "mnop.mnop"}));
    const PixelBuffer negative =
        BuildNineSlice({0, 0, 3, 3}, image, {-9, -9, INT_MIN, -1}, false, false, 0, 1);
    EXPECT_EQ(Text(negative), (Rows{"acd", "egh", "mop"}));
}

TEST(DrawNineSlice, DrawsAtTheRectangleWithinTheTarget) {
    PixelBuffer target = Filled(8, 7, 'z');
    DrawNineSlice(target.View(), {1, 1, 7, 7}, kFrame4.View(), false, false, false, 1, 1, kOnes);
    EXPECT_EQ(Text(target), (Rows{"zzzzzzzz", "zabbccdz", "zeffgghz", "zeffgghz", "zijjkklz",
                                  "zijjkklz", "zmnnoopz"}));
}

TEST(DrawNineSlice, TransparentLeavesMagentaOut) {
    const PixelBuffer caption = Art({"MbcM", "efgh", "ijkl"});
    PixelBuffer target = Filled(5, 3, 'z');
    DrawNineSlice(target.View(), {0, 0, 5, 3}, caption.View(), false, false, true, 1, 1, kOnes);
    EXPECT_EQ(Text(target), (Rows{"zbbcz", "effgh", "ijjkl"}));
}

// Every routine must give the same pixels when its rectangle hangs over the target's edge as
// the matching crop of the same drawing made on a larger target.
template <typename Draw> void ExpectCropInvariant(Draw draw) {
    PixelBuffer big = Filled(20, 20, 'z');
    draw(big.View(), PixelRect{2, 3, 13, 12});
    PixelBuffer small = Filled(8, 7, 'z');
    draw(small.View(), PixelRect{-3, -2, 8, 7});
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(test::Letter(small.At(x, y)), test::Letter(big.At(x + 5, y + 5)))
                << x << "," << y;
}

TEST(DrawRoutines, RectanglesOverTheTargetEdgeClipExactly) {
    const PixelBuffer strip = Art({"aMcdefgh", "iMklmnop", "qrstuMwx"});
    const PixelRect m{1, 1, 1, 1};
    for (bool flag : {false, true}) {
        ExpectCropInvariant([&](PixelView t, PixelRect r) {
            DrawNineSlice(t, r, strip.View(), false, flag, flag, 2, 2, m);
        });
        ExpectCropInvariant([&](PixelView t, PixelRect r) {
            DrawNineSliceDirect(t, r, strip.View(), false, flag, 2, 1, m);
        });
        ExpectCropInvariant([&](PixelView t, PixelRect r) {
            StretchPiece(t, r, strip.View(), false, flag, 1, 1, {2, 0, 3, 0});
        });
        ExpectCropInvariant(
            [&](PixelView t, PixelRect r) { DrawSkinStrip(t, r, strip.View(), flag, 4, 3); });
    }
    ExpectCropInvariant(
        [&](PixelView t, PixelRect r) { DrawTransparent(t, r, strip.View(), kMagenta); });
    ExpectCropInvariant([&](PixelView t, PixelRect r) {
        TileBitmap(t, r, strip.View(), {1, 0, 4, 2});
    });
}

TEST(DrawRoutines, InvertedOrOffTargetRectanglesDrawNothing) {
    PixelBuffer target = Filled(4, 4, 'z');
    const PixelView t = target.View(), img = kFrame4.View();
    for (PixelRect r :
         {PixelRect{3, 0, 2, 4}, PixelRect{0, 3, 4, 2}, PixelRect{INT_MIN, 0, INT_MAX, 4},
          PixelRect{-1000000000, 0, -999999990, 4}, PixelRect{1 << 30, 0, INT_MAX, 4}}) {
        DrawNineSlice(t, r, img, false, true, false, 1, 1, kOnes);
        DrawNineSlice(t, r, img, false, false, true, 1, 1, kOnes);
        DrawNineSliceDirect(t, r, img, false, false, 1, 1, kOnes);
        StretchPiece(t, r, img, false, false, 1, 1, kOnes);
        StretchPiece(t, r, img, false, true, 1, 1, kOnes);
        DrawSkinStrip(t, r, img, true, 1, 1);
        DrawTransparent(t, r, img, kMagenta);
        TileBitmap(t, r, img, {0, 0, 1, 1});
    }
    EXPECT_EQ(Text(target), (Rows{"zzzz", "zzzz", "zzzz", "zzzz"}));
}

TEST(DrawNineSliceDirect, DrawsTheBorderAndLeavesTheCentre) {
    PixelBuffer target = Filled(6, 5, 'z');
    DrawNineSliceDirect(target.View(), {0, 0, 6, 5}, kFrame4.View(), false, true, 1, 1, kOnes);
    EXPECT_EQ(Text(target), (Rows{"abbccd", "ezzzzh", "ezzzzh", "izzzzl", "mnnoop"}));
}

TEST(StretchPiece, RepeatsTheMiddleAtItsOwnWidth) {
    const PixelBuffer bar = Art({"abcde", "fghij"});
    PixelBuffer target = Filled(9, 4, 'z');
    // Middle "bcd" is 3 wide: copies at 1 and 4; the one at 7 passes 8 and is covered.
    StretchPiece(target.View(), {0, 0, 9, 4}, bar.View(), false, false, 1, 1, {1, 0, 1, 0});
    EXPECT_EQ(Text(target), (Rows{"abcdbcdbe", "abcdbcdbe", "fghighigj", "fghighigj"}));
}

TEST(StretchPiece, ANonPositiveMiddleDrawsOnlyTheEnds) {
    const PixelBuffer bar = Art({"abcd"});
    PixelBuffer target = Filled(7, 1, 'z');
    StretchPiece(target.View(), {0, 0, 7, 1}, bar.View(), false, false, 1, 1, {2, 0, 2, 0});
    EXPECT_EQ(Text(target), (Rows{"abzzzcd"}));
    target = Filled(7, 1, 'z');
    StretchPiece(target.View(), {0, 0, 7, 1}, bar.View(), false, false, 1, 1, {3, 0, 3, 0});
    EXPECT_EQ(Text(target), (Rows{"abczbcd"}));
    // Ends wider than the target overlap, the right end last.
    target = Filled(3, 1, 'z');
    StretchPiece(target.View(), {0, 0, 3, 1}, bar.View(), false, false, 1, 1, {2, 0, 2, 0});
    EXPECT_EQ(Text(target), (Rows{"acd"}));
}

TEST(StretchPiece, StackedFramesAndTransparency) {
    const PixelBuffer bars = Art({"abc", "dMf"});
    PixelBuffer target = Filled(5, 2, 'z');
    StretchPiece(target.View(), {0, 0, 5, 2}, bars.View(), true, true, 2, 2, {1, 0, 1, 0});
    EXPECT_EQ(Text(target), (Rows{"dzzzf", "dzzzf"}));
}

TEST(DrawSkinStrip, TakesTheRequestedQuarter) {
    const PixelBuffer strip = Art({"aabbccdd", "eeffgghh"});
    PixelBuffer target = Filled(4, 4, 'z');
    DrawSkinStrip(target.View(), {0, 0, 4, 4}, strip.View(), false, 4, 3);
    EXPECT_EQ(Text(target), (Rows{"cccc", "cccc", "gggg", "gggg"}));
    const PixelBuffer keyed = Art({"aMbM"});
    target = Filled(4, 1, 'z');
    DrawSkinStrip(target.View(), {0, 0, 4, 1}, keyed.View(), true, 2, 1);
    EXPECT_EQ(Text(target), (Rows{"aazz"}));
    target = Filled(4, 1, 'z');
    DrawSkinStrip(target.View(), {0, 0, 4, 1}, keyed.View(), false, 9, 1); // 4 / 9 = 0 wide
    DrawSkinStrip(target.View(), {0, 0, 4, 1}, keyed.View(), false, 2, 3);
    EXPECT_EQ(Text(target), (Rows{"zzzz"}));
}

TEST(DrawTransparent, CopiesUnstretchedUpToTheRectangle) {
    const PixelBuffer art = Art({"aMb", "Mcc"});
    PixelBuffer target = Filled(4, 3, 'z');
    DrawTransparent(target.View(), {1, 1, 3, 4}, art.View(), kMagenta);
    EXPECT_EQ(Text(target), (Rows{"zzzz", "zazz", "zzcz"}));
    target = Filled(2, 1, 'z');
    DrawTransparent(target.View(), {0, 0, 2, 1}, art.View(), test::Colour('a'));
    EXPECT_EQ(Text(target), (Rows{"zM"}));
}

TEST(TileBitmap, RepeatsTheSourceFromTheTopLeft) {
    const PixelBuffer art = Art({"abc", "def"});
    PixelBuffer target = Filled(6, 3, 'z');
    TileBitmap(target.View(), {0, 0, 5, 3}, art.View(), {1, 0, 3, 2});
    EXPECT_EQ(Text(target), (Rows{"bcbcbc", "efefef", "bcbcbc"}));
    target = Filled(3, 1, 'z');
    TileBitmap(target.View(), {0, 0, 3, 1}, art.View(), {2, 0, 1, 1}); // inverted source
    TileBitmap(target.View(), {0, 0, 3, 1}, art.View(), {0, 0, 0, 5}); // no area
    TileBitmap(target.View(), {0, 0, 3, 1}, art.View(), {5, 5, 9, 9}); // outside the bitmap
    EXPECT_EQ(Text(target), (Rows{"zzz"}));
}

TEST(MinMaxInt, PickTheSmallerAndLarger) {
    EXPECT_EQ(MinInt(3, -4), -4);
    EXPECT_EQ(MaxInt(3, -4), 3);
    EXPECT_EQ(MinInt(INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(MaxInt(INT_MIN, INT_MAX), INT_MAX);
}

} // namespace
} // namespace kv

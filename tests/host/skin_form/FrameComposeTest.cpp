// The frame composed on pixels: pieces in their active and inactive frames, the caption bar,
// buttons, and the window shape made of the pieces' non-magenta pixels.
#include "skin/form/logic/FrameCompose.h"

#include "tests/host/skin_draw/PixelArt.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace kv {
namespace {

using test::Art;
using test::Rows;
using test::Text;

// An 8 x 6 window: sides 2 wide (frames 'a'/'b' left, 'g'/'h' right), caption 2 high ('c'
// active with magenta outer corners, 'd' inactive), bottom 1 high ('e'/'f').
struct SmallSkin : ::testing::Test {
    TSkinDefinition skin;
    BorderSizes sizes;
    void SetUp() override {
        skin.BorderLeft.Bitmap = Art({"aabb", "aabb"});
        skin.BorderLeft.FrameCount = 2;
        skin.BorderRight.Bitmap = Art({"gghh", "gghh"});
        skin.BorderRight.FrameCount = 2;
        skin.BorderTop.Bitmap = Art({"MccM", "cccc", "dddd", "dddd"});
        skin.BorderTop.FrameCount = 2;
        skin.BorderTop.LeftWidth = 1;
        skin.BorderTop.RightWidth = 1;
        skin.BorderBottom.Bitmap = Art({"eeee", "ffff"});
        skin.BorderBottom.FrameCount = 2;
        sizes = ComputeBorderSizes(skin, FrameKind::Edged);
    }
};

TEST_F(SmallSkin, SizesFollowThePieces) {
    EXPECT_EQ(sizes.left, 2);
    EXPECT_EQ(sizes.right, 2);
    EXPECT_EQ(sizes.caption, 2);
    EXPECT_EQ(sizes.bottom, 1);
}

TEST_F(SmallSkin, CaptionBarActiveAndInactive) {
    PixelBuffer caption(8, 2);
    ComposeCaptionBar(caption.View(), sizes, skin, true, {}, 6);
    EXPECT_EQ(Text(caption), (Rows{"aaMccMgg", "aaccccgg"}));
    ComposeCaptionBar(caption.View(), sizes, skin, false, {}, 6);
    EXPECT_EQ(Text(caption), (Rows{"bbddddhh", "bbddddhh"}));
}

TEST_F(SmallSkin, CaptionRowsOfTheSidesAreTheirFullHeightPieces) {
    // A side piece with a fixed top end: in the caption it shows its top rows as on the
    // window's full height, not squeezed into the caption's rows.
    skin.BorderLeft.Bitmap = Art({"11", "22", "33", "44"});
    skin.BorderLeft.FrameCount = 1;
    skin.BorderLeft.TopHeight = 1;
    skin.BorderLeft.BottomHeight = 1;
    PixelBuffer caption(8, 2);
    ComposeCaptionBar(caption.View(), sizes, skin, true, {}, 6);
    EXPECT_EQ(Text(caption)[0].substr(0, 2), "11");
    EXPECT_EQ(Text(caption)[1].substr(0, 2), "22");
}

TEST_F(SmallSkin, OneFramePiecesLookTheSameInactive) {
    skin.BorderLeft.FrameCount = 1;
    skin.BorderLeft.Bitmap = Art({"aa", "aa"});
    PixelBuffer target(8, 6);
    ComposeBorderPiece(target.View(), LeftPieceRect(sizes, 8, 6), skin, BorderPiece::Left, false);
    EXPECT_EQ(Text(target)[3].substr(0, 3), "aa.");
}

TEST_F(SmallSkin, SideAndBottomPiecesFillTheirRects) {
    PixelBuffer target(8, 6);
    ComposeBorderPiece(target.View(), RightPieceRect(sizes, 8, 6), skin, BorderPiece::Right, true);
    ComposeBorderPiece(target.View(), BottomPieceRect(sizes, 8, 6), skin, BorderPiece::Bottom,
                       false);
    EXPECT_EQ(Text(target)[4], "......gg");
    EXPECT_EQ(Text(target)[5], "..ffffgg");
}

TEST_F(SmallSkin, HostilePieceGeometryDrawsInsideTheTarget) {
    skin.BorderTop.LeftWidth = 100000;
    skin.BorderTop.RightWidth = -5;
    skin.BorderTop.FrameCount = 0;
    PixelBuffer caption(8, 2);
    ComposeCaptionBar(caption.View(), sizes, skin, true, {}, 6);
    PixelBuffer target(3, 3);
    ComposeBorderPiece(target.View(), {-50, -50, 5000, 5000}, skin, BorderPiece::Top, true);
    ComposeBorderPiece(target.View(), {5, 5, 1, 1}, skin, BorderPiece::Top, true); // inverted
    SUCCEED();
}

TEST_F(SmallSkin, TextBackgroundWithoutMiddleDrawsItsEndsAndFinishes) {
    skin.Title.Bitmap = Art({"xyz", "XYZ"}); // frame 1 "xyz", frame 2 "XYZ"
    skin.Title.TextBackLeft = 2;
    skin.Title.TextBackRight = 2; // 2 + 2 > 3: no middle
    PixelBuffer caption(8, 2);
    ComposeCaptionBar(caption.View(), sizes, skin, true, {2, 0, 6, 2}, 6);
    Rows rows = Text(caption);
    EXPECT_EQ(rows[0].substr(2, 4), "xyyz");
}

TEST_F(SmallSkin, ButtonsDrawRestingFramesAndTheFormIcon) {
    TDataSkinSysButton close("Button0"), icon("Button1");
    close.Bitmap = Art({"1234"});
    close.FrameCount = 4;
    icon.Bitmap = Art({"9"});
    icon.Action = 3;
    PixelBuffer formIcon = Art({"I"});
    std::vector<PlacedButton> placed{{&close, {5, 1, 6, 2}, true}, {&icon, {0, 0, 1, 1}, true}};
    PixelBuffer caption(8, 2);
    ComposeCaptionButtons(caption.View(), placed, true, formIcon.View());
    EXPECT_EQ(Text(caption), (Rows{"I.......", ".....1.."}));
    ComposeCaptionButtons(caption.View(), placed, false, formIcon.View());
    EXPECT_EQ(Text(caption)[1], ".....4..");
    ComposeCaptionButton(caption.View(), placed[0], 3, formIcon.View());
    EXPECT_EQ(Text(caption)[1], ".....3..");
    // An icon button without art of its own still shows the icon.
    icon.Bitmap = PixelBuffer();
    PixelBuffer bare(8, 2);
    ComposeCaptionButtons(bare.View(), placed, true, formIcon.View());
    EXPECT_EQ(Text(bare)[0], "I.......");
}

std::set<std::pair<int, int>> Inside(const std::vector<RegionBatch>& batches) {
    std::set<std::pair<int, int>> in;
    for (const RegionBatch& b : batches)
        for (const PixelRect& r : b.rects)
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) in.insert({x, y});
    return in;
}

TEST_F(SmallSkin, NoTransparentPieceGivesTheWholeWindow) {
    auto in = Inside(FrameRegionRects(skin, sizes, 8, 6, false, {}));
    EXPECT_EQ(in.size(), 48u);
}

TEST_F(SmallSkin, MagentaCaptionCornersAreHoles) {
    skin.BorderTop.Trans = 1;
    auto in = Inside(FrameRegionRects(skin, sizes, 8, 6, false, {}));
    EXPECT_FALSE(in.count({2, 0}));
    EXPECT_FALSE(in.count({5, 0}));
    EXPECT_TRUE(in.count({3, 0}));
    EXPECT_TRUE(in.count({2, 1}));
    EXPECT_TRUE(in.count({0, 0}));  // the side pieces are plain rectangles
    EXPECT_TRUE(in.count({4, 3}));  // client
    EXPECT_EQ(in.size(), 46u);
}

TEST_F(SmallSkin, PaintedCaptionShapesTheRegion) {
    skin.BorderTop.Trans = 1;
    PixelBuffer caption(8, 2, test::Colour('c'));
    caption.At(4, 1) = kMagenta; // e.g. a button's transparent pixel
    auto in = Inside(FrameRegionRects(skin, sizes, 8, 6, false, caption.View()));
    EXPECT_TRUE(in.count({2, 0}));
    EXPECT_FALSE(in.count({4, 1}));
}

TEST_F(SmallSkin, OnlyTheBottomPieceTransparentShapesTheWindow) {
    skin.BorderBottom.Bitmap = Art({"eMee", "eMee", "ffff", "ffff"});
    skin.BorderBottom.Trans = 1;
    sizes = ComputeBorderSizes(skin, FrameKind::Edged);
    ASSERT_EQ(sizes.bottom, 2);
    auto in = Inside(FrameRegionRects(skin, sizes, 8, 6, false, {}));
    EXPECT_FALSE(in.count({3, 4}));
    EXPECT_TRUE(in.count({2, 4}));
}

TEST_F(SmallSkin, TinyAndHugeWindowsStayBounded) {
    skin.BorderTop.Trans = 1;
    skin.BorderLeft.Trans = 1;
    EXPECT_TRUE(FrameRegionRects(skin, sizes, 0, 0, false, {}).empty());
    auto tiny = Inside(FrameRegionRects(skin, sizes, 1, 1, false, {}));
    for (auto [x, y] : tiny) {
        EXPECT_GE(x, 0);
        EXPECT_GE(y, 0);
    }
    auto big = FrameRegionRects(skin, sizes, 5000, 5000, false, {});
    EXPECT_FALSE(big.empty());
}

} // namespace
} // namespace kv

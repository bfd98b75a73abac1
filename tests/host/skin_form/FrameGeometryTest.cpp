// Border sizes, the client rectangle, the caption text's place and hit-testing arithmetic.
#include "skin/form/logic/FrameGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace kv {
namespace {

void SetPiece(TDataSkinBorder& piece, int w, int h, int frames) {
    piece.Bitmap.Resize(w, h, 0x123456);
    piece.FrameCount = frames;
}

TEST(BorderSizes, FramesDivideTheirStripDirection) {
    TSkinDefinition skin;
    SetPiece(skin.BorderTop, 100, 60, 2);   // stacked: 60 / 2
    SetPiece(skin.BorderLeft, 12, 40, 2);   // side by side: 12 / 2
    SetPiece(skin.BorderRight, 9, 40, 3);
    SetPiece(skin.BorderBottom, 100, 8, 2);
    BorderSizes s = ComputeBorderSizes(skin, FrameKind::Edged);
    EXPECT_EQ(s.caption, 30);
    EXPECT_EQ(s.left, 6);
    EXPECT_EQ(s.right, 3);
    EXPECT_EQ(s.bottom, 4);
    EXPECT_EQ(ComputeBorderSizes(skin, FrameKind::Plain).caption, 30);
}

TEST(BorderSizes, FramelessWindowHasNone) {
    TSkinDefinition skin;
    SetPiece(skin.BorderTop, 100, 60, 2);
    BorderSizes s = ComputeBorderSizes(skin, FrameKind::Frameless);
    EXPECT_EQ(s.caption + s.left + s.right + s.bottom, 0);
}

TEST(BorderSizes, HostileFrameCountsNeverDivideByZero) {
    TSkinDefinition skin;
    SetPiece(skin.BorderTop, 100, 60, 0);
    SetPiece(skin.BorderLeft, 12, 40, -5);
    BorderSizes s = ComputeBorderSizes(skin, FrameKind::Edged);
    EXPECT_EQ(s.caption, 60);
    EXPECT_EQ(s.left, 12);
    EXPECT_EQ(FrameWidthOf(-3, 0), 0);
}

TEST(NcClientRect, InsideBordersBelowCaptionAndMenu) {
    BorderSizes s{4, 30, 5, 6};
    PixelRect r = NcClientRect(100, 200, 300, 250, s, 19);
    EXPECT_EQ(r.left, 104);
    EXPECT_EQ(r.top, 249);
    EXPECT_EQ(r.right, 395);
    EXPECT_EQ(r.bottom, 444);
}

TEST(NcClientRect, TinyWindowGetsEmptyNotInvertedClient) {
    BorderSizes s{4, 30, 5, 6};
    PixelRect r = NcClientRect(10, 10, 1, 1, s, 0);
    EXPECT_GE(r.right, r.left);
    EXPECT_GE(r.bottom, r.top);
    EXPECT_TRUE(r.Empty());
    PixelRect huge = NcClientRect(INT_MAX - 5, INT_MAX - 5, 100, 100, {32767, 32767, 0, 0}, 0);
    EXPECT_GE(huge.right, huge.left);
    EXPECT_GE(huge.bottom, huge.top);
}

TEST(FrameKind, FromStyles) {
    EXPECT_EQ(FrameKindOf(0x80000000u, 0), FrameKind::Frameless);
    EXPECT_EQ(FrameKindOf(0x80000000u | 0x00C00000u, 0), FrameKind::Plain);
    EXPECT_EQ(FrameKindOf(0x00C00000u | 0x00040000u, 0), FrameKind::Edged);
    EXPECT_EQ(FrameKindOf(0x00C00000u, 0x100), FrameKind::Edged);
    EXPECT_EQ(FrameKindOf(0x00C00000u, 0), FrameKind::Plain);
}

TEST(BorderFrame, InactiveUsesFrameTwoOnlyWhenThereIsOne) {
    EXPECT_EQ(BorderFrameIndex(true, 2), 1);
    EXPECT_EQ(BorderFrameIndex(false, 2), 2);
    EXPECT_EQ(BorderFrameIndex(false, 1), 1);
    EXPECT_EQ(BorderFrameIndex(false, 0), 1);
}

struct CaptionText : ::testing::Test {
    TDataSkinTitle title{"Title"};
    CaptionTextInput in;
    void SetUp() override {
        in.caption = {4, 0, 204, 30}; // 200 wide, 30 high
        in.textWidth = 50;
        in.textHeight = 14;
        title.TextShift() = 10;
        title.TextRightClip() = 60;
        title.TextBackLeft = 3;
        title.TextBackRight = 2;
    }
};

TEST_F(CaptionText, LeftAlignedShiftsFromTheCaptionStart) {
    PixelRect r = PlaceCaptionText(title, in);
    EXPECT_EQ(r.left, 14);
    EXPECT_EQ(r.right, 14 + 55); // text plus both background ends
    EXPECT_EQ(r.top, 8);         // (30 - 14) / 2
    EXPECT_EQ(r.bottom, 22);
}

TEST_F(CaptionText, CentredAndRightAligned) {
    title.TextAlignment = 1;
    EXPECT_EQ(PlaceCaptionText(title, in).left, 4 + (200 - 55) / 2);
    title.TextAlignment = 2;
    EXPECT_EQ(PlaceCaptionText(title, in).left, 4 + 200 - 60 - 55);
    title.TextAlignment = 7;
    EXPECT_EQ(PlaceCaptionText(title, in).left, 4);
}

TEST_F(CaptionText, RightToLeftAlwaysAlignsRight) {
    in.rightToLeft = true;
    EXPECT_EQ(PlaceCaptionText(title, in).left, 4 + 200 - 60 - 55);
}

TEST_F(CaptionText, VerticalShiftIsHalvedTowardZero) {
    title.TextShiftVert() = -7;
    EXPECT_EQ(PlaceCaptionText(title, in).top, 8 - 3);
}

TEST_F(CaptionText, LongTextIsClippedBeforeTheButtons) {
    in.textWidth = 500;
    EXPECT_EQ(PlaceCaptionText(title, in).right, 204 - 60);
}

TEST_F(CaptionText, PopupWindowsReachToTheButtons) {
    in.popupStyle = true;
    in.rightmostButtonLeft = 180;
    EXPECT_EQ(PlaceCaptionText(title, in).right, 175);
    in.textWidth = 500;
    EXPECT_GT(PlaceCaptionText(title, in).right, 175); // never shortened
}

TEST(HitTest, CaptionBelowTheTopRows) {
    EXPECT_EQ(FrameHitTest(0, 30), 0);
    EXPECT_EQ(FrameHitTest(3, 30), 0);
    EXPECT_EQ(FrameHitTest(4, 30), 2);
    EXPECT_EQ(FrameHitTest(40, 30), 2); // the empty menu band drags the window too
    EXPECT_EQ(FrameHitTest(3, 1), 5);
}

TEST(HitTest, MousePointsAreSigned) {
    PixelPoint p = PointFromLParam(static_cast<intptr_t>(0xFFF6FFECu)); // (-20, -10)
    EXPECT_EQ(p.x, -20);
    EXPECT_EQ(p.y, -10);
    PixelPoint w = ClientToWindowPoint({-1, 2}, {4, 30, 5, 6}, 19, false);
    EXPECT_EQ(w.x, 3);
    EXPECT_EQ(w.y, 51);
    EXPECT_EQ(ClientToWindowPoint({7, 8}, {4, 30, 5, 6}, 19, true).y, 8);
}

} // namespace
} // namespace kv

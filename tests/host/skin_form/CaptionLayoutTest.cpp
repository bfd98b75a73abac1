// Caption buttons: visibility from the skin's two conditions, placement, finding by point.
#include "skin/form/logic/CaptionLayout.h"

#include <gtest/gtest.h>

#include <memory>

namespace kv {
namespace {

// Skin objects are not copyable; each test holds its buttons through these.
std::unique_ptr<TDataSkinSysButton> Button(int action, int visibility, int visibility1 = 0) {
    auto b = std::make_unique<TDataSkinSysButton>("Button");
    b->Action = action;
    b->Visibility = visibility;
    b->Visibility1 = visibility1;
    b->Bitmap.Resize(40, 10, 0x202020);
    b->FrameCount = 4;
    return b;
}

TEST(ButtonVisibility, CloseNeedsASystemMenu) {
    auto close = Button(0, 0);
    CaptionFacts f;
    EXPECT_TRUE(IsCaptionButtonVisible(*close, f));
    f.hasSystemMenu = false;
    EXPECT_FALSE(IsCaptionButtonVisible(*close, f));
    f.hasSystemMenu = true;
    f.frameKind = FrameKind::Plain;
    EXPECT_FALSE(IsCaptionButtonVisible(*close, f));
}

TEST(ButtonVisibility, MaximiseAndMinimiseNeedTheirBoxesWhateverTheSkinSays) {
    CaptionFacts f;
    f.hasMaximizeBox = false;
    f.hasMinimizeBox = false;
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(1, 300), f));
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(2, 300), f));
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(3, 300), f));
}

TEST(ButtonVisibility, StateConditions) {
    CaptionFacts f;
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, 1), f));
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(5, 2), f));
    f.state = WindowState::Maximized;
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(5, 1), f));
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, 200, 2), f));
    f.active = false;
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(5, 4), f));
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, 3), f));
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, 200, 3), f));
}

TEST(ButtonVisibility, NeverAndAlwaysRanges) {
    CaptionFacts f;
    for (int never : {5, 10, 11, 12, 99, 199, 2001, -1}) {
        EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, never), f)) << never;
    }
    for (int always : {200, 1000, 2000}) EXPECT_TRUE(IsCaptionButtonVisible(*Button(5, always), f));
    for (int never1 : {5, 10, 99, 2001}) {
        EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, 200, never1), f)) << never1;
    }
}

TEST(ButtonVisibility, BoxConditions) {
    CaptionFacts f;
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(5, 6), f));
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, 7), f));
    f.hasSystemMenu = false;
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, 6), f));
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(5, 8), f));
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(5, 200, 6), f));
    f.hasMinimizeBox = false;
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(5, 9), f));
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(5, 200, 9), f));
}

TEST(ButtonVisibility, MdiButtonsOnlyWithAMaximisedChild) {
    CaptionFacts f;
    EXPECT_FALSE(IsCaptionButtonVisible(*Button(7, 100, 100), f));
    f.mdiChildMaximized = true;
    EXPECT_TRUE(IsCaptionButtonVisible(*Button(7, 100, 100), f));
}

TEST(ButtonLayout, AlignmentsInWindowCoordinates) {
    CaptionLayoutInput in;
    in.frameWidth = 300;
    in.textRect = {20, 5, 120, 20};
    in.sizes = {4, 30, 5, 6};
    auto owned = Button(0, 0);
    TDataSkinSysButton& b = *owned;
    b.XCoord = 22;
    b.YCoord = 5;
    b.Align = 1;
    auto r = LayoutCaptionButton(b, in);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->left, 278);
    EXPECT_EQ(r->right, 288); // 40 / 4 frames
    EXPECT_EQ(r->top, 5);
    EXPECT_EQ(r->bottom, 15);
    b.Align = 0;
    EXPECT_EQ(LayoutCaptionButton(b, in)->left, 22);
    b.Align = 2;
    EXPECT_EQ(LayoutCaptionButton(b, in)->left, 20 - 10 - 22);
    b.Align = 9;
    EXPECT_EQ(LayoutCaptionButton(b, in)->left, 142);
    b.Align = 55;
    EXPECT_EQ(LayoutCaptionButton(b, in)->left, 0);
}

// A skin may leave the icon button without an image: it then shows the form's icon, so it
// takes the icon's size, and without an icon it has no place at all.
TEST(ButtonLayout, IconButtonWithoutImageTakesTheIconSize) {
    CaptionLayoutInput in;
    in.frameWidth = 300;
    auto owned = Button(3, 0);
    TDataSkinSysButton& b = *owned;
    b.Bitmap = PixelBuffer();
    b.XCoord = 7;
    b.YCoord = 4;
    EXPECT_FALSE(LayoutCaptionButton(b, in));
    in.iconWidth = 16;
    in.iconHeight = 16;
    auto r = LayoutCaptionButton(b, in);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (PixelRect{7, 4, 23, 20}));
    b.Action = 0; // any other button without an image stays out
    EXPECT_FALSE(LayoutCaptionButton(b, in));
}

TEST(ButtonLayout, MdiButtonsSitInTheMenuBar) {
    CaptionLayoutInput in;
    in.frameWidth = 300;
    in.sizes = {4, 30, 5, 6};
    in.menuBarHeight = 20;
    in.menuBarLeftWidth = 3;
    auto owned = Button(9, 100, 100);
    TDataSkinSysButton& b = *owned;
    b.Align = 100;
    b.XCoord = 16;
    auto r = LayoutCaptionButton(b, in);
    EXPECT_EQ(r->top, 30 + 5);
    EXPECT_EQ(r->left, 300 - 16 - 5 - 3);
    in.rightToLeft = true;
    EXPECT_EQ(LayoutCaptionButton(b, in)->left, 16 + 4 + 3);
}

TEST(ButtonLayout, EmptyImageIsNotLaidOutAndZeroFramesCountAsOne) {
    CaptionLayoutInput in;
    auto owned = Button(0, 0);
    TDataSkinSysButton& b = *owned;
    b.FrameCount = 0;
    EXPECT_EQ(LayoutCaptionButton(b, in)->Width(), 40);
    b.Bitmap = PixelBuffer();
    EXPECT_FALSE(LayoutCaptionButton(b, in));
}

TEST(ButtonFinding, FirstVisibleNonNegativeActionWins) {
    auto deco = Button(-1, 0), close = Button(0, 0), other = Button(1, 0);
    std::vector<PlacedButton> placed{{deco.get(), {0, 0, 50, 20}, true},
                                     {close.get(), {10, 0, 20, 10}, false},
                                     {other.get(), {10, 0, 20, 10}, true}};
    EXPECT_EQ(FindButtonAt(placed, {12, 5}), 2);
    placed[1].visible = true;
    EXPECT_EQ(FindButtonAt(placed, {12, 5}), 1);
    EXPECT_EQ(FindButtonAt(placed, {20, 5}), -1); // right edge is outside
    EXPECT_EQ(FindButtonAt(placed, {30, 5}), -1); // only the decoration is there
}

TEST(ButtonFinding, RightmostLeftComesFromRightAlignedButtons) {
    auto a = Button(0, 0), b = Button(1, 0), c = Button(3, 0);
    a->Align = 1;
    b->Align = 1;
    c->Align = 0;
    std::vector<PlacedButton> placed{{a.get(), {278, 5, 288, 15}, true},
                                     {b.get(), {261, 5, 271, 15}, true},
                                     {c.get(), {290, 5, 300, 15}, true}};
    EXPECT_EQ(RightmostButtonLeft(placed), 278);
    placed[0].visible = false;
    EXPECT_EQ(RightmostButtonLeft(placed), 261);
}

TEST(ButtonActions, SiblingCodesAndFrames) {
    EXPECT_EQ(ActionOf(0), ButtonAction::Close);
    EXPECT_EQ(ActionOf(22), ButtonAction::ToggleMaximize);
    EXPECT_EQ(ActionOf(23), ButtonAction::ToggleMinimize);
    EXPECT_EQ(ActionOf(12), ButtonAction::SystemMenu);
    EXPECT_EQ(ActionOf(61), ButtonAction::MdiRestore);
    EXPECT_EQ(ActionOf(62), ButtonAction::MdiClose);
    EXPECT_EQ(ActionOf(4), ButtonAction::Custom);
    EXPECT_EQ(RestingButtonFrame(false, 4), 4);
    EXPECT_EQ(RestingButtonFrame(false, 3), 1);
    EXPECT_EQ(StateButtonFrame(3, false), 3);
    EXPECT_EQ(StateButtonFrame(3, true), 4);
    EXPECT_EQ(StateButtonFrame(0, false), 1);
}

} // namespace
} // namespace kv

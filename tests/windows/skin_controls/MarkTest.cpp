// Check box and radio marks: frames per state, where the mark goes, the repaint after a click,
// and what happens to the skins when their windows go.
#include "ControlFixture.h"

#include "skin/controls/SkinCheckBox.h"

namespace kv::test {
namespace {

TEST(MarkGeometry, FrameCountsWithoutASkinValue) {
    EXPECT_EQ(MarkFrameCount(52, 13, 0), 4); // 13 high: frames of 13
    EXPECT_EQ(MarkFrameCount(96, 16, 0), 6); // 16 high: frames of 16
    EXPECT_EQ(MarkFrameCount(20, 13, 0), 4); // at least 4
    EXPECT_EQ(MarkFrameCount(52, 13, 8), 8); // the skin's own count wins
}

TEST(MarkGeometry, TheMarkSitsInAFourteenPixelColumnOnTheTextSide) {
    const RECT window{0, 0, 100, 20};
    EXPECT_EQ(MarkRect(window, 16, 16, false).left, 0);
    EXPECT_EQ(MarkRect(window, 12, 12, false).left, 1);
    EXPECT_EQ(MarkRect(window, 12, 12, false).top, 4);
    EXPECT_EQ(MarkRect(window, 12, 12, false).bottom, 16);
    EXPECT_EQ(MarkRect(window, 12, 12, true).right, 99);
    EXPECT_EQ(MarkRect(window, 16, 16, true).right, 99);
    EXPECT_EQ(MarkRect(window, 16, 16, true).left, 83);
    EXPECT_EQ(MarkRect(window, 13, 13, false).left, 0); // (14 - 13) / 2 truncates
}

TEST(MarkGeometry, FramesPerStateAndIndeterminate) {
    EXPECT_EQ(MarkFrame(BST_UNCHECKED, false, true), 1);
    EXPECT_EQ(MarkFrame(BST_CHECKED, false, true), 2);
    EXPECT_EQ(MarkFrame(BST_UNCHECKED, true, true), 3);
    EXPECT_EQ(MarkFrame(BST_CHECKED, true, true), 4);
    EXPECT_EQ(MarkFrame(BST_INDETERMINATE, false, true), 4);
    EXPECT_EQ(MarkFrame(BST_INDETERMINATE, false, false), 1); // radio buttons have no third state
    EXPECT_EQ(MarkFrame(BST_CHECKED, true, false), 4);
}

class SkinnedMarks : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        check = Add<TCheckBox>(20, 20, 120, 20, "Check");
        radio = Add<TRadioButton>(20, 60, 120, 20, "Radio");
        skin = ShowSkinned();
        ASSERT_NE(skin, nullptr);
        checkSkin = SkinOf<TSkinCheckBox>(skin, check);
        radioSkin = SkinOf<TSkinRadioButton>(skin, radio);
        ASSERT_NE(checkSkin, nullptr);
        ASSERT_NE(radioSkin, nullptr);
        ASSERT_FALSE(data->Skin()->Buttons.CheckBitmap.Empty());
    }
    int FrameAfterPaint(TSkinMarkControl* s) {
        s->PaintSkin(nullptr);
        return s->LastFrame();
    }
    TCheckBox* check = nullptr;
    TRadioButton* radio = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinCheckBox* checkSkin = nullptr;
    TSkinRadioButton* radioSkin = nullptr;
};

TEST_F(SkinnedMarks, EachStateShowsItsFrame) {
    EXPECT_EQ(FrameAfterPaint(checkSkin), 1);
    check->SetChecked(true);
    EXPECT_EQ(FrameAfterPaint(checkSkin), 2);
    check->SetEnabled(false);
    EXPECT_EQ(FrameAfterPaint(checkSkin), 4);
    check->SetChecked(false);
    EXPECT_EQ(FrameAfterPaint(checkSkin), 3);
    check->SetEnabled(true);
    check->SetState(cbGrayed);
    EXPECT_EQ(FrameAfterPaint(checkSkin), 4);
    EXPECT_EQ(FrameAfterPaint(radioSkin), 1);
    radio->SetChecked(true);
    EXPECT_EQ(FrameAfterPaint(radioSkin), 2);
}

TEST_F(SkinnedMarks, ARealClickRepaintsTheMarkAtOnce) {
    const RECT r = WindowRectOf(check->Handle());
    MouseAt(r.left + 6, (r.top + r.bottom) / 2);
    Button(true);
    Button(false);
    Pump(50);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(checkSkin->LastFrame(), 2);
    // The mark's pixels are the checked frame's, not the system's mark.
    const PixelBuffer& image = data->Skin()->Buttons.CheckBitmap;
    const int frames =
        MarkFrameCount(image.Width(), image.Height(), data->Skin()->Buttons.CheckFrameCount);
    const RECT mark = MarkRect({0, 0, r.right - r.left, r.bottom - r.top}, image.Width() / frames,
                               image.Height(), false);
    const PixelBuffer shot = ScreenShotOf(check->Handle());
    const int fx = image.Width() / frames + (mark.right - mark.left) / 2, fy = image.Height() / 2;
    const Pixel want = RgbOf(image.At(fx, fy));
    if (want != kMagenta) {
        EXPECT_EQ(RgbOf(shot.At(mark.left + (mark.right - mark.left) / 2, mark.top + fy)), want);
    }
}

TEST_F(SkinnedMarks, ACheckBoxSkinStaysListedAfterItsWindowAndARadioSkinIsMarkedDead) {
    const HWND checkHandle = check->Handle();
    const HWND radioHandle = radio->Handle();
    check->DestroyHandle();
    radio->DestroyHandle();
    EXPECT_EQ(checkSkin->SkinState(), kSkinAttached);
    EXPECT_TRUE(checkSkin->WindowGone());
    EXPECT_EQ(radioSkin->SkinState(), kSkinWindowGone);
    // A window that reuses a handle is never taken for the old one.
    EXPECT_EQ(skin->FindControlSkin(checkHandle), nullptr);
    EXPECT_EQ(skin->FindControlSkin(radioHandle), nullptr);
    skin->FreeDeadControlSkins();
    EXPECT_TRUE(std::find(skin->ControlSkins.begin(), skin->ControlSkins.end(),
                          static_cast<TSkinControl*>(checkSkin)) != skin->ControlSkins.end());
    EXPECT_TRUE(std::find(skin->ControlSkins.begin(), skin->ControlSkins.end(),
                          static_cast<TSkinControl*>(radioSkin)) == skin->ControlSkins.end());
}

} // namespace
} // namespace kv::test

// A skinned windowless speed button: its states, latched down over disabled, and its own click.
#include "ControlFixture.h"

#include "skin/controls/SkinSpeedButton.h"
#include "ui/controls/Buttons.h"

namespace kv::test {
namespace {

TEST(SpeedButtonState, LatchedDownWinsEvenOverDisabled) {
    EXPECT_EQ(SpeedButtonState(false, false, true, false), bsNormal);
    EXPECT_EQ(SpeedButtonState(false, true, true, false), bsHot);
    EXPECT_EQ(SpeedButtonState(true, true, true, false), bsPressed);
    EXPECT_EQ(SpeedButtonState(true, true, false, false), bsDisabled);
    EXPECT_EQ(SpeedButtonState(false, false, false, true), bsPressed);
}

class SkinnedSpeedButton : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        speed = new TSpeedButton(form);
        speed->SetParent(form);
        speed->SetBounds(40, 40, 80, 28);
        speed->SetCaption("Speed");
        speed->SetOnClick([this](TObject*) { ++clicks; });
        skin = ShowSkinned();
        ASSERT_NE(skin, nullptr);
        MouseAt(5, 5);
        Pump(50);
        skinned = SkinOf<TSkinSpeedButton>(skin, speed);
        ASSERT_NE(skinned, nullptr);
    }
    POINT Centre() const {
        POINT p{speed->Left() + speed->Width() / 2, speed->Top() + speed->Height() / 2};
        ClientToScreen(form->Handle(), &p);
        return p;
    }
    TSpeedButton* speed = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinSpeedButton* skinned = nullptr;
    int clicks = 0;
};

TEST_F(SkinnedSpeedButton, PaintsItsStatesAndKeepsItsOwnClick) {
    InvalidateRect(form->Handle(), nullptr, TRUE);
    Pump(50);
    EXPECT_EQ(skinned->LastState(), bsNormal);
    const POINT c = Centre();
    MouseAt(c.x, c.y);
    EXPECT_TRUE(WaitFor([&] { return skinned->LastState() == bsHot; }));
    Button(true);
    EXPECT_EQ(skinned->LastState(), bsPressed);
    Button(false);
    Pump(50);
    EXPECT_EQ(clicks, 1);
    MouseAt(5, 5);
    speed->SetGroupIndex(1);
    speed->SetDown(true);
    speed->SetEnabled(false);
    skinned->PaintSkin(nullptr);
    EXPECT_EQ(skinned->LastState(), bsPressed);
}

TEST_F(SkinnedSpeedButton, FreeingTheSkinGivesTheButtonItsMethodBack) {
    skin->FreeControlSkins();
    InvalidateRect(form->Handle(), nullptr, TRUE);
    Pump(50);
    const POINT c = Centre();
    MouseAt(c.x, c.y);
    Button(true);
    Button(false);
    Pump(50);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace kv::test

// Skinned up-downs: each button's frame per state read back from the screen while the real
// mouse holds it (the press repeats), disabled and plain looks, and a buddy that goes away.
#include "Controls2Fixture.h"

#include "skin/controls/SkinUpDown.h"
#include "ui/controls/ComCtrlsBars.h"

#include <commctrl.h>

namespace kv::test {
namespace {

class SkinnedUpDown : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        edit = Add<TEdit>(20, 20, 80, 24, "0");
        spin = Place<TUpDown>(100, 20, 20, 40);
        spin->SetAssociate(edit);
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinUpDown>(skin, spin);
        ASSERT_NE(skinned, nullptr);
        MouseAt(5, 5);
        Pump(50);
    }
    void TearDown() override {
        Button(false);
        Controls2::TearDown();
    }

    // A point of the upper (first) or lower button, clear of the centred glyph.
    POINT On(bool first) const {
        RECT r = WindowRectOf(spin->Handle());
        const int h = r.bottom - r.top;
        return {r.left + 3, first ? r.top + 3 : r.top + h / 2 + 3};
    }
    Pixel FrameOnScreen(bool first) const {
        const POINT p = On(first);
        return RgbOf(ToPixel(ScreenPixel(p.x, p.y)));
    }
    void ExpectFrames(int first, int second, const char* what) {
        Pump(80);
        EXPECT_EQ(FrameOnScreen(true), FrameColour(kUpDownBase, first)) << what;
        EXPECT_EQ(FrameOnScreen(false), FrameColour(kUpDownBase, second + 4)) << what;
    }

    TEdit* edit = nullptr;
    TUpDown* spin = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinUpDown* skinned = nullptr;
};

TEST_F(SkinnedUpDown, TheHeldButtonShowsItsPressedFrameAndRepeats) {
    UseSkin(ArtSkin());
    ExpectFrames(1, 1, "normal");
    const POINT up = On(true);
    MouseAt(up.x, up.y);
    ExpectFrames(4, 1, "hot");
    Button(true);
    ExpectFrames(2, 1, "the upper one held");
    EXPECT_EQ(skinned->LastFirstState(), 2);
    EXPECT_EQ(skinned->LastSecondState(), 1);
    // The control's own auto-repeat keeps stepping while the button is held.
    EXPECT_TRUE(WaitFor([&] { return spin->Position() >= 3; }, 3000)) << spin->Position();
    Button(false);
    ExpectFrames(4, 1, "released, still over it");
    const POINT down = On(false);
    MouseAt(down.x, down.y);
    Button(true);
    ExpectFrames(1, 2, "the lower one held");
    Button(false);
}

TEST_F(SkinnedUpDown, ADisabledUpDownShowsFrameThreeOnBoth) {
    UseSkin(ArtSkin());
    spin->SetEnabled(false);
    ExpectFrames(3, 3, "disabled");
    EXPECT_EQ(skinned->LastFirstState(), 3);
    EXPECT_EQ(skinned->LastSecondState(), 3);
}

TEST_F(SkinnedUpDown, WithoutItsArtTheButtonsArePlainAndDarkWhenPressed) {
    ASSERT_EQ(data->Skin()->UpDownVert, nullptr);
    const Pixel face = ToPixel(ResolveColour(data->Skin()->ButtonFaceColour));
    const Pixel shadow = ToPixel(ResolveColour(data->Skin()->ButtonShadowColour));
    Pump(80);
    EXPECT_EQ(FrameOnScreen(true), RgbOf(face));
    const POINT up = On(true);
    MouseAt(up.x, up.y);
    Button(true);
    Pump(80);
    EXPECT_EQ(FrameOnScreen(true), RgbOf(shadow));
    EXPECT_EQ(FrameOnScreen(false), RgbOf(face));
    Button(false);
}

TEST_F(SkinnedUpDown, AnUpDownWhoseBuddyIsDestroyedKeepsWorking) {
    UseSkin(ArtSkin());
    HWND bare = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS, 140, 20,
                                20, 40, form->Handle(), nullptr, nullptr, nullptr);
    HWND buddy = CreateWindowExW(0, L"EDIT", L"0", WS_CHILD | WS_VISIBLE, 170, 20, 60, 24,
                                 form->Handle(), nullptr, nullptr, nullptr);
    SendMessageW(bare, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    auto* bareSkin = new TSkinUpDown(nullptr);
    bareSkin->AttachHandle(bare, data, nullptr);
    DestroyWindow(buddy);
    RECT r = WindowRectOf(bare);
    MouseAt(r.left + 3, r.top + 3);
    Button(true);
    Pump(300);
    EXPECT_EQ(bareSkin->LastFirstState(), 2);
    Button(false);
    Pump(50);
    EXPECT_TRUE(IsWindow(bare));
    delete bareSkin;
    DestroyWindow(bare);
}

} // namespace
} // namespace kv::test

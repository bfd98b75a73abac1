// A skinned push button: its pixels per state read back from the screen, real clicks, a button
// freed by its own click, texts set to nothing, a later subclass, and handle counts.
#include "ControlFixture.h"

#include "skin/controls/ControlText.h"
#include "skin/controls/SkinButton.h"
#include "tests/windows/support/GuiObjects.h"

namespace kv::test {
namespace {

TEST(PushButtonState, DisabledWinsThenPressedThenHotOrFocus) {
    EXPECT_EQ(PushButtonState(false, false, false, true), bsNormal);
    EXPECT_EQ(PushButtonState(true, false, false, true), bsHot);
    EXPECT_EQ(PushButtonState(false, false, true, true), bsHot);
    EXPECT_EQ(PushButtonState(true, true, true, true), bsPressed);
    EXPECT_EQ(PushButtonState(true, true, true, false), bsDisabled);
    EXPECT_EQ(PushButtonState(false, false, false, false), bsDisabled);
}

class SkinnedButton : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        button = Add<TButton>(40, 40, 120, 32, "Press");
        button->SetOnClick([this](TObject*) { ++clicks; });
        skin = ShowSkinned();
        ASSERT_NE(skin, nullptr);
        SetFocus(form->Handle());
        MouseAt(5, 5); // away from the button: it starts neither hot nor focused
        Pump(50);
        skinned = SkinOf<TSkinButton>(skin, button);
        ASSERT_NE(skinned, nullptr);
    }

    // The button's border ring (3 pixels wide, clear of the caption) as drawn for `state`.
    PixelBuffer Expected(int state) {
        RECT r = WindowRectOf(button->Handle());
        PixelBuffer b(r.right - r.left, r.bottom - r.top, ToPixel(data->ButtonFaceColor()));
        DrawStateFrame(b.View(), {0, 0, b.Width(), b.Height()}, 5, state, data->Skin()->Buttons);
        return b;
    }
    static int RingDifferences(const PixelBuffer& a, const PixelBuffer& b) {
        int n = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x) {
                const bool ring = x < 3 || y < 3 || x >= a.Width() - 3 || y >= a.Height() - 3;
                if (ring && RgbOf(a.At(x, y)) != RgbOf(b.At(x, y))) ++n;
            }
        return n;
    }
    void ExpectDrawn(int state, const char* what) {
        Pump(50);
        EXPECT_EQ(skinned->LastState(), state) << what;
        EXPECT_EQ(RingDifferences(ScreenShotOf(button->Handle()), Expected(state)), 0) << what;
    }

    TButton* button = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinButton* skinned = nullptr;
    int clicks = 0;
};

TEST_F(SkinnedButton, EachStateShowsItsFrameOfTheButtonsImage) {
    ASSERT_FALSE(data->Skin()->Buttons.Bitmap.Empty());
    ASSERT_GT(RingDifferences(Expected(bsNormal), Expected(bsPressed)), 0); // frames tell apart
    ExpectDrawn(bsNormal, "normal");
    MouseAt(CentreOf(button->Handle()).x, CentreOf(button->Handle()).y);
    ExpectDrawn(bsHot, "hot");
    Button(true);
    ExpectDrawn(bsPressed, "pressed");
    Button(false);
    MouseAt(10, 10);
    button->SetEnabled(false);
    skinned->PaintSkin(nullptr);
    ExpectDrawn(bsDisabled, "disabled");
}

TEST_F(SkinnedButton, ARealClickClicksOnceAndDraggingOffClicksNothing) {
    const POINT c = CentreOf(button->Handle());
    MouseAt(c.x, c.y);
    Button(true);
    Button(false);
    WaitFor([&] { return clicks > 0; }, 1000); // a busy machine delivers the input late
    Pump(50);
    EXPECT_EQ(clicks, 1);
    const RECT r = WindowRectOf(button->Handle());
    MouseAt(c.x, c.y);
    Button(true);
    MouseAt(r.right + 40, r.bottom + 40);
    // Leaving the button ends the press (the mouse-left notice comes a little later).
    EXPECT_TRUE(WaitFor([&] { return (skinned->MouseState() & kMouseDown) == 0; }));
    Button(false);
    Pump(50);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinnedButton, AButtonFreedByItsOwnClickLeavesNoHotSkinBehind) {
    button->SetOnClick([this](TObject*) {
        ++clicks;
        delete button;
        button = nullptr;
    });
    const POINT c = CentreOf(button->Handle());
    MouseAt(c.x, c.y);
    Pump(50);
    EXPECT_EQ(skin->HotControlSkin, skinned);
    Button(true);
    Button(false);
    Pump(300); // the hover timer runs over the freed skin's place
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(skin->HotControlSkin, nullptr);
    EXPECT_TRUE(std::find(skin->ControlSkins.begin(), skin->ControlSkins.end(), skinned) ==
                skin->ControlSkins.end());
}

TEST_F(SkinnedButton, AnEmptyWindowTextFallsBackToTheControlsCaption) {
    SendMessageW(button->Handle(), WM_SETTEXT, 0, 0);
    skinned->PaintSkin(nullptr);
    EXPECT_EQ(skinned->Caption(), L"Press");
}

TEST_F(SkinnedButton, DetachGivesTheMessageMethodBackOnlyWhileItIsOurs) {
    TWndMethod skinHook = button->WindowProc;
    auto later = std::make_shared<int>(0); // the hook outlives this test's body
    button->WindowProc = [later, skinHook](TMessage& m) {
        ++*later;
        skinHook(m);
    };
    skin->FreeControlSkins();
    // The later hook stays in place, and passes on into the button's own procedure.
    *later = 0;
    EXPECT_EQ(SendMessageW(button->Handle(), WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_GT(*later, 0);
}

TEST_F(SkinnedButton, FreeingAndChoosingAgainKeepsHandleCountsFlat) {
    auto cycle = [&] {
        skin->FreeControlSkins();
        skin->SkinControls();
        TSkinButton* again = SkinOf<TSkinButton>(skin, button);
        ASSERT_NE(again, nullptr);
        again->PaintSkin(nullptr);
        InvalidateRect(button->Handle(), nullptr, TRUE);
        UpdateWindow(button->Handle());
    };
    cycle();
    const GuiObjects before = CountGuiObjects();
    for (int i = 0; i < 30; ++i) cycle();
    const GuiObjects after = CountGuiObjects();
    EXPECT_TRUE(GrewAtMost(before, after, 0)) << DescribeChange(before, after);
    EXPECT_EQ(skin->ControlSkins.size(), size_t(1));
}

// A bare "button" window, as in a dialog, skinned through a window procedure thunk.
class BareButton : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        child = CreateWindowExW(0, L"BUTTON", L"Bare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                                10, 100, 30, parent, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        if (IsWindow(parent)) DestroyWindow(parent);
        SkinnedControls::TearDown();
    }
    HWND parent = nullptr, child = nullptr;
};

LRESULT CALLBACK Counting(HWND h, UINT msg, WPARAM w, LPARAM l);
WNDPROC g_below = nullptr;
int g_counted = 0;
LRESULT CALLBACK Counting(HWND h, UINT msg, WPARAM w, LPARAM l) {
    ++g_counted;
    return CallWindowProcW(g_below, h, msg, w, l);
}

TEST_F(BareButton, ALaterSubclassKeepsWorkingAfterTheSkinGoes) {
    auto* skinned = new TSkinButton(nullptr);
    skinned->AttachHandle(child, data, nullptr);
    const WNDPROC ours = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC));
    g_below = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Counting)));
    EXPECT_EQ(g_below, ours);
    delete skinned;
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC)), &Counting);
    g_counted = 0;
    EXPECT_EQ(SendMessageW(child, WM_GETTEXTLENGTH, 0, 0), 4);
    EXPECT_EQ(g_counted, 1);
    SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_below));
}

TEST_F(BareButton, ANullTextEmptiesTheCaption) {
    auto* skinned = new TSkinButton(nullptr);
    skinned->AttachHandle(child, data, nullptr);
    EXPECT_EQ(skinned->Caption(), L"Bare");
    SendMessageW(child, WM_SETTEXT, 0, 0);
    EXPECT_EQ(skinned->Caption(), L"");
    SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Again"));
    EXPECT_EQ(skinned->Caption(), L"Again");
    delete skinned;
}

TEST_F(BareButton, ASkinOutlivingItsWindowLetsGoWithoutTouchingIt) {
    auto* skinned = new TSkinButton(nullptr);
    skinned->AttachHandle(child, data, nullptr);
    DestroyWindow(child);
    EXPECT_EQ(skinned->SkinState(), kSkinWindowGone);
    EXPECT_TRUE(skinned->WindowGone());
    skinned->Redraw();
    delete skinned;
}

TEST_F(BareButton, AClickOnABareButtonPostsItsCommand) {
    auto* skinned = new TSkinButton(nullptr);
    skinned->AttachHandle(child, data, nullptr);
    SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    MSG msg{};
    int commands = 0;
    while (PeekMessageW(&msg, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        if (HWND(msg.lParam) == child && HIWORD(msg.wParam) == BN_CLICKED) ++commands;
    EXPECT_EQ(commands, 1);
    delete skinned;
}

TEST_F(BareButton, AttachAndFreeCyclesKeepHandleCountsFlat) {
    auto cycle = [&] {
        auto* skinned = new TSkinButton(nullptr);
        skinned->AttachHandle(child, data, nullptr);
        skinned->PaintSkin(nullptr);
        SendMessageW(child, WM_PAINT, 0, 0);
        delete skinned;
    };
    cycle();
    const size_t thunks = ObjectInstancesInUse();
    const GuiObjects before = CountGuiObjects();
    for (int i = 0; i < 30; ++i) cycle();
    const GuiObjects after = CountGuiObjects();
    EXPECT_TRUE(GrewAtMost(before, after, 0)) << DescribeChange(before, after);
    EXPECT_EQ(ObjectInstancesInUse(), thunks);
}

} // namespace
} // namespace kv::test

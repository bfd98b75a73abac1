// Skinned scroll bars read back from the screen: a list box's vertical bar, a memo's two bars
// with the corner square (on the right and with WS_EX_LEFTSCROLLBAR on the left), disabled
// arrows, a held arrow that repeats with its pressed frame, a track click, the stand-alone
// scroll bar, and handle counts over skin changes and Active cycles.
#include "ScrollFixture.h"

#include "skin/controls/SkinScrollBarControl.h"
#include "tests/windows/skin_form/SkinFiles.h"
#include "tests/windows/support/GuiObjects.h"

namespace kv::test {
namespace {

BarLook Look(bool vertical, int pressed = spNone, bool disabled = false) {
    BarLook look;
    look.vertical = vertical;
    look.pressedPart = pressed;
    look.firstArrowDisabled = look.secondArrowDisabled = disabled;
    return look;
}

TEST_F(SkinnedScroller, TheListBoxsVerticalBarIsTheSkinsTrackArrowsAndThumb) {
    EXPECT_FALSE(skinned->VertRect().Empty());
    EXPECT_TRUE(skinned->HorzRect().Empty());
    EXPECT_GT(skinned->VertBar().TrackLength, 0);
    EXPECT_GT(skinned->VertBar().ThumbLength, 0);
    // The frames tell apart, so a match below says which one is shown.
    EXPECT_GT(Differences(ExpectedBar(skinned, Look(true)), ExpectedBar(skinned, Look(true, spDownArrow))), 0);
    EXPECT_GT(Differences(ExpectedBar(skinned, Look(true)), ExpectedBar(skinned, Look(true, spNone, true))), 0);
    EXPECT_EQ(BarDifferences(skinned, list->Handle(), Look(true)), 0);
    // After scrolling by keyboard the thumb has moved and the bar is the skin's again.
    const int before = skinned->VertBar().ThumbPos;
    SetFocus(list->Handle());
    list->SetItemIndex(80);
    Pump(100);
    EXPECT_GT(skinned->VertBar().ThumbPos, before);
    EXPECT_EQ(ShownDifferences(skinned, list->Handle(), Look(true)), 0);
}

TEST_F(SkinnedScroller, ADisabledListShowsTheDisabledArrowFrames) {
    list->SetEnabled(false);
    Pump(100);
    EXPECT_EQ(BarDifferences(skinned, list->Handle(), Look(true, spNone, true)), 0);
    list->SetEnabled(true);
    Pump(100);
    // One arrow disabled alone: at the top nothing scrolls further up.
    EnableScrollBar(list->Handle(), SB_VERT, ESB_DISABLE_UP);
    BarLook look = Look(true);
    look.firstArrowDisabled = true;
    EXPECT_EQ(BarDifferences(skinned, list->Handle(), look), 0);
}

TEST_F(SkinnedScroller, AHeldArrowRepeatsShowingItsPressedFrameUntilRelease) {
    const POINT down = ArrowOnScreen(list->Handle(), skinned->VertRect(), true, true);
    const int top = TopIndex();
    PixelBuffer held;
    int pressedWhileHeld = -1;
    RunHand([&] {
        SendMove(down.x, down.y);
        Sleep(100);
        SendButton(true);
        Sleep(900); // past the repeat delay: several line scrolls
        pressedWhileHeld = skinned->PressedPart();
        held = BarPixels(list->Handle(), skinned->VertRect());
        SendButton(false);
    });
    EXPECT_GE(TopIndex() - top, 3) << "the held arrow repeats";
    EXPECT_EQ(pressedWhileHeld, spDownArrow);
    // Compared where the arrows are: the thumb moved on while the screen was read.
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    const PixelBuffer pressed = ExpectedBar(skinned, Look(true, spDownArrow));
    int arrowDifferences = 0;
    for (int y = held.Height() - a; y < held.Height(); ++y)
        for (int x = 0; x < held.Width(); ++x)
            arrowDifferences += RgbOf(held.At(x, y)) != RgbOf(pressed.At(x, y));
    EXPECT_EQ(arrowDifferences, 0) << "the pressed frame while held";
    EXPECT_TRUE(WaitFor([&] { return skinned->PressedPart() == spNone; }));
    Pump(100);
    EXPECT_EQ(ShownDifferences(skinned, list->Handle(), Look(true)), 0)
        << "the normal frame after release";
}

TEST_F(SkinnedScroller, AClickOnTheTrackPagesAndLeavesTheSkinnedBar) {
    const Rect32 bar = skinned->VertRect();
    const RECT w = WindowRectOf(list->Handle());
    const int y = w.top + bar.bottom - GetSystemMetrics(SM_CXHSCROLL) - 4;
    const int x = w.left + (bar.left + bar.right) / 2;
    RunHand([&] {
        SendMove(x, y);
        Sleep(100);
        SendButton(true);
        Sleep(50);
        SendButton(false);
    });
    EXPECT_GT(TopIndex(), 5);
    EXPECT_EQ(skinned->PressedPart(), spNone);
    EXPECT_EQ(ShownDifferences(skinned, list->Handle(), Look(true)), 0);
}

class SkinnedMemo : public SkinnedScroller {
protected:
    void SetUp() override {
        SkinnedScroller::SetUp();
        memo = new TMemo(form);
        memo->SetParent(form);
        memo->SetBounds(200, 20, 160, 150);
        memo->SetWordWrap(false);
        memo->SetScrollBars(ssBoth);
        std::string line(200, 'w');
        for (int i = 0; i < 60; ++i) memo->Lines().Add(line);
        skin->SkinControls(); // a control added later is picked up by the next scan
        memoSkin = SkinOf<TSkinScrollBar>(skin, memo);
        ASSERT_NE(memoSkin, nullptr);
        Pump(100);
    }
    void ExpectBothBarsAndCorner(const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(BarDifferences(memoSkin, memo->Handle(), Look(true)), 0);
        EXPECT_EQ(BarDifferences(memoSkin, memo->Handle(), Look(false)), 0);
        const Rect32 c = memoSkin->CornerRect();
        ASSERT_FALSE(c.Empty());
        const PixelBuffer face(c.right - c.left, c.bottom - c.top, ToPixel(data->ButtonFaceColor()));
        EXPECT_EQ(SettledDifferences([&] { return Differences(BarPixels(memo->Handle(), c), face); }), 0);
    }
    TMemo* memo = nullptr;
    TSkinScrollBar* memoSkin = nullptr;
};

TEST_F(SkinnedMemo, BothBarsAreSkinnedAndTheCornerSquareIsTheFaceColour) {
    ExpectBothBarsAndCorner("right");
    EXPECT_GT(memoSkin->VertRect().left, memoSkin->HorzRect().left);
    EXPECT_EQ(memoSkin->CornerRect().left, memoSkin->VertRect().left);
    EXPECT_EQ(memoSkin->CornerRect().top, memoSkin->HorzRect().top);
}

TEST_F(SkinnedMemo, WithTheLeftScrollBarStyleTheBarAndCornerAreOnTheLeft) {
    const HWND h = memo->Handle();
    SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Pump(100);
    ExpectBothBarsAndCorner("left");
    EXPECT_LT(memoSkin->VertRect().left, memoSkin->HorzRect().left);
    EXPECT_EQ(memoSkin->CornerRect().left, memoSkin->VertRect().left);
    EXPECT_LT(memoSkin->VertRect().right, 20);
}

TEST_F(SkinnedMemo, AHeldHorizontalArrowShowsItsPressedFrame) {
    const POINT right = ArrowOnScreen(memo->Handle(), memoSkin->HorzRect(), false, true);
    int pressedWhileHeld = -1;
    RunHand([&] {
        SendMove(right.x, right.y);
        Sleep(100);
        SendButton(true);
        Sleep(400);
        pressedWhileHeld = memoSkin->PressedPart();
        SendButton(false);
    });
    EXPECT_EQ(pressedWhileHeld, spRightArrow);
    EXPECT_GT(GetScrollPos(memo->Handle(), SB_HORZ), 0);
    EXPECT_TRUE(WaitFor([&] { return memoSkin->PressedPart() == spNone; }));
}

class SkinnedStandAloneBar : public SkinnedScroller {
protected:
    void SetUp() override {
        SkinnedScroller::SetUp();
        bar = new TScrollBar(form);
        bar->SetParent(form);
        bar->SetKind(sbVertical);
        bar->SetBounds(200, 20, GetSystemMetrics(SM_CXVSCROLL), 150);
        bar->SetParams(3, 0, 10);
        skin->SkinControls(); // a control added later is picked up by the next scan
        barSkin = SkinOf<TSkinScControl>(skin, bar);
        ASSERT_NE(barSkin, nullptr);
        Pump(50);
    }
    PixelBuffer Expected(int pressed) {
        const RECT r = WindowRectOf(bar->Handle());
        return DrawnBar(r.right - r.left, r.bottom - r.top, Look(true, pressed), barSkin->Bar());
    }
    TScrollBar* bar = nullptr;
    TSkinScControl* barSkin = nullptr;
};

TEST_F(SkinnedStandAloneBar, IsDrawnFromTheSkinAndFollowsItsOwnArrowClicks) {
    const RECT r = WindowRectOf(bar->Handle());
    const Rect32 whole{0, 0, r.right - r.left, r.bottom - r.top};
    barSkin->PaintSkin(nullptr);
    EXPECT_EQ(SettledDifferences([&] { return Differences(BarPixels(bar->Handle(), whole), Expected(spNone)); }), 0);
    const int before = barSkin->Bar().ThumbPos;
    RunHand([&] {
        SendMove((r.left + r.right) / 2, r.bottom - 5);
        Sleep(100);
        SendButton(true);
        Sleep(60);
        SendButton(false);
    });
    EXPECT_EQ(bar->Position(), 4);
    Pump(300); // the mouse rests on the arrow the control highlights
    EXPECT_GT(barSkin->Bar().ThumbPos, before);
    Pump(100);
    EXPECT_EQ(SettledDifferences([&] {
                  return Differences(BarPixels(bar->Handle(), whole), Expected(barSkin->PressedPart()));
              }),
              0);
}

// Skin changes and Active off and on with scrolling controls on the form: every bar's skin is
// made and freed again, and GDI and USER counts end where they began.
TEST_F(SkinnedMemo, SkinChangesAndActiveCyclesKeepHandleCountsFlat) {
    const std::string other = TempSkinFile(EditedSkin("Scrollbar=230 222 211", "Scrollbar=200 10 10"),
                                           "kv_scroll_other.skin");
    const std::string stored = TempSkinFile(StoredPackedSkin(), "kv_scroll_stored.skin");
    auto cycle = [&](int i) {
        data->SetSkinFile(i % 2 ? other : stored);
        Pump(150);
        data->SetActive(false);
        Pump(100);
        data->SetActive(true);
        Pump(150);
        SendMessageW(list->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
        SendMessageW(memo->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    };
    cycle(0);
    const GuiObjects before = CountGuiObjects();
    for (int i = 1; i <= 10; ++i) cycle(i);
    cycle(0);
    const GuiObjects after = CountGuiObjects();
    EXPECT_TRUE(GrewAtMost(before, after, 0)) << DescribeChange(before, after);
    // Still served after all that, and by one skin each.
    TWinSkinForm* now = SkinManager->FindForm(form->Handle());
    ASSERT_NE(now, nullptr);
    int served = 0;
    for (TSkinControl* s : now->ControlSkins)
        served += s->Served() == list || s->Served() == memo;
    EXPECT_EQ(served, 2);
}

} // namespace
} // namespace kv::test

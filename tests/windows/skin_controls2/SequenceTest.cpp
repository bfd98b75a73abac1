// The messages bare control windows receive while a skin takes them over, serves them and lets
// them go: what reaches the control's own procedure (Default) and what the skin keeps.
#include "Controls2Fixture.h"

#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinSizer.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinUpDown.h"
#include "tests/windows/support/MessageSequence.h"

#include <commctrl.h>

#include <memory>

namespace kv::test {
namespace {

constexpr unsigned kPassed = Seq::Sent | Seq::Default;

class BareSequence : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        // Shown without activation: the manager would skin an activated window, and a skinned
        // window gets no size grips.
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 50, 50, 300, 120, nullptr, nullptr,
                                 nullptr, nullptr);
        Pump(50);
    }
    void TearDown() override {
        DestroyWindow(parent);
        Controls2::TearDown();
    }
    HWND Make(const wchar_t* cls, DWORD style, int w = 120, int h = 24) {
        HWND c = CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, parent,
                                 nullptr, nullptr, nullptr);
        ShowWindow(parent, SW_SHOWNOACTIVATE);
        Pump(50);
        return c;
    }
    // Attaches `skin` to `child` while watching: attaching reads the text and nothing else.
    template <class S> std::unique_ptr<S> Attach(HWND child, MessageSequence& seq) {
        seq.Ignore(WM_GETTEXTLENGTH);
        seq.Watch(child);
        auto skin = std::make_unique<S>(nullptr);
        skin->AttachHandle(child, data, nullptr);
        EXPECT_TRUE(seq.MatchAndClear({{WM_GETTEXT, Seq::Sent}}, "attach"));
        return skin;
    }
    // After the skin goes, a message reaches the control directly again.
    static void ExpectDetached(HWND child, MessageSequence& seq) {
        SendMessageW(child, WM_GETFONT, 0, 0);
        EXPECT_TRUE(seq.MatchAndClear({{WM_GETFONT, Seq::Sent}}, "detached"));
    }
    static void Paint(HWND child) {
        RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    HWND parent = nullptr;
};

TEST_F(BareSequence, ProgressPaintsAfterTheControlsOwnPaint) {
    HWND bar = Make(PROGRESS_CLASSW, 0);
    MessageSequence seq;
    auto skin = Attach<TSkinProgress>(bar, seq);
    SendMessageW(bar, WM_ERASEBKGND, 0, 0);
    seq.Clear();
    Paint(bar);
    // The control paints first (its own procedure, through Default); the skin then reads the
    // position and range through the control.
    EXPECT_TRUE(seq.MatchAndClear({{WM_PAINT, kPassed},
                                   {WM_ERASEBKGND, kPassed | Seq::Optional},
                                   {PBM_GETPOS, kPassed},
                                   {PBM_GETRANGE, kPassed}},
                                  "paint"));
    skin.reset();
    ExpectDetached(bar, seq);
}

TEST_F(BareSequence, StatusBarPaintAndEraseAreTheSkins) {
    HWND bar = Make(STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE);
    MessageSequence seq;
    auto skin = Attach<TSkinStatusBar>(bar, seq);
    SendMessageW(bar, WM_ERASEBKGND, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_ERASEBKGND, Seq::Sent}}, "erase kept"));
    Paint(bar);
    // The paint itself never reaches the control; what it asks the control does.
    EXPECT_TRUE(seq.MatchAndClear({{WM_PAINT, Seq::Sent},
                                   {WM_GETFONT, kPassed},
                                   {SB_ISSIMPLE, kPassed},
                                   {SB_GETPARTS, kPassed},
                                   {SB_GETRECT, kPassed},
                                   {SB_GETTEXTLENGTHW, kPassed},
                                   {SB_GETTEXTW, kPassed}},
                                  "paint"));
    skin.reset();
    ExpectDetached(bar, seq);
}

TEST_F(BareSequence, UpDownPressReachesTheControlFirst) {
    HWND spin = Make(UPDOWN_CLASSW, 0, 20, 40);
    MessageSequence seq;
    auto skin = Attach<TSkinUpDown>(spin, seq);
    Paint(spin);
    EXPECT_TRUE(seq.MatchAndClear({{WM_PAINT, Seq::Sent}}, "paint kept"));
    SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    const auto& got = seq.Recorded();
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got.front().message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(got.front().flags, kPassed) << "the press went through the control's procedure";
    bool released = false;
    for (const Msg& m : got) released |= m.message == WM_LBUTTONUP && m.flags == kPassed;
    EXPECT_TRUE(released);
    EXPECT_EQ(skin->LastFirstState(), 1) << "the release cleared the press";
    seq.Clear();
    skin.reset();
    ExpectDetached(spin, seq);
}

TEST_F(BareSequence, TrackBarAnswersOnlyItsCustomDraw) {
    HWND bar = Make(TRACKBAR_CLASSW, 0, 150, 30);
    MessageSequence seq;
    auto skin = Attach<TSkinTrackBar>(bar, seq);
    NMCUSTOMDRAW draw{};
    draw.hdr = {bar, 0, UINT(NM_CUSTOMDRAW)};
    draw.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(SendMessageW(bar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)),
              LRESULT(CDRF_NOTIFYITEMDRAW));
    draw.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.dwItemSpec = TBCD_CHANNEL;
    EXPECT_EQ(SendMessageW(bar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)),
              LRESULT(CDRF_DODEFAULT));
    EXPECT_TRUE(seq.MatchAndClear({{WM_NOTIFY, Seq::Sent}, {WM_NOTIFY, Seq::Sent}},
                                  "custom draw answered by the skin"));
    NMHDR other{bar, 0, UINT(NM_RELEASEDCAPTURE)};
    SendMessageW(bar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&other));
    EXPECT_TRUE(seq.MatchAndClear({{WM_NOTIFY, kPassed}}, "other notifications pass on"));
    skin.reset();
    ExpectDetached(bar, seq);
}

TEST_F(BareSequence, SizerPaintIsValidatedWithoutTheControl) {
    HWND grip = Make(L"SCROLLBAR", SBS_SIZEGRIP, 18, 18);
    MessageSequence seq;
    auto skin = Attach<TSkinSizer>(grip, seq);
    Paint(grip);
    EXPECT_TRUE(seq.MatchAndClear({{WM_PAINT, Seq::Sent}, {WM_ERASEBKGND, Seq::Sent | Seq::Optional}},
                                  "paint kept"));
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(grip, &update, FALSE));
    skin.reset();
    ExpectDetached(grip, seq);
}

} // namespace
} // namespace kv::test

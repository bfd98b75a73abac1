// The messages a bare button window receives while a skin takes it over, serves it and lets
// it go: what reaches the button's own procedure and what the skin keeps to itself.
#include "ControlFixture.h"

#include "skin/controls/SkinButton.h"
#include "tests/windows/support/MessageSequence.h"

namespace kv::test {
namespace {

class ButtonSequence : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        child = CreateWindowExW(0, L"BUTTON", L"Seq", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10,
                                100, 30, parent, nullptr, nullptr, nullptr);
        Pump(50);
    }
    void TearDown() override {
        DestroyWindow(parent);
        SkinnedControls::TearDown();
    }
    HWND parent = nullptr, child = nullptr;
};

TEST_F(ButtonSequence, TheSkinKeepsPaintingAndThePressAndPassesTheRestOn) {
    MessageSequence seq;
    seq.Ignore(WM_GETTEXTLENGTH);
    seq.Watch(child);
    auto* skin = new TSkinButton(nullptr);
    skin->AttachHandle(child, data, nullptr);
    // Attach reads the caption, before the skin is in place, and nothing else.
    EXPECT_TRUE(seq.MatchAndClear({{WM_GETTEXT, Seq::Sent}}, "attach"));

    SendMessageW(child, WM_ERASEBKGND, reinterpret_cast<WPARAM>(GetDC(child)), 0);
    SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    // Erasing, painting and the press never reach the button's own procedure (no Default);
    // the focus it takes does, and each paint reads the caption and the font through it.
    constexpr unsigned kPassed = Seq::Sent | Seq::Default;
    EXPECT_TRUE(seq.MatchAndClear({{WM_ERASEBKGND, Seq::Sent},
                                   {WM_LBUTTONDOWN, Seq::Sent},
                                   {WM_SETFOCUS, kPassed | Seq::Optional},
                                   {WM_PAINT, Seq::Sent | Seq::Optional},
                                   {WM_GETTEXT, kPassed | Seq::Optional},
                                   {WM_GETFONT, kPassed | Seq::Optional},
                                   {WM_GETTEXT, kPassed},
                                   {WM_GETFONT, kPassed}},
                                  "erase and press are the skin's"));
    SendMessageW(child, WM_GETFONT, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_GETFONT, Seq::Sent | Seq::Default}}, "the rest passes on"));

    delete skin;
    SendMessageW(child, WM_GETFONT, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_GETFONT, Seq::Sent}}, "no skin in between any more"));
}

} // namespace
} // namespace kv::test

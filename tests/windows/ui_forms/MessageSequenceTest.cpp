// The framework's form and control window procedures, message by message: a form's creation,
// showing, sizing and closing; notifications reflected to the child that sent them; and a
// replaced WindowProc chain.
#include "tests/windows/support/MessageSequence.h"
#include "tests/windows/support/WindowProcTap.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace kv::test;

namespace {

class FormSequence : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetBounds(40, 40, 200, 150);
    }
    void TearDown() override { delete app; }
    TButton* AddButton() {
        auto* b = new TButton(form);
        b->SetParent(form);
        b->SetBounds(4, 4, 60, 20);
        return b;
    }
    TApplication* app = nullptr;
    TForm* form = nullptr;
};

// What a form's window receives as it is made: it answers the creation messages through the
// default procedure and gets its font and icons right after WM_CREATE.
const std::vector<Msg> kCreate = {
    {WM_GETMINMAXINFO, Seq::Sent | Seq::Default},
    {WM_NCCREATE, Seq::Sent | Seq::Default},
    {WM_NCCALCSIZE, Seq::Sent | Seq::Default | Seq::WParam, FALSE},
    {WM_CREATE, Seq::Sent | Seq::Default},
    {WM_SETFONT, Seq::Sent | Seq::Default},
    {WM_SETICON, Seq::Sent | Seq::Default | Seq::WParam, ICON_BIG},
    {WM_SETICON, Seq::Sent | Seq::Default | Seq::WParam, ICON_SMALL},
};
// Shown; the form erases its own background (not passed on).
const std::vector<Msg> kShow = {
    {WM_SHOWWINDOW, Seq::Sent | Seq::Default | Seq::WParam, TRUE},
    {WM_WINDOWPOSCHANGING, Seq::Sent | Seq::Default},
    {WM_NCPAINT, Seq::Sent | Seq::Default},
    {WM_ERASEBKGND, Seq::Sent},
    {WM_WINDOWPOSCHANGED, Seq::Sent | Seq::Default},
    {WM_SIZE, Seq::Sent | Seq::Default | Seq::WParam, SIZE_RESTORED},
    {WM_MOVE, Seq::Sent | Seq::Default},
};
const std::vector<Msg> kSize = {
    {WM_WINDOWPOSCHANGING, Seq::Sent | Seq::Default},
    {WM_GETMINMAXINFO, Seq::Sent | Seq::Default},
    {WM_NCCALCSIZE, Seq::Sent | Seq::Default | Seq::WParam, TRUE},
    {WM_NCPAINT, Seq::Sent | Seq::Default},
    {WM_ERASEBKGND, Seq::Sent},
    {WM_WINDOWPOSCHANGED, Seq::Sent | Seq::Default},
    {WM_MOVE, Seq::Sent | Seq::Default},
    {WM_SIZE, Seq::Sent | Seq::Default | Seq::WParam, SIZE_RESTORED},
};
// WM_CLOSE is the form's own (Close: a form that is not the main one hides).
const std::vector<Msg> kClose = {
    {WM_CLOSE, Seq::Sent},
    {WM_SHOWWINDOW, Seq::Sent | Seq::Default | Seq::WParam, FALSE},
    {WM_WINDOWPOSCHANGING, Seq::Sent | Seq::Default},
    {WM_WINDOWPOSCHANGED, Seq::Sent | Seq::Default},
};
// Test programs share one display: when the form gains or loses the activation against
// another program's window is up to that program, so the activation family is left out of
// the steps above and checked on its own, with the messages the system would send.
const UINT kActivation[] = {WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP,    WM_SETFOCUS,
                            WM_KILLFOCUS,  WM_GETTEXT,  WM_QUERYNEWPALETTE};
const std::vector<Msg> kActivate = {
    {WM_NCACTIVATE, Seq::Sent | Seq::Default | Seq::WParam, TRUE},
    {WM_GETTEXT, Seq::Sent | Seq::Default | Seq::Optional}, // the caption, when it is drawn
    {WM_ACTIVATE, Seq::Sent | Seq::Default | Seq::WParam, WA_ACTIVE},
    {WM_SETFOCUS, Seq::Sent | Seq::Default},
};

TEST_F(FormSequence, CreateShowSizeClose) {
    MessageSequence seq;
    for (UINT msg : kActivation) seq.Ignore(msg);
    seq.WatchNextCreated();
    HWND hwnd = form->Handle();
    EXPECT_TRUE(seq.MatchAndClear(kCreate, "create"));
    form->Show();
    EXPECT_TRUE(seq.MatchAndClear(kShow, "show"));
    for (UINT msg : kActivation) seq.Observe(msg);
    SendMessageW(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageW(hwnd, WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear(kActivate, "activate"));
    for (UINT msg : kActivation) seq.Ignore(msg);
    form->SetBounds(60, 50, 240, 160);
    EXPECT_TRUE(seq.MatchAndClear(kSize, "size"));
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear(kClose, "close"));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    delete form;
    EXPECT_TRUE(seq.MatchAndClear(
        {{WM_DESTROY, Seq::Sent | Seq::Default}, {WM_NCDESTROY, Seq::Sent | Seq::Default}},
        "destroy"));
}

TEST_F(FormSequence, NotificationsAreReflectedToTheChild) {
    TButton* button = AddButton();
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    HWND hwnd = button->Handle();
    MessageSequence seq;
    seq.Watch(form->Handle(), Role::Parent);
    WindowProcTap tap(*button, seq, Role::Child);
    const WPARAM clicked = MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED);
    SendMessageW(form->Handle(), WM_COMMAND, clicked, LPARAM(hwnd));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(seq.MatchAndClear(
        {{WM_COMMAND, Seq::Sent | Seq::Parent | Seq::WParam | Seq::LParam, clicked, LPARAM(hwnd)},
         {CN_BASE + WM_COMMAND, Seq::Method | Seq::Child | Seq::WParam | Seq::LParam, clicked,
          LPARAM(hwnd)}},
        "command"));
    NMHDR header{hwnd, UINT_PTR(GetDlgCtrlID(hwnd)), UINT(NM_CLICK)};
    SendMessageW(form->Handle(), WM_NOTIFY, header.idFrom, LPARAM(&header));
    // A reflection the button does not handle goes on to its class procedure, which ignores it.
    EXPECT_TRUE(seq.MatchAndClear(
        {{WM_NOTIFY, Seq::Sent | Seq::Parent | Seq::LParam, 0, LPARAM(&header)},
         {CN_BASE + WM_NOTIFY, Seq::Method | Seq::Child | Seq::Default | Seq::LParam, 0,
          LPARAM(&header)}},
        "notify"));
}

TEST_F(FormSequence, ReplacedWindowProcChain) {
    TButton* button = AddButton();
    HWND hwnd = button->Handle();
    MessageSequence seq;
    seq.Watch(hwnd);
    auto inner = std::make_unique<WindowProcTap>(*button, seq);
    TWndMethod beneath = button->WindowProc;
    button->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) {
            m.Result = TRUE; // consumed: neither the inner steps nor the button see it
            return;
        }
        beneath(m);
    };
    auto outer = std::make_unique<WindowProcTap>(*button, seq);
    SetWindowTextW(hwnd, L"eaten");
    EXPECT_TRUE(
        seq.MatchAndClear({{WM_SETTEXT, Seq::Sent}, {WM_SETTEXT, Seq::Method}}, "consumed"));
    EXPECT_EQ(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0), 0) << "the text was never set";
    // The outer step, then the inner one, which hands it to the button's class procedure.
    EXPECT_TRUE(seq.MatchAndClear({{WM_GETTEXTLENGTH, Seq::Sent | Seq::Default},
                                   {WM_GETTEXTLENGTH, Seq::Method},
                                   {WM_GETTEXTLENGTH, Seq::Method | Seq::Default}},
                                  "passed on"));
    outer.reset();
    button->WindowProc = beneath;
    inner.reset();
    SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_GETTEXTLENGTH, Seq::Sent | Seq::Default}}, "restored"));
    SetWindowTextW(hwnd, L"kept");
    EXPECT_EQ(GetWindowTextLengthW(hwnd), 4);
}

} // namespace

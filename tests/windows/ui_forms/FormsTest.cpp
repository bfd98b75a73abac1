#include "tests/windows/support/WaitFor.h"
#include "ui/classes/Exception.h"
#include "ui/classes/LayoutReader.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/services/Timer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

using kv::test::WaitFor;

SIZE WindowSize(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The bytes of a 16x16 32-bit .ico file of one colour.
std::vector<uint8_t> IcoFile(uint32_t argb) {
    std::vector<uint8_t> f;
    auto u16 = [&](unsigned v) {
        f.push_back(uint8_t(v));
        f.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const uint32_t image = 40 + 16 * 16 * 4 + 16 * 4;
    u16(0), u16(1), u16(1); // icon file, one image
    f.insert(f.end(), {16, 16, 0, 0}), u16(1), u16(32), u32(image), u32(22);
    u32(40), u32(16), u32(32), u16(1), u16(32); // header; height counts both masks
    for (int i = 0; i < 6; ++i) u32(0);
    for (int i = 0; i < 16 * 16; ++i) u32(argb); // colour
    for (int i = 0; i < 16; ++i) u32(0);         // AND mask: all opaque
    return f;
}

class Forms : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
    }
    void TearDown() override { delete app; }
    TApplication* app = nullptr;
};

} // namespace

TEST_F(Forms, MDIFrameMakesItsChildrenInsideItsClient) {
    auto* frame = app->CreateForm<TForm>();
    frame->SetFormStyle(TFormStyle::fsMDIForm);
    frame->SetBounds(0, 0, 640, 480);
    frame->Show();
    HWND client = frame->ClientHandle();
    ASSERT_TRUE(IsWindow(client));
    wchar_t cls[32] = {};
    GetClassNameW(client, cls, 32);
    EXPECT_EQ(_wcsicmp(cls, L"MDIClient"), 0);
    EXPECT_EQ(GetParent(client), frame->Handle());

    auto* first = app->CreateForm<TForm>();
    first->SetFormStyle(TFormStyle::fsMDIChild);
    first->SetCaption("First");
    first->Show();
    auto* second = app->CreateForm<TForm>();
    second->SetFormStyle(TFormStyle::fsMDIChild);
    second->Show();
    EXPECT_EQ(GetParent(second->Handle()), client);
    EXPECT_TRUE(GetWindowLongPtrW(second->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->MDIChildren(0), second); // the newest is active and on top
    EXPECT_EQ(frame->ActiveMDIChild(), second);

    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->Handle()), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), first);
    first->SetWindowState(TWindowState::wsMaximized);
    BOOL maximized = FALSE;
    auto active = reinterpret_cast<HWND>(
        SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    EXPECT_EQ(active, first->Handle());
    EXPECT_TRUE(maximized);
    EXPECT_TRUE(IsZoomed(first->Handle()));
    EXPECT_EQ(first->WindowState(), TWindowState::wsMaximized);
    first->SetWindowState(TWindowState::wsNormal);
    EXPECT_FALSE(IsZoomed(first->Handle()));

    HWND firstHandle = first->Handle();
    delete first; // leaves through the client (WM_MDIDESTROY)
    EXPECT_FALSE(IsWindow(firstHandle));
    EXPECT_EQ(frame->MDIChildCount(), 1);
    EXPECT_EQ(frame->ActiveMDIChild(), second);

    // The frame asks its children before it may close.
    second->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
    EXPECT_FALSE(frame->CloseQuery());
    second->OnCloseQuery = nullptr;
    EXPECT_TRUE(frame->CloseQuery());
}

TEST_F(Forms, AnMDIChildNeedsAnMDIFrame) {
    app->CreateForm<TForm>(); // main form, not a frame
    auto* child = new TForm(app);
    child->SetFormStyle(TFormStyle::fsMDIChild);
    EXPECT_THROW(child->HandleNeeded(), EInvalidOperation);
    EXPECT_FALSE(child->HandleAllocated());
}

// A form made after the main form was freed must not take the freed one as its owner.
TEST_F(Forms, MainFormFreedLeavesNoMainForm) {
    auto* main = app->CreateForm<TForm>();
    main->HandleNeeded();
    delete main;
    EXPECT_EQ(app->MainForm(), nullptr);
    auto* later = new TForm(app);
    EXPECT_NO_THROW(later->HandleNeeded());
    EXPECT_TRUE(later->HandleAllocated());
}

TEST_F(Forms, ConstraintsLimitARealResize) {
    auto* form = app->CreateForm<TForm>();
    form->Constraints().SetMaxWidth(336);
    form->Constraints().SetMinHeight(150);
    form->Show();
    HWND hwnd = form->Handle();
    SetWindowPos(hwnd, nullptr, 0, 0, 800, 100, SWP_NOMOVE | SWP_NOZORDER);
    SIZE s = WindowSize(hwnd);
    EXPECT_EQ(s.cx, 336);
    EXPECT_EQ(s.cy, 150);
    EXPECT_EQ(form->Width(), 336); // the form follows what the window really is
    EXPECT_EQ(form->Height(), 150);
    form->SetBounds(0, 0, 1000, 1000);
    EXPECT_EQ(WindowSize(hwnd).cx, 336);
    // Maximising respects the limit too.
    ShowWindow(hwnd, SW_MAXIMIZE);
    EXPECT_LE(WindowSize(hwnd).cx, 336);
    ShowWindow(hwnd, SW_RESTORE);
    // Changing a limit re-applies it to the form's size.
    form->Constraints().SetMaxWidth(250);
    EXPECT_EQ(WindowSize(hwnd).cx, 250);
}

TEST_F(Forms, FormIconIsOnTheWindowAndTheApplicationsIsTheDefault) {
    auto* form = app->CreateForm<TForm>();
    HWND hwnd = form->Handle();
    ASSERT_FALSE(app->Icon().Empty());
    auto big = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
    auto smallIcon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
    EXPECT_TRUE(big);
    EXPECT_TRUE(smallIcon);

    auto ico = IcoFile(0xFF00C000);
    TIcon own;
    own.SetHandle(IconFromIcoFile(ico.data(), ico.size()));
    ASSERT_FALSE(own.Empty());
    form->SetIcon(own);
    auto ownBig = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
    auto ownSmall = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
    ASSERT_TRUE(ownBig);
    ASSERT_TRUE(ownSmall);
    EXPECT_NE(ownBig, big);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(ownSmall, &info)); // a live icon, not a freed one
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // A broken .ico is refused, never read past its end.
    ico.resize(30);
    EXPECT_EQ(IconFromIcoFile(ico.data(), ico.size()), nullptr);
    uint8_t junk[6] = {0, 0, 1, 0, 0xFF, 0xFF};
    EXPECT_EQ(IconFromIcoFile(junk, sizeof junk), nullptr);
}

TEST_F(Forms, AutoScrollRangeFollowsChildrenOutsideTheClientArea) {
    auto* form = app->CreateForm<TForm>();
    form->SetBounds(0, 0, 300, 250);
    auto* outside = new TButton(form);
    outside->SetParent(form);
    outside->SetBounds(500, 20, 80, 25);
    form->SetAutoScroll(true);
    form->Show();
    HWND hwnd = form->Handle();
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_HORZ, &si));
    EXPECT_EQ(si.nMax, 500 + 80 - 1);
    EXPECT_EQ(static_cast<int>(si.nPage), form->ClientWidth());
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_HSCROLL);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VSCROLL);

    SendMessageW(hwnd, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(outside->Left(), 492); // the children move, the range stays
    RECT r;
    GetWindowRect(outside->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 492);
    SendMessageW(hwnd, WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(outside->Left() + outside->Width(), form->ClientWidth());

    form->SetAutoScroll(false); // back to the designed place, no bars
    EXPECT_EQ(outside->Left(), 500);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_HSCROLL);
}

TEST_F(Forms, TimerHandlerErrorReachesTheErrorReportAndTheProgramGoesOn) {
    std::vector<std::string> reports;
    app->OnException = [&](const std::exception& e) { reports.push_back(e.what()); };
    auto* form = app->CreateForm<TForm>();
    auto* timer = new TTimer(form);
    int ticks = 0;
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject*) {
        if (++ticks == 1) throw Exception("Tick failed");
    });
    ASSERT_TRUE(WaitFor([&] { return ticks >= 3; }));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Tick failed");
}

TEST_F(Forms, CloseQueryCanRefuseAndKeyPreviewSeesKeysFirst) {
    app->CreateForm<TForm>();
    auto* form = app->CreateForm<TForm>();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    form->Show();
    bool allow = false;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->Close();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    allow = true;
    form->Close();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));

    form->Show();
    std::vector<WORD> previewed;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, WORD& key, unsigned) {
        previewed.push_back(key);
        if (key == 'X') key = 0; // swallowed
    };
    form->OnKeyPress = [&](TObject*, char& key) {
        if (key == 'a') key = 'b';
    };
    HWND e = edit->Handle();
    PostMessageW(e, WM_KEYDOWN, 'X', 0);
    PostMessageW(e, WM_CHAR, 'a', 0);
    ASSERT_TRUE(WaitFor([&] { return GetWindowTextLengthW(e) > 0; }));
    EXPECT_EQ(previewed, std::vector<WORD>{'X'});
    wchar_t text[8] = {};
    GetWindowTextW(e, text, 8);
    EXPECT_STREQ(text, L"b"); // changed by the preview
}

TEST_F(Forms, HintFollowsTheMouseAndShowHintControlsGetATooltip) {
    auto* form = app->CreateForm<TForm>();
    auto* plain = new TButton(form);
    plain->SetParent(form);
    plain->SetBounds(0, 0, 80, 25);
    plain->SetHint("Plain|Plain long");
    auto* tipped = new TButton(form);
    tipped->SetParent(form);
    tipped->SetBounds(100, 0, 80, 25);
    tipped->SetHint("Open|Opens a character file");
    tipped->SetShowHint(true);
    form->Show();
    int hintEvents = 0;
    app->OnHint = [&](TObject*) { ++hintEvents; };

    MSG over{plain->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {}};
    PreProcessFormMessage(over);
    EXPECT_EQ(app->Hint(), "Plain long");
    EXPECT_EQ(hintEvents, 1);
    HWND tip = app->TooltipHandle();
    EXPECT_TRUE(!tip || SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) == 0); // no ShowHint: no tip

    over.hwnd = tipped->Handle();
    PreProcessFormMessage(over);
    EXPECT_EQ(app->Hint(), "Opens a character file");
    EXPECT_EQ(GetLongHint("Open"), "Open");
    tip = app->TooltipHandle();
    ASSERT_TRUE(tip);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[64] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = tipped->Handle();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Open");

    over.hwnd = form->Handle(); // off both buttons: the form has no hint
    PreProcessFormMessage(over);
    EXPECT_EQ(app->Hint(), "");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);

    // The control under the mouse goes away with its tool: the next move is still sound.
    over.hwnd = tipped->Handle();
    PreProcessFormMessage(over);
    delete tipped;
    over.hwnd = plain->Handle();
    PreProcessFormMessage(over);
    EXPECT_EQ(app->Hint(), "Plain long");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(Forms, LayoutSetsTheFormsPublishedProperties) {
    auto* form = new TForm(app);
    auto ico = IcoFile(0xFF2040FF);
    ReadLayout(*form,
               "object Form1: TForm\n"
               "  BorderStyle = bsSingle\n"
               "  BorderIcons = [biSystemMenu, biMinimize]\n"
               "  Position = poScreenCenter\n"
               "  FormStyle = fsStayOnTop\n"
               "  Constraints.MaxWidth = 336\n"
               "  AutoScroll = True\n"
               "  KeyPreview = True\n"
               "  Icon = resource 'FORMICON'\n"
               "  ActiveControl = Edit1\n"
               "  object Edit1: TEdit\n"
               "  end\n"
               "end\n",
               [&](std::string_view name) -> std::optional<std::vector<uint8_t>> {
                   if (name == "FORMICON") return ico;
                   return std::nullopt;
               });
    EXPECT_EQ(form->BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(form->BorderIcons(), biSystemMenu | biMinimize);
    EXPECT_EQ(form->Position(), TPosition::poScreenCenter);
    EXPECT_EQ(form->Constraints().MaxWidth(), 336);
    EXPECT_TRUE(form->AutoScroll());
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_FALSE(form->Icon().Empty());
    ASSERT_TRUE(form->ActiveControl());
    EXPECT_EQ(form->ActiveControl()->Name(), "Edit1");
    HWND hwnd = form->Handle();
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
    // An active control that goes away is forgotten.
    delete form->ActiveControl();
    EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(Forms, ActivationReportsAndGivesTheFocusBackToTheActiveControl) {
    auto* first = app->CreateForm<TForm>();
    auto* edit1 = new TEdit(first);
    edit1->SetParent(first);
    auto* edit2 = new TEdit(first);
    edit2->SetParent(first);
    edit2->SetTop(40);
    std::vector<std::string> events;
    first->OnActivate = [&](TObject*) { events.push_back("activate"); };
    first->OnDeactivate = [&](TObject*) { events.push_back("deactivate"); };
    first->OnResize = [&](TObject*) { events.push_back("resize"); };
    first->Show();
    SetActiveWindow(first->Handle());
    EXPECT_EQ(Screen->ActiveForm(), first);
    edit2->SetFocus();
    EXPECT_EQ(first->ActiveControl(), edit2);

    auto* second = app->CreateForm<TForm>();
    second->Show();
    SetActiveWindow(second->Handle());
    EXPECT_EQ(Screen->ActiveForm(), second);
    SetActiveWindow(first->Handle());
    EXPECT_EQ(GetFocus(), edit2->Handle()); // not the first control, not the form
    EXPECT_NE(std::find(events.begin(), events.end(), "deactivate"), events.end());
    EXPECT_EQ(events.back(), "activate");
    events.clear();
    first->SetWidth(first->Width() + 20);
    EXPECT_EQ(events, std::vector<std::string>{"resize"});
}

TEST_F(Forms, ScreenCursorWinsOverEveryWindowUntilDefaultAgain) {
    auto* form = app->CreateForm<TForm>();
    auto* button = new TButton(form);
    button->SetParent(form);
    form->Show();
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), CursorHandle(crHourGlass));
    SetCursor(CursorHandle(crArrow));
    // A child's WM_SETCURSOR goes up to its form, which keeps the hourglass.
    SendMessageW(button->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), CursorHandle(crHourGlass));
    Screen->SetCursor(crDefault);
    SendMessageW(button->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), CursorHandle(crHourGlass));
}

// Font, colour, cursor and mouse tracking that every control has.
#include "ControlsFixture.h"

#include "ui/classes/LayoutReader.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "tests/windows/support/MouseInput.h"

#include <algorithm>

TEST_F(ControlsTest, FontReachesTheWindowAndFollowsTheParentUntilChanged) {
    form->Font().SetName("Arial");
    form->Font().SetHeight(-13);
    auto* button = Add<TButton>();
    auto* edit = Add<TEdit>();
    LOGFONTW lf = FontOf(button->Handle());
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_TRUE(button->ParentFont());

    edit->Font().SetStyle(fsBold); // by hand: the edit leaves the parent's font
    EXPECT_FALSE(edit->ParentFont());
    EXPECT_EQ(FontOf(edit->Handle()).lfWeight, FW_BOLD);

    form->Font().SetName("Courier New");
    EXPECT_STREQ(FontOf(button->Handle()).lfFaceName, L"Courier New");
    EXPECT_STREQ(FontOf(edit->Handle()).lfFaceName, L"Arial");
    edit->SetParentFont(true);
    EXPECT_STREQ(FontOf(edit->Handle()).lfFaceName, L"Courier New");
    EXPECT_EQ(FontOf(edit->Handle()).lfWeight, FW_NORMAL);
}

TEST_F(ControlsTest, WindowHoldsALiveFontAfterManyChanges) {
    auto* edit = Add<TEdit>();
    for (int i = 0; i < 20; ++i) edit->Font().SetHeight(-10 - i);
    auto font = reinterpret_cast<HFONT>(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0));
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)); // never a deleted handle
    EXPECT_EQ(FontOf(edit->Handle()).lfHeight, -29);
}

TEST_F(ControlsTest, ParentColorFollowsTheParentAndColorReachesTheControl) {
    auto* edit = Add<TEdit>();
    EXPECT_EQ(edit->Color(), clWindow);
    edit->SetParentColor(true);
    form->SetColor(clRed);
    EXPECT_EQ(edit->Color(), clRed);
    edit->SetColor(clBlue);
    EXPECT_FALSE(edit->ParentColor());
    form->SetColor(clGreen);
    EXPECT_EQ(edit->Color(), clBlue);

    // The edit's colours come back from its parent's WM_CTLCOLOREDIT.
    edit->Font().SetColor(clYellow);
    HDC dc = GetDC(edit->Handle());
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(edit->Handle())));
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectW(brush, sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, clBlue);
    EXPECT_EQ(GetTextColor(dc), clYellow);
    EXPECT_EQ(GetBkColor(dc), clBlue);
    ReleaseDC(edit->Handle(), dc);
}

TEST_F(ControlsTest, FormBackgroundIsItsColor) {
    form->SetColor(0x00336699);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(form->Handle(), 5, 5), 0x00336699u);
}

TEST_F(ControlsTest, HandCursorOverALabelAndEnterLeaveClick) {
    auto* label = Add<TLabel>();
    label->SetAutoSize(false);
    label->SetBounds(50, 40, 100, 20);
    label->SetCursor(crHandPoint);
    std::vector<std::string> seen;
    label->OnMouseEnter = [&](TObject*) { seen.push_back("enter"); };
    label->OnMouseLeave = [&](TObject*) { seen.push_back("leave"); };
    label->OnClick = [&](TObject*) { seen.push_back("click"); };
    label->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        EXPECT_EQ(b, mbLeft);
        seen.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    };
    ShowAndPaint();
    HWND hwnd = form->Handle();

    EXPECT_EQ(form->CursorAt({60, 45}), crHandPoint);
    EXPECT_EQ(form->CursorAt({10, 10}), crDefault);

    SendMouse(hwnd, WM_MOUSEMOVE, 60, 45);
    SendMouse(hwnd, WM_MOUSEMOVE, 70, 45); // still inside: no second enter
    SendMouse(hwnd, WM_LBUTTONDOWN, 70, 45, MK_LBUTTON);
    SendMouse(hwnd, WM_LBUTTONUP, 70, 45);
    SendMouse(hwnd, WM_LBUTTONDOWN, 70, 45, MK_LBUTTON);
    SendMouse(hwnd, WM_LBUTTONUP, 300, 200); // released off the label: no click
    SendMouse(hwnd, WM_MOUSEMOVE, 300, 200);
    std::vector<std::string> expected{"enter", "down 20,5", "click", "down 20,5", "leave"};
    EXPECT_EQ(seen, expected);

    // The real cursor over the label is the hand.
    POINT screen{60, 45};
    ClientToScreen(hwnd, &screen);
    SetForegroundWindow(hwnd);
    if (SetCursorPos(screen.x, screen.y)) {
        POINT at;
        GetCursorPos(&at);
        if (at.x == screen.x && at.y == screen.y) {
            SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
        }
    }
}

// A move handled late reaches the form after the cursor went on into a child. Asking the system
// to track the form then (as Wine does it) drops the child's tracking without a leave; the
// child must still hear that the mouse left, and the form too once it goes off the form.
TEST_F(ControlsTest, EveryWindowTheMouseEnteredHearsItLeaveAfterALateMove) {
    auto* panel = Add<TPanel>();
    panel->SetBounds(50, 50, 100, 60);
    std::vector<std::string> seen;
    panel->OnMouseEnter = [&](TObject*) { seen.push_back("panel enter"); };
    panel->OnMouseLeave = [&](TObject*) { seen.push_back("panel leave"); };
    form->OnMouseEnter = [&](TObject*) { seen.push_back("form enter"); };
    form->OnMouseLeave = [&](TObject*) { seen.push_back("form leave"); };
    ShowAndPaint();
    SetForegroundWindow(form->Handle());
    auto pump = [&] { app->ProcessMessages(); };
    auto saw = [&](const char* what) {
        return kv::test::PumpUntil(
            [&] { return std::find(seen.begin(), seen.end(), what) != seen.end(); }, 5000, pump);
    };
    POINT overPanel{100, 80}, overForm{300, 200};
    ClientToScreen(form->Handle(), &overPanel);
    ClientToScreen(form->Handle(), &overForm);
    const RECT frame = kv::test::WindowRectOf(form->Handle());

    kv::test::MoveMouseTo(overPanel);
    ASSERT_TRUE(saw("panel enter"));
    seen.clear();
    PostMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 80)); // the late move
    pump();
    kv::test::MoveMouseTo(overForm);
    EXPECT_TRUE(saw("form enter"));
    EXPECT_TRUE(saw("panel leave"));
    kv::test::MoveMouseTo({frame.right + 50, frame.bottom + 50});
    EXPECT_TRUE(saw("form leave"));
}

// Tracking that something else dropped (another window asking for it, a cancel) is asked for
// again at the next move over the window, so its leave still comes.
TEST_F(ControlsTest, AWindowWhoseTrackingWasDroppedStillHearsTheMouseLeave) {
    std::vector<std::string> seen;
    form->OnMouseEnter = [&](TObject*) { seen.push_back("enter"); };
    form->OnMouseLeave = [&](TObject*) { seen.push_back("leave"); };
    ShowAndPaint();
    SetForegroundWindow(form->Handle());
    auto pump = [&] { app->ProcessMessages(); };
    POINT a{200, 100}, b{220, 120};
    ClientToScreen(form->Handle(), &a);
    ClientToScreen(form->Handle(), &b);
    const RECT frame = kv::test::WindowRectOf(form->Handle());

    kv::test::MoveMouseTo(a);
    ASSERT_TRUE(kv::test::PumpUntil([&] { return seen.size() == 1; }, 5000, pump));
    TRACKMOUSEEVENT cancel{sizeof cancel, TME_CANCEL | TME_LEAVE, form->Handle(), 0};
    TrackMouseEvent(&cancel);
    kv::test::MoveMouseTo(b);
    kv::test::PumpUntil([] { return false; }, 200, pump); // the move over the form
    kv::test::MoveMouseTo({frame.right + 50, frame.bottom + 50});
    EXPECT_TRUE(kv::test::PumpUntil([&] { return seen.size() == 2; }, 5000, pump));
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(ControlsTest, LayoutSetsFontCursorAndColours) {
    auto* label = new TLabel(form);
    label->SetName("Label2");
    label->SetParent(form);
    RegisterComponentClass<TLabel>();
    ReadLayout(*form, R"(
object Form1: TForm
  Color = clWhite
  Font.Name = 'MS Sans Serif'
  object Label3: TLabel
    Cursor = crHandPoint
    Font.Name = 'Arial'
    Font.Height = -13
    Font.Style = [fsBold, fsUnderline]
    Font.Charset = 134
    Font.Color = clBlue
    ParentColor = False
    Color = clYellow
  end
  object Label4: TLabel
  end
end
)");
    auto* bold = form->Find<TLabel>("Label3");
    auto* plain = form->Find<TLabel>("Label4");
    ASSERT_TRUE(bold && plain);
    EXPECT_EQ(bold->Cursor(), crHandPoint);
    EXPECT_EQ(bold->Font().Name(), "Arial");
    EXPECT_EQ(bold->Font().Height(), -13);
    EXPECT_EQ(bold->Font().Style(), fsBold | fsUnderline);
    EXPECT_EQ(bold->Font().Charset(), 134);
    EXPECT_EQ(bold->Font().Color(), clBlue);
    EXPECT_FALSE(bold->ParentFont());
    EXPECT_EQ(bold->Color(), clYellow);
    EXPECT_TRUE(plain->ParentColor());
    EXPECT_EQ(plain->Color(), clWhite);
    EXPECT_TRUE(plain->ParentFont());
    EXPECT_EQ(plain->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(GetOrdProp(*bold, "Cursor"), crHandPoint);
}

#include "tests/windows/support/GuiObjects.h"
#include "tests/windows/support/WaitFor.h"
#include "ui/classes/Exception.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

#include <gtest/gtest.h>

namespace {

// Records the messages a control's WindowProc sees, then passes them on.
struct MessageRecorder {
    std::vector<UINT> seen;
    TWndMethod saved;
    void Attach(TControl& c) {
        saved = c.WindowProc;
        c.WindowProc = [this](TMessage& m) {
            seen.push_back(m.Msg);
            saved(m);
        };
    }
    void Detach(TControl& c) { c.WindowProc = saved; }
    bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
};

using kv::test::ClassNameOf;
using kv::test::WaitFor;

class Framework : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetName("Form1");
    }
    void TearDown() override { delete app; }
    TButton* AddButton(const char* name) {
        auto* b = new TButton(form);
        b->SetName(name);
        b->SetParent(form);
        return b;
    }
    TApplication* app = nullptr;
    TForm* form = nullptr;
};

} // namespace

TEST_F(Framework, WindowClassNamesAreTheTNames) {
    TButton* button = AddButton("Button1");
    auto* list = new TListBox(form);
    list->SetParent(form);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    EXPECT_EQ(ClassNameOf(app->Handle()), "TApplication");
    EXPECT_EQ(ClassNameOf(form->Handle()), "TForm");
    EXPECT_EQ(ClassNameOf(button->Handle()), "TButton");
    EXPECT_EQ(ClassNameOf(list->Handle()), "TListBox");
    EXPECT_EQ(ClassNameOf(edit->Handle()), "TEdit");
    EXPECT_EQ(button->ClassName(), "TButton");
    EXPECT_EQ(TWinControl::FromHandle(button->Handle()), button);
    EXPECT_TRUE(IsWindowUnicode(button->Handle()));
}

TEST_F(Framework, WindowProcReplacedChainedAndRestoredOnALiveControl) {
    TButton* button = AddButton("Button1");
    HWND hwnd = button->Handle();
    MessageRecorder recorder;
    recorder.Attach(*button);
    SetWindowTextW(hwnd, L"Chained");
    EXPECT_TRUE(recorder.Saw(WM_SETTEXT));
    wchar_t text[32] = {};
    GetWindowTextW(hwnd, text, 32);
    EXPECT_STREQ(text, L"Chained"); // the saved method still did the work
    EXPECT_EQ(button->Perform(CM_MOUSEENTER), 0);
    EXPECT_TRUE(recorder.Saw(CM_MOUSEENTER));
    recorder.Detach(*button);
    recorder.seen.clear();
    SetWindowTextW(hwnd, L"After");
    EXPECT_TRUE(recorder.seen.empty());
    GetWindowTextW(hwnd, text, 32);
    EXPECT_STREQ(text, L"After");
}

TEST_F(Framework, CommandsAreReflectedToTheChildThatSentThem) {
    TButton* button = AddButton("Button1");
    int clicks = 0;
    button->OnClick = [&](TObject* s) {
        EXPECT_EQ(s, button);
        ++clicks;
    };
    MessageRecorder recorder;
    recorder.Attach(*button);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(recorder.Saw(CN_BASE + WM_COMMAND)); // 0xBD11
    recorder.Detach(*button);
}

TEST_F(Framework, DefaultErrorReportKeepsTheProgramRunning) {
    TButton* button = AddButton("Button1");
    std::vector<std::string> reports;
    app->OnException = [&](const std::exception& e) { reports.push_back(e.what()); };
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        if (++clicks == 1) throw Exception("Cannot open the character file");
    };
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !reports.empty(); }));
    EXPECT_EQ(reports[0], "Cannot open the character file");
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return clicks == 2; })); // still dispatching
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(Framework, ModalFormReturnsItsModalResult) {
    auto* dialog = new TForm(app);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    dialog->OnShow = [&](TObject*) { PostMessageW(ok->Handle(), BM_CLICK, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    dialog->OnShow = nullptr;
    // Closing a modal form without a result answers Cancel.
    PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(Framework, FreeingAFormFreesAndUnhooksItsControls) {
    auto* dialog = new TForm(app);
    auto* label = new TLabel(dialog);
    auto* edit = new TEdit(dialog);
    edit->SetParent(dialog);
    label->SetParent(dialog);
    label->SetFocusControl(edit);
    HWND editHandle = edit->Handle();
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_FALSE(IsWindow(editHandle));
    EXPECT_EQ(dialog->ControlCount(), 1);
    HWND dialogHandle = dialog->Handle();
    int forms = Screen->FormCount();
    delete dialog;
    EXPECT_FALSE(IsWindow(dialogHandle));
    EXPECT_EQ(Screen->FormCount(), forms - 1);
}

TEST_F(Framework, HandleCountsStayFlatOverManyCycles) {
    auto cycle = [&] {
        auto* f = new TForm(app);
        auto* b = new TButton(f);
        b->SetParent(f);
        auto* l = new TListBox(f);
        l->SetParent(f);
        l->Items().SetText("a\nb\nc");
        f->Show();
        delete f;
    };
    for (int i = 0; i < 5; ++i) cycle();
    const kv::test::GuiObjects before = kv::test::CountGuiObjects();
    for (int i = 0; i < 30; ++i) cycle();
    EXPECT_TRUE(kv::test::GrewAtMost(before, kv::test::CountGuiObjects(), 2));
}

TEST_F(Framework, ListBoxKeepsItsItemsInTheWindow) {
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->Items().SetText("Acknowledge\r\nAlert\r\nAnnounce");
    HWND hwnd = list->Handle();
    EXPECT_EQ(SendMessageW(hwnd, LB_GETCOUNT, 0, 0), 3);
    list->SetItemIndex(1);
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Items().Add("Blink");
    EXPECT_EQ(SendMessageW(hwnd, LB_GETCOUNT, 0, 0), 4);
}

static WNDPROC g_keptProc = nullptr;
// Keeps a window's last message from the procedure it replaced.
static LRESULT CALLBACK KeepLastMessage(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_NCDESTROY) return DefWindowProcW(h, msg, w, l);
    return CallWindowProcW(g_keptProc, h, msg, w, l);
}

// Controls are found from their windows only while both live: a window the framework did not
// make is no control, and neither is a destroyed one, even when a subclass swallowed its last
// message.
TEST_F(Framework, WindowsLeadToTheirControlsOnlyWhileTheyLive) {
    TButton* button = AddButton("Button1");
    HWND buttonWindow = button->Handle();
    EXPECT_EQ(TWinControl::FromHandle(buttonWindow), button);
    EXPECT_EQ(TWinControl::FromHandle(form->Handle()), form);

    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form->Handle(),
                                   nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(TWinControl::FromHandle(foreign), nullptr);
    DestroyWindow(foreign);

    // Destroyed behind the framework's back: the window's last message unbinds it.
    DestroyWindow(buttonWindow);
    EXPECT_EQ(TWinControl::FromHandle(buttonWindow), nullptr);

    // A subclass that keeps WM_NCDESTROY to itself: freeing the control still unbinds it.
    TButton* other = AddButton("Button2");
    HWND otherWindow = other->Handle();
    g_keptProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(otherWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeepLastMessage)));
    delete other;
    EXPECT_FALSE(IsWindow(otherWindow));
    EXPECT_EQ(TWinControl::FromHandle(otherWindow), nullptr);
}

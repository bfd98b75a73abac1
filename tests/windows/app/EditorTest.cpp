// The action list editor, driven through its window.
#include "AppFixture.h"

#include "app/EditActionList.h"
#include "app/logic/Texts.h"

using namespace kv::app;
using namespace kv::app::testing;
using Lines = std::vector<std::string>;

namespace {

TForm2& EditorOf(HWND editor) {
    auto* form = dynamic_cast<TForm2*>(TWinControl::FromHandle(editor));
    if (!form) throw std::runtime_error("not the editor");
    return *form;
}

void CALLBACK CheckFocusAndClose(HWND editor, UINT, UINT_PTR, DWORD) {
    KillTimer(editor, 7);
    EXPECT_EQ(GetFocus(), EditorOf(editor).Edit2->Handle());
    PostMessageA(editor, WM_CLOSE, 0, 0);
}

class Editor : public AppTest {
protected:
    static void Click(TButton* button) { SendMessageA(button->Handle(), BM_CLICK, 0, 0); }
    static void Type(TEdit* edit, const std::string& text) {
        SetWindowTextA(edit->Handle(), text.c_str());
    }
    // The lines as the list's window holds them.
    static Lines EditorLines(TForm2& editor) {
        HWND list = editor.ListBox1->Handle();
        Lines lines;
        int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string text(size_t(SendMessageA(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, '\0');
            SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
            lines.push_back(text.c_str());
        }
        return lines;
    }
    static int Count(TForm2& editor) {
        return int(SendMessageA(editor.ListBox1->Handle(), LB_GETCOUNT, 0, 0));
    }
    // Selects as a click does: the list box notifies its form.
    static void Select(TForm2& editor, int index) {
        HWND list = editor.ListBox1->Handle();
        SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
        SendMessageA(editor.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    // Opens the editor from the menu and runs `drive` on it.
    void Edit(std::function<void(TForm2&)> drive) {
        OnModal([drive](HWND editor) { drive(EditorOf(editor)); });
        Command(form_->EditActionList1);
    }
};

} // namespace

TEST_F(Editor, WithoutAFileItShowsNamePairsAndItsLayout) {
    Start();
    Edit([&](TForm2& editor) {
        EXPECT_EQ(WindowText(editor.Handle()), "Edit Action List");
        char cls[64] = {};
        GetClassNameA(editor.Handle(), cls, sizeof cls);
        EXPECT_STREQ(cls, "TForm2");
        RECT r;
        GetWindowRect(editor.Handle(), &r);
        // The stored 438 x 292 window keeps its client area inside the default skin's frame.
        RECT client;
        GetClientRect(editor.Handle(), &client);
        EXPECT_EQ(r.right - r.left, 438);
        EXPECT_EQ(client.bottom, 265);
        EXPECT_EQ(r.bottom - r.top, 299);
        Lines lines = EditorLines(editor);
        ASSERT_EQ(lines.size(), 84u);
        EXPECT_EQ(lines[0], "Acknowledge;Acknowledge");
        EXPECT_EQ(WindowText(editor.Edit1->Handle()), "Acknowledge");
        EXPECT_EQ(WindowText(editor.Edit2->Handle()), "Acknowledge");
        EXPECT_EQ(editor.Label1->Caption(), "Action &List");
        EXPECT_EQ(editor.Label2->Caption(), "A&ction");
        EXPECT_EQ(editor.Label3->Caption(), "D&escription");
        EXPECT_EQ(editor.Label1->FocusControl(), editor.ListBox1);
        EXPECT_EQ(editor.Label2->FocusControl(), editor.Edit1);
        EXPECT_EQ(editor.Label3->FocusControl(), editor.Edit2);
        EXPECT_EQ(WindowText(editor.Button2->Handle()), "&Add");
        EXPECT_EQ(WindowText(editor.Replace->Handle()), "&Replace");
        EXPECT_EQ(WindowText(editor.Button3->Handle()), "&Delete");
        EXPECT_EQ(WindowText(editor.Button1->Handle()), "&Save&&Quit");
        LOGFONTA lf = FontOf(editor.Button1->Handle());
        EXPECT_EQ(lf.lfHeight, -12);
        // Tab order: list, name, description, save, add, delete, replace.
        TWinControl* order[] = {editor.ListBox1, editor.Edit1,   editor.Edit2,   editor.Button1,
                                editor.Button2,  editor.Button3, editor.Replace, editor.ListBox1};
        for (size_t i = 0; i + 1 < std::size(order); ++i)
            EXPECT_EQ(GetNextDlgTabItem(editor.Handle(), order[i]->Handle(), FALSE),
                      order[i + 1]->Handle())
                << i;
        EXPECT_FALSE(IsWindowEnabled(form_->Handle())); // modal
        PostMessageA(editor.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(IsWindowEnabled(form_->Handle()));
    EXPECT_FALSE(Exists("Action.Cfg")); // closing discards
}

TEST_F(Editor, AddReplaceDeleteAndSave) {
    WriteFile("Action.Cfg", "Wave;Say goodbye\rGreet;Say hello\n");
    TForm1& form = Start();
    Edit([&](TForm2& editor) {
        EXPECT_EQ(EditorLines(editor), (Lines{"Wave;Say goodbye", "Greet;Say hello"}));
        // English: an empty description becomes the name.
        Type(editor.Edit1, "  Read ");
        Type(editor.Edit2, "   ");
        Click(editor.Button2);
        EXPECT_EQ(WindowText(editor.Edit2->Handle()), "  Read ");
        // Duplicates are allowed; a name with ";" is stored as typed.
        Click(editor.Button2);
        Type(editor.Edit1, "Wa;ve");
        Type(editor.Edit2, "hand");
        Click(editor.Button2);
        Select(editor, 1);
        EXPECT_EQ(WindowText(editor.Edit1->Handle()), "Greet");
        Type(editor.Edit2, " Hello there ");
        Click(editor.Replace);
        Select(editor, 0);
        Click(editor.Button3);
        EXPECT_EQ(WindowText(editor.Edit1->Handle()), "Wave"); // the edits keep their text
        EXPECT_TRUE(messages_.empty());
        Click(editor.Button1);
    });
    EXPECT_EQ(ReadFile("Action.Cfg"),
              "Greet;Hello there\r\nRead;Read\r\nRead;Read\r\nWa;ve;hand\r\n");
    EXPECT_EQ(form.ListItems(), (Lines{"Hello there", "Read", "Read", "ve;hand"}));
    EXPECT_EQ(*form.ActionNames, (Lines{"Greet", "Read", "Read", "Wa"}));
    EXPECT_EQ(SelectedIndex(form.ListBox1->Handle()), 0);
}

TEST_F(Editor, MissingNameIsRefusedWithTheMessage) {
    Start();
    Edit([&](TForm2& editor) {
        Type(editor.Edit1, " ");
        Type(editor.Edit2, "text");
        Click(editor.Button2);
        Click(editor.Replace);
        EXPECT_EQ(Texts(),
                  (std::vector<std::string>{"The Action Must Input!", "The Action Must Input!"}));
        EXPECT_EQ(EditorLines(editor).size(), 84u);
        EXPECT_EQ(EditorLines(editor)[0], "Acknowledge;Acknowledge");
        PostMessageA(editor.Handle(), WM_CLOSE, 0, 0);
    });
}

TEST_F(Editor, ReplaceWithoutSelectionDoesNothing) {
    WriteFile("Action.Cfg", "a;b\r\n");
    Start();
    Edit([&](TForm2& editor) {
        SendMessageA(editor.ListBox1->Handle(), LB_SETCURSEL, WPARAM(-1), 0);
        Type(editor.Edit1, "x");
        Click(editor.Replace);
        Click(editor.Button3);
        EXPECT_EQ(EditorLines(editor), (Lines{"a;b"}));
        PostMessageA(editor.Handle(), WM_CLOSE, 0, 0);
    });
}

TEST_F(Editor, EnterInTheNameMovesToTheDescription) {
    Start();
    Edit([&](TForm2& editor) {
        HWND name = editor.Edit1->Handle();
        SetFocus(name);
        PostMessageA(name, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(name, WM_CHAR, VK_RETURN, 1);
        // Give the modal loop the keys, then look.
        PostMessageA(editor.Handle(), WM_NULL, 0, 0);
        SetTimer(editor.Handle(), 7, 50, CheckFocusAndClose);
    });
}

TEST_F(Editor, DeletingEverythingSavesAnEmptyFile) {
    TForm1& form = Start({"C:\\x\\Pip.acs"});
    Edit([&](TForm2& editor) {
        while (Count(editor) > 0) {
            Select(editor, 0);
            Click(editor.Button3);
        }
        Click(editor.Button1);
    });
    EXPECT_TRUE(Exists("Action.Cfg"));
    EXPECT_EQ(ReadFile("Action.Cfg"), "");
    EXPECT_TRUE(form.ListItems().empty());
    agent_->ClearLog();
    DoubleClick(0);
    EXPECT_TRUE(Log().empty());
}

TEST_F(Editor, AFailedSaveLosesNothingAndKeepsTheEditorOpen) {
    WriteFile("Action.Cfg", "Wave;Old text\r\n");
    Start();
    HANDLE held = INVALID_HANDLE_VALUE;
    Edit([&](TForm2& editor) {
        // A file another program holds open without sharing cannot be replaced.
        held = CreateFileA((dir_ + "Action.Cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        Type(editor.Edit1, "New");
        Type(editor.Edit2, "");
        Click(editor.Button2);
        Click(editor.Button1);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_TRUE(messages_[0].type & MB_ICONSTOP);
        EXPECT_NE(messages_[0].text.find("Action.Cfg"), std::string::npos);
        EXPECT_TRUE(IsWindowVisible(editor.Handle()));
        EXPECT_EQ(EditorLines(editor), (Lines{"Wave;Old text", "New;New"}));
        PostMessageA(editor.Handle(), WM_CLOSE, 0, 0);
    });
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_EQ(ReadFile("Action.Cfg"), "Wave;Old text\r\n");
    // No temporary file stays behind.
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir_ + "*.tmp").c_str(), &found);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(Editor, SavingReplacesTheOldFileCompletely) {
    WriteFile("Action.Cfg", std::string(100000, 'x') + "\r\n" + "Tail;t");
    Start();
    Edit([&](TForm2& editor) {
        while (Count(editor) > 1) {
            Select(editor, 0);
            Click(editor.Button3);
        }
        Click(editor.Button1);
    });
    EXPECT_EQ(ReadFile("Action.Cfg"), "Tail;t\r\n");
}

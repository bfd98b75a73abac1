// The action list editor, driven through its window.
#include "AppFixture.h"

#include "app/EditActionList.h"
#include "app/logic/Texts.h"

using namespace kv::app;
using namespace kv::app::testing;
using Lines = std::vector<std::string>;

namespace {

void CALLBACK CheckFocusAndClose(HWND editor, UINT, UINT_PTR, DWORD) {
    KillTimer(editor, 7);
    EXPECT_EQ(GetFocus(), GetDlgItem(editor, idEditorDescription));
    PostMessageA(editor, WM_CLOSE, 0, 0);
}

class Editor : public AppTest {
protected:
    static HWND Item(HWND editor, int id) { return GetDlgItem(editor, id); }
    static void Click(HWND editor, int id) { SendMessageA(Item(editor, id), BM_CLICK, 0, 0); }
    static void Type(HWND editor, int id, const std::string& text) {
        SetWindowTextA(Item(editor, id), text.c_str());
    }
    static Lines EditorLines(HWND editor) {
        HWND list = Item(editor, idEditorList);
        Lines lines;
        int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string text(size_t(SendMessageA(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, '\0');
            SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
            lines.push_back(text.c_str());
        }
        return lines;
    }
    static int Count(HWND editor) {
        return int(SendMessageA(Item(editor, idEditorList), LB_GETCOUNT, 0, 0));
    }
    static void Select(HWND editor, int index) {
        HWND list = Item(editor, idEditorList);
        SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
        SendMessageA(editor, WM_COMMAND, MAKEWPARAM(idEditorList, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    // Opens the editor from the menu and runs `drive` on it.
    void Edit(std::function<void(HWND)> drive) {
        OnModal(std::move(drive));
        Command(cmEditActionList);
    }
};

} // namespace

TEST_F(Editor, WithoutAFileItShowsNamePairsAndItsLayout) {
    Start();
    Edit([&](HWND editor) {
        EXPECT_EQ(WindowText(editor), "Edit Action List");
        char cls[64] = {};
        GetClassNameA(editor, cls, sizeof cls);
        EXPECT_STREQ(cls, "TForm2");
        RECT r;
        GetWindowRect(editor, &r);
        EXPECT_EQ(r.right - r.left, 438);
        EXPECT_EQ(r.bottom - r.top, 292);
        Lines lines = EditorLines(editor);
        ASSERT_EQ(lines.size(), 84u);
        EXPECT_EQ(lines[0], "Acknowledge;Acknowledge");
        EXPECT_EQ(WindowText(Item(editor, idEditorName)), "Acknowledge");
        EXPECT_EQ(WindowText(Item(editor, idEditorDescription)), "Acknowledge");
        EXPECT_EQ(WindowText(Item(editor, idEditorLabel1)), "Action &List");
        EXPECT_EQ(WindowText(Item(editor, idEditorLabel2)), "A&ction");
        EXPECT_EQ(WindowText(Item(editor, idEditorLabel3)), "D&escription");
        EXPECT_EQ(WindowText(Item(editor, idEditorAdd)), "&Add");
        EXPECT_EQ(WindowText(Item(editor, idEditorReplace)), "&Replace");
        EXPECT_EQ(WindowText(Item(editor, idEditorDelete)), "&Delete");
        EXPECT_EQ(WindowText(Item(editor, idEditorSave)), "&Save&&Quit");
        LOGFONTA lf = FontOf(Item(editor, idEditorSave));
        EXPECT_EQ(lf.lfHeight, -12);
        // Tab order: list, name, description, save, add, delete, replace.
        int order[] = {idEditorList, idEditorName,   idEditorDescription, idEditorSave,
                       idEditorAdd,  idEditorDelete, idEditorReplace,     idEditorList};
        for (size_t i = 0; i + 1 < std::size(order); ++i)
            EXPECT_EQ(GetNextDlgTabItem(editor, Item(editor, order[i]), FALSE),
                      Item(editor, order[i + 1]))
                << i;
        EXPECT_FALSE(IsWindowEnabled(form_->Hwnd())); // modal
        PostMessageA(editor, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(IsWindowEnabled(form_->Hwnd()));
    EXPECT_FALSE(Exists("Action.Cfg")); // closing discards
}

TEST_F(Editor, AddReplaceDeleteAndSave) {
    WriteFile("Action.Cfg", "Wave;Say goodbye\rGreet;Say hello\n");
    TForm1& form = Start();
    Edit([&](HWND editor) {
        EXPECT_EQ(EditorLines(editor), (Lines{"Wave;Say goodbye", "Greet;Say hello"}));
        // English: an empty description becomes the name.
        Type(editor, idEditorName, "  Read ");
        Type(editor, idEditorDescription, "   ");
        Click(editor, idEditorAdd);
        EXPECT_EQ(WindowText(Item(editor, idEditorDescription)), "  Read ");
        // Duplicates are allowed; a name with ";" is stored as typed.
        Click(editor, idEditorAdd);
        Type(editor, idEditorName, "Wa;ve");
        Type(editor, idEditorDescription, "hand");
        Click(editor, idEditorAdd);
        Select(editor, 1);
        EXPECT_EQ(WindowText(Item(editor, idEditorName)), "Greet");
        Type(editor, idEditorDescription, " Hello there ");
        Click(editor, idEditorReplace);
        Select(editor, 0);
        Click(editor, idEditorDelete);
        EXPECT_EQ(WindowText(Item(editor, idEditorName)), "Wave"); // the edits keep their text
        EXPECT_TRUE(messages_.empty());
        Click(editor, idEditorSave);
    });
    EXPECT_EQ(ReadFile("Action.Cfg"),
              "Greet;Hello there\r\nRead;Read\r\nRead;Read\r\nWa;ve;hand\r\n");
    EXPECT_EQ(form.ListItems(), (Lines{"Hello there", "Read", "Read", "ve;hand"}));
    EXPECT_EQ(*form.ActionNames(), (Lines{"Greet", "Read", "Read", "Wa"}));
    EXPECT_EQ(SelectedIndex(form.ListBox1()), 0);
}

TEST_F(Editor, MissingNameIsRefusedWithTheMessage) {
    Start();
    Edit([&](HWND editor) {
        Type(editor, idEditorName, " ");
        Type(editor, idEditorDescription, "text");
        Click(editor, idEditorAdd);
        Click(editor, idEditorReplace);
        EXPECT_EQ(Texts(),
                  (std::vector<std::string>{"The Action Must Input!", "The Action Must Input!"}));
        EXPECT_EQ(EditorLines(editor).size(), 84u);
        EXPECT_EQ(EditorLines(editor)[0], "Acknowledge;Acknowledge");
        PostMessageA(editor, WM_CLOSE, 0, 0);
    });
}

TEST_F(Editor, ReplaceWithoutSelectionDoesNothing) {
    WriteFile("Action.Cfg", "a;b\r\n");
    Start();
    Edit([&](HWND editor) {
        SendMessageA(Item(editor, idEditorList), LB_SETCURSEL, WPARAM(-1), 0);
        Type(editor, idEditorName, "x");
        Click(editor, idEditorReplace);
        Click(editor, idEditorDelete);
        EXPECT_EQ(EditorLines(editor), (Lines{"a;b"}));
        PostMessageA(editor, WM_CLOSE, 0, 0);
    });
}

TEST_F(Editor, EnterInTheNameMovesToTheDescription) {
    Start();
    Edit([&](HWND editor) {
        HWND name = Item(editor, idEditorName);
        SetFocus(name);
        PostMessageA(name, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(name, WM_CHAR, VK_RETURN, 1);
        // Give the modal loop the keys, then look.
        PostMessageA(editor, WM_NULL, 0, 0);
        SetTimer(editor, 7, 50, CheckFocusAndClose);
    });
}

TEST_F(Editor, DeletingEverythingSavesAnEmptyFile) {
    TForm1& form = Start({"C:\\x\\Pip.acs"});
    Edit([&](HWND editor) {
        while (Count(editor) > 0) {
            Select(editor, 0);
            Click(editor, idEditorDelete);
        }
        Click(editor, idEditorSave);
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
    Edit([&](HWND editor) {
        // A file another program holds open without sharing cannot be replaced.
        held = CreateFileA((dir_ + "Action.Cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        Type(editor, idEditorName, "New");
        Type(editor, idEditorDescription, "");
        Click(editor, idEditorAdd);
        Click(editor, idEditorSave);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_TRUE(messages_[0].type & MB_ICONSTOP);
        EXPECT_NE(messages_[0].text.find("Action.Cfg"), std::string::npos);
        EXPECT_TRUE(IsWindowVisible(editor));
        EXPECT_EQ(EditorLines(editor), (Lines{"Wave;Old text", "New;New"}));
        PostMessageA(editor, WM_CLOSE, 0, 0);
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
    Edit([&](HWND editor) {
        while (Count(editor) > 1) {
            Select(editor, 0);
            Click(editor, idEditorDelete);
        }
        Click(editor, idEditorSave);
    });
    EXPECT_EQ(ReadFile("Action.Cfg"), "Tail;t\r\n");
}

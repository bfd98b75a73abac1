#include "app/EditActionList.h"

#include "app/PubUnit.h"
#include "app/Unit1.h"
#include "app/logic/ActionList.h"
#include "app/logic/Texts.h"
#include "app/win/Services.h"

namespace kv::app {
namespace {

std::string ListText(HWND list, int index) {
    int length = int(SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0));
    if (length < 0) return {};
    std::string text(size_t(length) + 1, '\0');
    int got =
        int(SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data())));
    text.resize(size_t(got > 0 ? got : 0));
    return text;
}

} // namespace

TForm2::TForm2(TForm1& owner) : owner_(owner) {
    designFont_ = MakeFont("MS Sans Serif", DEFAULT_CHARSET, -11);
    RECT o;
    GetWindowRect(owner.Hwnd(), &o);
    CreateTopLevel("TForm2", std::string(kEditorCaption), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                   o.left + 20, o.top + 20, 438, 292, owner.Hwnd(), nullptr);
    RegisterLabelClass();
    const DWORD tab = WS_TABSTOP;
    // Creation order is the tab order; each label precedes the control it focuses.
    label1_ =
        CreateChild(Hwnd(), "STATIC", "Action &List:", SS_LEFT, 16, 11, 200, 13, idEditorLabel1);
    listBox1_ =
        CreateChild(Hwnd(), "LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | tab, 10,
                    28, 271, 217, idEditorList, WS_EX_CLIENTEDGE);
    label2_ = CreateChild(Hwnd(), "STATIC", "A&ction", SS_LEFT, 296, 8, 121, 13, idEditorLabel2);
    edit1_ = CreateChild(Hwnd(), "EDIT", "", ES_AUTOHSCROLL | tab, 296, 25, 121, 21, idEditorName,
                         WS_EX_CLIENTEDGE);
    label3_ =
        CreateChild(Hwnd(), "STATIC", "D&escription", SS_LEFT, 296, 64, 121, 13, idEditorLabel3);
    edit2_ = CreateChild(Hwnd(), "EDIT", "", ES_AUTOHSCROLL | tab, 296, 80, 121, 21,
                         idEditorDescription, WS_EX_CLIENTEDGE);
    button1_ = CreateChild(Hwnd(), "BUTTON", "&Save&&Quit", BS_PUSHBUTTON | tab, 320, 217, 75, 25,
                           idEditorSave);
    button2_ =
        CreateChild(Hwnd(), "BUTTON", "&Add", BS_PUSHBUTTON | tab, 320, 120, 75, 25, idEditorAdd);
    button3_ = CreateChild(Hwnd(), "BUTTON", "&Delete", BS_PUSHBUTTON | tab, 320, 185, 75, 25,
                           idEditorDelete);
    replace_ = CreateChild(Hwnd(), "BUTTON", "&Replace", BS_PUSHBUTTON | tab, 320, 152, 75, 25,
                           idEditorReplace);
    SendMessageA(listBox1_, LB_SETITEMHEIGHT, 0, 13);
    SetFontOfTree(Hwnd(), designFont_.get());
    FormCreate();
}

TForm2::~TForm2() {
    if (Hwnd()) DestroyWindow(Hwnd());
}

std::string TForm2::FileName() const {
    return std::string(TextsFor(InterfaceLanguage).actionListFile);
}

void TForm2::AddLine(const std::string& line) {
    SendMessageA(listBox1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void TForm2::FormCreate() {
    const LanguageTexts& t = TextsFor(InterfaceLanguage);
    SetWindowTextA(label1_, std::string(t.editorLabel1).c_str());
    SetWindowTextA(label2_, std::string(t.editorLabel2).c_str());
    SetWindowTextA(label3_, std::string(t.editorLabel3).c_str());
    SetWindowTextA(button2_, std::string(t.editorAdd).c_str());
    SetWindowTextA(replace_, std::string(t.editorReplace).c_str());
    SetWindowTextA(button3_, std::string(t.editorDelete).c_str());
    SetWindowTextA(button1_, std::string(t.editorSaveQuit).c_str());
    std::string path = AppDir + FileName();
    kv::app::Lines lines;
    if (FileExists(path)) {
        lines = SplitLines(ReadWholeFile(path));
    } else {
        const std::vector<std::string> none;
        const auto* names = owner_.ActionNames();
        lines = EditorLinesFromTable(names ? *names : none, owner_.ListItems());
    }
    for (const auto& line : lines) AddLine(line);
    if (SendMessageA(listBox1_, LB_GETCOUNT, 0, 0) > 0) {
        SendMessageA(listBox1_, LB_SETCURSEL, 0, 0);
        ListBox1Click();
    }
}

void TForm2::FormShow() {
    languageFont_ = CreateSpecFont(TextsFor(InterfaceLanguage).editorFont);
    SetFontOfTree(Hwnd(), languageFont_.get());
}

void TForm2::ShowModal() {
    closed_ = false;
    try {
        FormShow();
    } catch (...) {
        ShowCurrentException();
    }
    RunModalLoop(Hwnd(), owner_.Hwnd(), closed_, [this](MSG& msg) { return Edit1KeyPress(msg); });
    ShowWindow(Hwnd(), SW_HIDE);
}

std::vector<std::string> TForm2::Lines() const {
    std::vector<std::string> lines;
    int count = int(SendMessageA(listBox1_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) lines.push_back(ListText(listBox1_, i));
    return lines;
}

void TForm2::ListBox1Click() {
    int selected = int(SendMessageA(listBox1_, LB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    ActionPair pair = SplitPair(ListText(listBox1_, selected));
    SetWindowTextA(edit1_, pair.name.c_str());
    SetWindowTextA(edit2_, pair.description.c_str());
}

bool TForm2::Edit1KeyPress(MSG& msg) {
    // Enter in the name field moves on to the description.
    if (msg.hwnd == edit1_ && (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) &&
        msg.wParam == VK_RETURN) {
        if (msg.message == WM_KEYDOWN) SetFocus(edit2_);
        return true;
    }
    return false;
}

bool TForm2::ValidateInput() {
    std::string name = WindowText(edit1_);
    InputCheck check = kv::app::ValidateInput(InterfaceLanguage, name, WindowText(edit2_));
    if (check.descriptionDefaulted) SetWindowTextA(edit2_, name.c_str());
    if (!check.valid) SetFocus(edit1_);
    return check.valid;
}

void TForm2::Button2Click() {
    if (!ValidateInput()) {
        ShowMessage(std::string(TextsFor(InterfaceLanguage).mustInput));
        return;
    }
    AddLine(MakeEntry(WindowText(edit1_), WindowText(edit2_)));
}

void TForm2::ReplaceClick() {
    if (!ValidateInput()) {
        ShowMessage(std::string(TextsFor(InterfaceLanguage).mustInput));
        return;
    }
    int selected = int(SendMessageA(listBox1_, LB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    std::string entry = MakeEntry(WindowText(edit1_), WindowText(edit2_));
    SendMessageA(listBox1_, LB_DELETESTRING, WPARAM(selected), 0);
    SendMessageA(listBox1_, LB_INSERTSTRING, WPARAM(selected),
                 reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(listBox1_, LB_SETCURSEL, WPARAM(selected), 0);
}

void TForm2::Button3Click() {
    int selected = int(SendMessageA(listBox1_, LB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    SendMessageA(listBox1_, LB_DELETESTRING, WPARAM(selected), 0);
}

void TForm2::Button1Click() {
    ReplaceFileAtomically(AppDir + FileName(), JoinLines(Lines()));
    closed_ = true;
}

LRESULT TForm2::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case idEditorList:
            if (HIWORD(wParam) == LBN_SELCHANGE) ListBox1Click();
            return 0;
        case idEditorAdd:
            Button2Click();
            return 0;
        case idEditorReplace:
            ReplaceClick();
            return 0;
        case idEditorDelete:
            Button3Click();
            return 0;
        case idEditorSave:
            Button1Click();
            return 0;
        case IDCANCEL:
            closed_ = true;
            return 0;
        }
        break;
    case WM_CLOSE:
        closed_ = true;
        return 0;
    }
    return Default(message, wParam, lParam);
}

} // namespace kv::app

#include "app/Unit1.h"

#include "app/AboutFrm.h"
#include "app/Association.h"
#include "app/EditActionList.h"
#include "app/PubUnit.h"
#include "app/logic/Association.h"
#include "app/logic/BuiltinNames.h"
#include "app/logic/Paths.h"
#include "app/logic/Settings.h"
#include "app/logic/Texts.h"
#include "app/win/Services.h"

#include <commdlg.h>
#include <imm.h>

namespace kv::app {
namespace {

TForm1*& MainForm() {
    static TForm1* form = nullptr;
    return form;
}

constexpr wchar_t kCharacterId[] = L"Bob";
constexpr int kOuterWidth = 336;
constexpr int kOuterHeight = 297;
constexpr int kToolBarHeight = 24;
constexpr int kStatusHeight = 22;
constexpr int kButtonWidth = 52;
constexpr int kSeparatorWidth = 8;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

std::string ToShownText(const std::string& caption, const char* shortcut) {
    return shortcut ? caption + "\t" + shortcut : caption;
}

TBBUTTON Button(int image, int command) {
    TBBUTTON b = {};
    b.iBitmap = image;
    b.idCommand = command;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
    return b;
}

TBBUTTON Separator() {
    TBBUTTON b = {};
    b.iBitmap = kSeparatorWidth;
    b.fsStyle = BTNS_SEP;
    return b;
}

} // namespace

TForm1* Form1() {
    return MainForm();
}

TForm1::TForm1(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {
    const LanguageTexts& en = TextsFor(kEnglish);
    // The design texts; ApplyLanguage replaces them at start-up.
    actions_ = {
        {cmOpenAgent, std::string(en.openCaption), "Open File", "Ctrl+O"},
        {cmCloseAgent, std::string(en.closeCaption), "Close File", "Ctrl+U"},
        {cmQuitProgram, std::string(en.quitCaption), "", "Ctrl+Q"},
        {cmShowAgent, std::string(en.showCaption), "Show", "Ctrl+S"},
        {cmHideAgent, std::string(en.hideCaption), "Hide", "Ctrl+H"},
        {cmAbout, std::string(en.aboutCaption), "About...", "F1"},
        {cmFileAssociated, std::string(en.fileAssociated), "", nullptr},
    };
    windowFont_ = MakeFont("MS Sans Serif", DEFAULT_CHARSET, -11);
    // The list's own font: the language font never reaches it.
    listFont_ = MakeFont("\xcb\xce\xcc\xe5", GB2312_CHARSET, -13); // 宋体
    websiteFont_ = MakeFont("MS Sans Serif", DEFAULT_CHARSET, -13, kStyleBold);
    websiteHotFont_ = MakeFont("MS Sans Serif", DEFAULT_CHARSET, -13, kStyleBold | kStyleUnderline);
    CreateMenus();
    RECT work = {0, 0, 1024, 768};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.left + ((work.right - work.left) - kOuterWidth) / 2;
    int y = work.top + ((work.bottom - work.top) - kOuterHeight) / 2;
    CreateTopLevel("TForm1", std::string(kMainCaption), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, x,
                   y, kOuterWidth, kOuterHeight, Application ? Application->Handle() : nullptr,
                   mainMenu1_);
    SendMessageA(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);
    CreateToolBar();
    CreateControls();
    LayoutControls();
    MainForm() = this;
}

TForm1::~TForm1() {
    if (MainForm() == this) MainForm() = nullptr;
    if (Hwnd()) DestroyWindow(Hwnd());
    // The character goes before the control that made it.
    characterRef_ = kv::agent::TAgentCharacter();
    agentControl_.reset();
    if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
    if (imageList1_) ImageList_Destroy(imageList1_);
}

void TForm1::CreateMenus() {
    const LanguageTexts& en = TextsFor(kEnglish);
    file1_ = CreatePopupMenu();
    AppendMenuA(file1_, MF_STRING, cmOpenAgent, "");
    AppendMenuA(file1_, MF_STRING, cmCloseAgent, "");
    AppendMenuA(file1_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file1_, MF_STRING, cmEditActionList, std::string(en.editActionList).c_str());
    AppendMenuA(file1_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file1_, MF_STRING, cmFileAssociated, "");
    AppendMenuA(file1_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file1_, MF_STRING, cmQuitProgram, "");
    language1_ = CreatePopupMenu();
    AppendMenuA(language1_, MF_STRING, cmEnglish, "English");
    AppendMenuA(language1_, MF_STRING, cmChineseSimple, "Chinese Simple");
    AppendMenuA(language1_, MF_STRING, cmBig5, "Big5");
    CheckMenuRadioItem(language1_, cmEnglish, cmBig5, cmEnglish, MF_BYCOMMAND);
    view1_ = CreatePopupMenu();
    AppendMenuA(view1_, MF_STRING, cmShowAgent, "");
    AppendMenuA(view1_, MF_STRING, cmHideAgent, "");
    AppendMenuA(view1_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(view1_, MF_POPUP, reinterpret_cast<UINT_PTR>(language1_), "Language");
    about1_ = CreatePopupMenu();
    AppendMenuA(about1_, MF_STRING, cmAbout, "");
    mainMenu1_ = CreateMenu();
    AppendMenuA(mainMenu1_, MF_POPUP, reinterpret_cast<UINT_PTR>(file1_),
                std::string(en.fileMenu).c_str());
    AppendMenuA(mainMenu1_, MF_POPUP, reinterpret_cast<UINT_PTR>(view1_),
                std::string(en.viewMenu).c_str());
    AppendMenuA(mainMenu1_, MF_POPUP, reinterpret_cast<UINT_PTR>(about1_),
                std::string(en.helpMenu).c_str());
    RefreshMenuTexts();

    ACCEL keys[] = {
        {FCONTROL | FVIRTKEY, 'O', cmOpenAgent},   {FCONTROL | FVIRTKEY, 'U', cmCloseAgent},
        {FCONTROL | FVIRTKEY, 'Q', cmQuitProgram}, {FCONTROL | FVIRTKEY, 'S', cmShowAgent},
        {FCONTROL | FVIRTKEY, 'H', cmHideAgent},   {FVIRTKEY, VK_F1, cmAbout},
    };
    shortcuts_ = CreateAcceleratorTableA(keys, int(std::size(keys)));
}

void TForm1::CreateToolBar() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    imageList1_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 5, 0);
    if (HBITMAP strip = static_cast<HBITMAP>(
            LoadImageA(instance, "TOOLIMAGES", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
        ImageList_AddMasked(imageList1_, strip, kMaskColour);
        DeleteObject(strip);
    }
    toolBar1_ = CreateChild(Hwnd(), TOOLBARCLASSNAMEA, "",
                            TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
                                CCS_NODIVIDER | WS_CLIPSIBLINGS,
                            0, 0, kOuterWidth, kToolBarHeight, idToolBar);
    SendMessageA(toolBar1_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolBar1_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList1_));
    SendMessageA(toolBar1_, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
    TBBUTTON buttons[] = {Button(0, cmOpenAgent),
                          Button(1, cmCloseAgent),
                          Separator(),
                          Button(2, cmShowAgent),
                          Button(3, cmHideAgent),
                          Separator(),
                          Button(4, cmAbout),
                          Separator()};
    SendMessageA(toolBar1_, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolBar1_, TB_SETBUTTONSIZE, 0, MAKELONG(kButtonWidth, 22));
    SendMessageA(toolBar1_, TB_SETBUTTONWIDTH, 0, MAKELONG(kButtonWidth, kButtonWidth));
}

void TForm1::CreateControls() {
    RegisterLabelClass();
    // The website label sits on the toolbar after its last separator.
    int x = 5 * kButtonWidth + 3 * kSeparatorWidth;
    RECT last = {};
    int count = int(SendMessageA(toolBar1_, TB_BUTTONCOUNT, 0, 0));
    if (count > 0 &&
        SendMessageA(toolBar1_, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last)))
        x = last.right;
    label2_ = CreateChild(Hwnd(), "STATIC", std::string(kWebAddress),
                          SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY, x, 1, 174, 22, idWebsiteLabel);
    SendMessageA(label2_, WM_SETFONT, reinterpret_cast<WPARAM>(websiteFont_.get()), FALSE);
    SetWindowLongPtrA(label2_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    label2Procedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(label2_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WebsiteProcedure)));
    if (HWND tips = reinterpret_cast<HWND>(SendMessageA(toolBar1_, TB_GETTOOLTIPS, 0, 0))) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(label2_);
        std::string hint(kWebsiteHint);
        tool.lpszText = hint.data();
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }

    listBox1_ = CreateChild(Hwnd(), "LISTBOX", "",
                            LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, 0, 0, 10,
                            10, idListBox, WS_EX_CLIENTEDGE);
    SendMessageA(listBox1_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
    SendMessageA(listBox1_, LB_SETITEMHEIGHT, 0, 13);
    ImmAssociateContext(listBox1_, nullptr); // input method closed
    std::vector<std::string> design(kBuiltinNames.begin(), kBuiltinNames.end());
    SetListItems(design);

    label1_ = CreateChild(Hwnd(), "TLabel", "", kLabelWordWrap | kLabelCenterV, 0, 0, 10,
                          kStatusHeight, idStatusLabel);
    SendMessageA(label1_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);
}

void TForm1::LayoutControls() {
    RECT client;
    GetClientRect(Hwnd(), &client);
    int width = client.right, height = client.bottom;
    MoveWindow(toolBar1_, 0, 0, width, kToolBarHeight, TRUE);
    int listHeight = height - kToolBarHeight - kStatusHeight;
    MoveWindow(listBox1_, 0, kToolBarHeight, width, listHeight > 0 ? listHeight : 0, TRUE);
    MoveWindow(label1_, 0, height - kStatusHeight, width, kStatusHeight, TRUE);
}

void TForm1::Show(int showCommand) {
    if (!shown_) {
        shown_ = true;
        FormCreate();
    }
    if (!terminated_) ShowWindow(Hwnd(), showCommand);
}

bool TForm1::TranslateShortcut(MSG& msg) {
    if (!Hwnd() || !shortcuts_) return false;
    if (msg.hwnd != Hwnd() && !IsChild(Hwnd(), msg.hwnd)) return false;
    return TranslateAcceleratorA(Hwnd(), shortcuts_, &msg) != 0;
}

// --- start-up ------------------------------------------------------------------------------

void TForm1::FormCreate() {
    AppDir = ProgramDirectory();
    ReadSettings();
    actionNames_ = std::make_unique<std::vector<std::string>>();
    characterName_.clear();
    ApplyLanguage(InterfaceLanguage);
    try {
        agentControl_ = kv::agent::TAgent::Create(Hwnd());
    } catch (...) {
        ShowMessage(std::string(TextsFor(InterfaceLanguage).notInstalled));
        // Freed and cleared: every later user of the list tests for it.
        actionNames_.reset();
        terminated_ = true;
    }
    if (!arguments_.empty()) {
        characterName_ = FileTitle(arguments_.front(), IsAnsiLeadByte);
        ShowFile(arguments_.front());
    }
}

void TForm1::ReadSettings() {
    std::string file = AppDir + std::string(kSettingsFile);
    std::optional<std::string> value;
    if (FileExists(file)) {
        char buffer[256] = {};
        DWORD n = GetPrivateProfileStringA(std::string(kSettingsSection).c_str(),
                                           std::string(kSettingsKey).c_str(), "\x01", buffer,
                                           sizeof buffer, file.c_str());
        // A value that filled the buffer was cut: it is unreadable, not a smaller number.
        if (n + 1 < sizeof buffer && std::string_view(buffer, n) != "\x01")
            value = std::string(buffer, n);
    }
    LanguageChoice choice = ResolveLanguageId(ReadLanguageId(value));
    if (!choice.apply) return;
    InterfaceLanguage = choice.interfaceLanguage;
    CheckMenuRadioItem(language1_, cmEnglish, cmBig5, UINT(cmEnglish + choice.menuTag - 1),
                       MF_BYCOMMAND);
    auto font = CreateSpecFont(TextsFor(InterfaceLanguage).mainFont);
    SetFontOfTree(Hwnd(), font->Handle(), {listBox1_, label2_});
    specFont_ = std::move(font);
}

// --- language ------------------------------------------------------------------------------

TForm1::Action* TForm1::FindAction(int command) {
    for (auto& action : actions_)
        if (action.command == command) return &action;
    return nullptr;
}

const std::string& TForm1::ActionHint(int command) const {
    static const std::string none;
    for (const auto& action : actions_)
        if (action.command == command) return action.hint;
    return none;
}

const std::string& TForm1::ActionCaption(int command) const {
    static const std::string none;
    for (const auto& action : actions_)
        if (action.command == command) return action.caption;
    return none;
}

void TForm1::SetActionText(int command, std::string_view caption, std::string_view hint) {
    Action* action = FindAction(command);
    action->caption = std::string(caption);
    action->hint = std::string(hint);
}

void TForm1::SetMenuText(HMENU menu, UINT id, bool byPosition, const std::string& text) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, id, byPosition ? TRUE : FALSE, &info);
}

void TForm1::RefreshMenuTexts() {
    for (const auto& action : actions_)
        SetMenuText(mainMenu1_, UINT(action.command), false,
                    ToShownText(action.caption, action.shortcut));
}

void TForm1::ApplyLanguage(int language) {
    if (language < 0 || language > 2) return;
    const LanguageTexts& t = TextsFor(uint8_t(language));
    SetActionText(cmOpenAgent, t.openCaption, t.openHint);
    SetActionText(cmCloseAgent, t.closeCaption, t.closeHint);
    SetActionText(cmQuitProgram, t.quitCaption, ActionHint(cmQuitProgram));
    SetActionText(cmShowAgent, t.showCaption, t.showHint);
    SetActionText(cmHideAgent, t.hideCaption, t.hideHint);
    SetActionText(cmAbout, t.aboutCaption, t.aboutHint);
    SetMenuText(mainMenu1_, cmEditActionList, false, std::string(t.editActionList));
    SetActionText(cmFileAssociated, t.fileAssociated, "");
    RefreshMenuTexts();
    SetMenuText(mainMenu1_, 0, true, std::string(t.fileMenu));
    SetMenuText(mainMenu1_, 1, true, std::string(t.viewMenu));
    SetMenuText(mainMenu1_, 2, true, std::string(t.helpMenu));
    if (Hwnd()) DrawMenuBar(Hwnd());
    LoadActionList(std::string(t.actionListFile));
}

void TForm1::English1Click(int tag) {
    auto language = LanguageForTag(tag);
    if (!language) return;
    InterfaceLanguage = *language;
    CheckMenuRadioItem(language1_, cmEnglish, cmBig5, UINT(cmEnglish + tag - 1), MF_BYCOMMAND);
    ApplyLanguage(InterfaceLanguage);
    std::string file = AppDir + std::string(kSettingsFile);
    std::string value = std::to_string(tag);
    // The profile functions report failure only in their result.
    if (!WritePrivateProfileStringA(std::string(kSettingsSection).c_str(),
                                    std::string(kSettingsKey).c_str(), value.c_str(), file.c_str()))
        throw AppError("Cannot write the settings file \"" + file + "\"");
}

// --- action list ---------------------------------------------------------------------------

std::vector<std::string> TForm1::ListItems() const {
    std::vector<std::string> items;
    int count = int(SendMessageA(listBox1_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        int length = int(SendMessageA(listBox1_, LB_GETTEXTLEN, WPARAM(i), 0));
        std::string text(size_t(length > 0 ? length : 0) + 1, '\0');
        int got = int(
            SendMessageA(listBox1_, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data())));
        text.resize(size_t(got > 0 ? got : 0));
        items.push_back(std::move(text));
    }
    return items;
}

void TForm1::SetListItems(const std::vector<std::string>& items) {
    SendMessageA(listBox1_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(listBox1_, LB_RESETCONTENT, 0, 0);
    for (const auto& item : items)
        SendMessageA(listBox1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(listBox1_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox1_, nullptr, TRUE);
}

void TForm1::LoadActionList(const std::string& fileName) {
    std::string path = AppDir + fileName;
    if (FileExists(path)) {
        // Read everything first: a failed read changes neither the list nor the names.
        ActionTable table = TableFromLines(SplitLines(ReadWholeFile(path)));
        SetListItems(table.descriptions);
        if (actionNames_) *actionNames_ = std::move(table.names);
    } else if (actionNames_) {
        *actionNames_ = ListItems();
    }
    if (SendMessageA(listBox1_, LB_GETCOUNT, 0, 0) > 0) SendMessageA(listBox1_, LB_SETCURSEL, 0, 0);
}

void TForm1::EditActionList1Click() {
    EnableWindow(Hwnd(), FALSE);
    try {
        NewForm<TForm2>(nullptr)->ShowModal();
    } catch (...) {
        EnableWindow(Hwnd(), TRUE);
        throw;
    }
    EnableWindow(Hwnd(), TRUE);
    LoadActionList(std::string(TextsFor(InterfaceLanguage).actionListFile));
}

// --- the character -------------------------------------------------------------------------

void TForm1::SetStatus(const std::string& text) {
    SetWindowTextA(label1_, text.c_str());
}

void TForm1::ShowFile(const std::string& path) {
    try {
        if (agentControl_) agentControl_->Unload(kCharacterId);
    } catch (...) {
    }
    try {
        if (!agentControl_) throw AppError("The Agent control is not available");
        agentControl_->Load(kCharacterId, ToWide(path));
        characterRef_ = agentControl_->Character(kCharacterId);
        characterRef_.MoveTo(200, 300, 2);
        characterRef_.SetLanguageID(1033);
        characterRef_.Show(0);
        characterRef_.Speak(ToWide(kGreeting));
        SetStatus(path);
    } catch (...) {
        ShowMessage(std::string(kCanNotOpen) + path);
    }
}

void TForm1::OpenAgentExecute() {
    TOpenDialog od(nullptr);
    od.SetTitle(std::string(kOpenDialogTitle));
    od.SetFilter(std::string(kOpenDialogFilter));
    od.SetOptions(ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofNoNetworkButton |
                  ofEnableSizing);
    if (!RunOpenDialog(od)) return;
    auto path = std::optional<std::string>(od.FileName());
    SetStatus(*path);
    characterName_ = FileTitle(*path, IsAnsiLeadByte);
    ShowFile(*path);
}

void TForm1::CloseAgentExecute() {
    try {
        if (agentControl_) agentControl_->Unload(kCharacterId);
    } catch (...) {
    }
}

void TForm1::ShowAgentExecute() {
    try {
        characterRef_.Play(L"Show");
    } catch (...) {
    }
}

void TForm1::HideAgentExecute() {
    try {
        characterRef_.Play(L"Hide");
    } catch (...) {
    }
}

void TForm1::ListBox1DblClick() {
    int selected = int(SendMessageA(listBox1_, LB_GETCURSEL, 0, 0));
    if (characterName_.empty() || selected < 0) return;
    if (!actionNames_ || size_t(selected) >= actionNames_->size()) return;
    std::string name = (*actionNames_)[size_t(selected)];
    characterRef_.StopAll(L""); // a failure here reaches the default error report
    try {
        characterRef_.Play(ToWide(name));
    } catch (...) {
        characterRef_.Speak(ToWide(PlayFailureText(InterfaceLanguage, characterName_, name)), L"");
    }
}

// --- the rest of the menu ------------------------------------------------------------------

void TForm1::QuitProgramExecute() {
    PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
}

void TForm1::AboutExecute() {
    TAboutForm about(Hwnd());
    about.ShowModal();
}

void TForm1::FileAssociatedExecute() {
    std::string command = OpenCommand(ProgramPath());
    const LanguageTexts& t = TextsFor(InterfaceLanguage);
    if (RegisterFileType(kCharacterExtension, kCharacterProgId, kAssociationDescription, "",
                         command)) {
        NotifyAssociationsChanged();
        ShowMessage(std::string(t.associateOk));
    } else {
        ShowMessage(std::string(t.associateFail));
    }
}

void TForm1::Label2MouseEnter() {
    websiteHot_ = true;
    UpdateWebsiteLook();
}

void TForm1::Label2MouseLeave() {
    websiteHot_ = false;
    UpdateWebsiteLook();
}

void TForm1::UpdateWebsiteLook() {
    SendMessageA(label2_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(websiteHot_ ? websiteHotFont_.get() : websiteFont_.get()),
                 TRUE);
    InvalidateRect(label2_, nullptr, TRUE);
}

void TForm1::Label2Click() {
    ShellOpen(std::string(kWebsiteUrl));
}

void TForm1::FormClose() {
    actionNames_.reset();
}

// --- messages ------------------------------------------------------------------------------

void TForm1::OnCommand(int command) {
    switch (command) {
    case cmOpenAgent:
        OpenAgentExecute();
        break;
    case cmCloseAgent:
        CloseAgentExecute();
        break;
    case cmQuitProgram:
        QuitProgramExecute();
        break;
    case cmShowAgent:
        ShowAgentExecute();
        break;
    case cmHideAgent:
        HideAgentExecute();
        break;
    case cmAbout:
        AboutExecute();
        break;
    case cmFileAssociated:
        FileAssociatedExecute();
        break;
    case cmEditActionList:
        EditActionList1Click();
        break;
    case cmEnglish:
    case cmChineseSimple:
    case cmBig5:
        English1Click(command - cmEnglish + 1);
        break;
    }
}

LRESULT TForm1::OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        if (info->uFlags & TTF_IDISHWND) return 0;
        static std::string shown;
        shown = ActionHint(int(header->idFrom));
        info->lpszText = shown.data();
        info->hinst = nullptr;
    }
    return 0;
}

LRESULT TForm1::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam && HWND(lParam) == listBox1_) {
            if (HIWORD(wParam) == LBN_DBLCLK) ListBox1DblClick();
            return 0;
        }
        if (lParam && HWND(lParam) == label2_) {
            if (HIWORD(wParam) == STN_CLICKED) Label2Click();
            return 0;
        }
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE:
        LayoutControls();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMaxTrackSize.x = kOuterWidth;
        info->ptMaxSize.x = kOuterWidth;
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        if (HWND(lParam) == label2_) {
            HDC dc = HDC(wParam);
            SetTextColor(dc, websiteHot_ ? RGB(0, 0, 255) : GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_CLOSE:
        FormClose();
        DestroyWindow(Hwnd());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK TForm1::WebsiteProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    WNDPROC previous = self ? self->label2Procedure_ : DefWindowProcA;
    switch (message) {
    case WM_MOUSEMOVE:
        if (self && !self->websiteHot_) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            self->Label2MouseEnter();
        }
        break;
    case WM_MOUSELEAVE:
        if (self) self->Label2MouseLeave();
        break;
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        break;
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

} // namespace kv::app

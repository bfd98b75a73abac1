#include "tools/gallery/GalleryControls.h"

#include "ui/controls/ComctlClasses.h"

#include <commctrl.h>

#include <string>

namespace gallery {
namespace {

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
           int id = 0, DWORD exStyle = 0) {
    HWND window =
        CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                        reinterpret_cast<HMENU>(INT_PTR(id)), Instance(), nullptr);
    SendMessageA(window, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return window;
}

HWND Comctl(HWND parent, const char* kind, DWORD style, int x, int y, int w, int h, int id = 0,
            DWORD exStyle = 0) {
    return Child(parent, RegisterComctlClass(kind), "", style, x, y, w, h, id, exStyle);
}

const char* SheetClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = "TTabSheet";
        RegisterClassA(&wc);
        return "TTabSheet";
    }();
    return name;
}

void AddItems(HWND list, UINT message, std::initializer_list<const char*> items) {
    for (const char* item : items) SendMessageA(list, message, 0, reinterpret_cast<LPARAM>(item));
}

void BuildStandardPage(HWND page) {
    Child(page, "STATIC", "&Label with an accelerator", SS_LEFT, 10, 10, 180, 16);
    Child(page, "BUTTON", "Push button", BS_PUSHBUTTON | WS_TABSTOP, 10, 32, 100, 25);
    Child(page, "BUTTON", "Default", BS_DEFPUSHBUTTON | WS_TABSTOP, 118, 32, 80, 25);
    HWND disabled = Child(page, "BUTTON", "Disabled", BS_PUSHBUTTON, 206, 32, 80, 25);
    EnableWindow(disabled, FALSE);
    Child(page, "BUTTON", "Group box", BS_GROUPBOX, 10, 64, 180, 92);
    HWND check = Child(page, "BUTTON", "Check box", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 82, 150, 20);
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    HWND radio =
        Child(page, "BUTTON", "Radio one", BS_AUTORADIOBUTTON | WS_GROUP, 20, 104, 150, 20);
    SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    Child(page, "BUTTON", "Radio two", BS_AUTORADIOBUTTON, 20, 126, 150, 20);
    Child(page, "EDIT", "Edit box", ES_AUTOHSCROLL | WS_TABSTOP, 200, 70, 150, 22, 0,
          WS_EX_CLIENTEDGE);
    Child(page, "EDIT", "Memo line one\r\nMemo line two\r\nline three\r\nline four\r\nline five",
          ES_MULTILINE | WS_VSCROLL | ES_WANTRETURN, 200, 98, 150, 58, 0, WS_EX_CLIENTEDGE);
    HWND list = Child(page, "LISTBOX", "", WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP, 10, 164, 140, 74,
                      0, WS_EX_CLIENTEDGE);
    AddItems(list, LB_ADDSTRING,
             {"Acknowledge", "Alert", "Announce", "Blink", "Decline", "DoMagic1", "DoMagic2",
              "Greet", "Wave"});
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    HWND combo =
        Child(page, "COMBOBOX", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 160, 164, 120, 120);
    AddItems(combo, CB_ADDSTRING, {"Drop down", "Second", "Third"});
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    HWND fixed =
        Child(page, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 160, 192, 120, 120);
    AddItems(fixed, CB_ADDSTRING, {"Drop-down list", "Other"});
    SendMessageA(fixed, CB_SETCURSEL, 0, 0);
    Child(page, "SCROLLBAR", "", SBS_HORZ, 160, 220, 190, 17);
    Child(page, "SCROLLBAR", "", SBS_VERT, 360, 10, 17, 150);
    Child(page, "STATIC", "Panel", SS_CENTER | SS_CENTERIMAGE, 290, 164, 60, 48, 0,
          WS_EX_STATICEDGE);
}

void BuildListsPage(HWND page, HIMAGELIST images) {
    HWND list = Comctl(page, "TListView", LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP, 10, 10, 250,
                       130, 0, WS_EX_CLIENTEDGE);
    ListView_SetImageList(list, images, LVSIL_SMALL);
    const char* columns[] = {"Animation", "Description"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = i == 0 ? 110 : 130;
        column.pszText = const_cast<char*>(columns[i]);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][2] = {{"Greet", "Says hello"}, {"Wave", "Waves"},  {"Read", "Reads"},
                             {"Think", "Thinks"},     {"Hide", "Hides"},  {"Show", "Shows"},
                             {"Sad", "Looks sad"},    {"Alert", "Alerts"}};
    for (int i = 0; i < int(std::size(rows)); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.iImage = i % 5;
        item.pszText = const_cast<char*>(rows[i][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.mask = LVIF_TEXT;
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[i][1]);
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
    HWND header = Comctl(page, "THeaderControl", HDS_BUTTONS | HDS_HORZ, 10, 150, 250, 22);
    const char* titles[] = {"Header", "Sections", "Here"};
    for (int i = 0; i < 3; ++i) {
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = 80;
        item.fmt = HDF_STRING | HDF_LEFT;
        item.pszText = const_cast<char*>(titles[i]);
        SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    HWND rich = Comctl(page, "TRichEdit", ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, 270, 10, 110,
                       162, 0, WS_EX_CLIENTEDGE);
    SetWindowTextA(rich, "Rich edit text.\r\nSecond line.\r\nThird line.\r\nFourth.\r\nFifth.\r\n"
                         "Sixth.\r\nSeventh.\r\nEighth.\r\nNinth.\r\nTenth.");
    HWND icons = Comctl(page, "TListView", LVS_ICON | LVS_AUTOARRANGE, 10, 180, 370, 58, 0,
                        WS_EX_CLIENTEDGE);
    ListView_SetImageList(icons, images, LVSIL_NORMAL);
    const char* names[] = {"Open", "Close", "Show", "Hide", "About"};
    for (int i = 0; i < 5; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.iImage = i;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(icons, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void BuildRangesPage(HWND page) {
    Child(page, "STATIC", "Progress bar", 0, 10, 10, 120, 16);
    HWND progress = Comctl(page, "TProgressBar", 0, 10, 28, 250, 18);
    SendMessageA(progress, PBM_SETRANGE32, 0, 100);
    SendMessageA(progress, PBM_SETPOS, 62, 0);
    Child(page, "STATIC", "Track bar", 0, 10, 54, 120, 16);
    HWND track = Comctl(page, "TTrackBar", TBS_AUTOTICKS | WS_TABSTOP, 10, 72, 250, 32);
    SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageA(track, TBM_SETPOS, TRUE, 4);
    HWND vertical = Comctl(page, "TTrackBar", TBS_VERT | TBS_AUTOTICKS, 330, 10, 32, 130);
    SendMessageA(vertical, TBM_SETRANGE, TRUE, MAKELPARAM(0, 5));
    Child(page, "STATIC", "Up-down", 0, 10, 112, 120, 16);
    HWND buddy = Child(page, "EDIT", "3", ES_NUMBER, 10, 130, 60, 22, 0, WS_EX_CLIENTEDGE);
    HWND updown =
        Comctl(page, "TUpDown", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 0, 0);
    SendMessageA(updown, UDM_SETBUDDY, WPARAM(buddy), 0);
    SendMessageA(updown, UDM_SETRANGE32, 0, 99);
    SendMessageA(updown, UDM_SETPOS32, 0, 3);
    Comctl(page, "TUpDown", UDS_HORZ, 90, 130, 36, 22);
    Child(page, "STATIC", "Date and time picker", 0, 140, 112, 140, 16);
    Comctl(page, "TDateTimePicker", DTS_SHORTDATEFORMAT | WS_TABSTOP, 140, 130, 120, 22);
    HWND tabs = Comctl(page, "TTabControl", TCS_BOTTOM, 10, 164, 370, 74);
    const char* names[] = {"Tab control", "Second tab", "Third"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

HWND BuildToolBar(HWND frame, HIMAGELIST images) {
    HWND bar = Comctl(frame, "TToolBar", TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER,
                      0, 0, 0, 0, kToolBarId);
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageA(bar, TB_SETBUTTONWIDTH, 0, MAKELPARAM(52, 52));
    struct Button {
        int image, command;
        const char* text;
    };
    const Button buttons[] = {{0, kCommandOpen, "Open"},  {1, kCommandClose, "Close"},
                              {-1, 0, nullptr},           {2, kCommandShow, "Show"},
                              {3, kCommandHide, "Hide"},  {-1, 0, nullptr},
                              {4, kCommandAbout, "About"}};
    for (const Button& b : buttons) {
        TBBUTTON tb{};
        tb.iBitmap = b.image < 0 ? 8 : b.image; // a separator's width
        tb.idCommand = b.command;
        tb.fsState = TBSTATE_ENABLED;
        tb.fsStyle = b.image < 0 ? BTNS_SEP : BTNS_BUTTON;
        SendMessageA(bar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
    }
    SendMessageA(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

} // namespace

HMENU BuildMenuBar() {
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kCommandOpen, "&Open\tCtrl+O");
    AppendMenuA(file, MF_STRING, kCommandClose, "&Close\tCtrl+U");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING | MF_GRAYED, 0, "Disabled item");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, kCommandQuit, "&Quit\tCtrl+Q");
    HMENU language = CreatePopupMenu();
    AppendMenuA(language, MF_STRING, kCommandOptionA, "English");
    AppendMenuA(language, MF_STRING, kCommandOptionB, "Chinese Simple");
    CheckMenuRadioItem(language, kCommandOptionA, kCommandOptionB, kCommandOptionA, MF_BYCOMMAND);
    HMENU view = CreatePopupMenu();
    AppendMenuA(view, MF_STRING, kCommandShow, "&Show\tCtrl+S");
    AppendMenuA(view, MF_STRING | MF_CHECKED, kCommandHide, "&Hide\tCtrl+H");
    AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(view, MF_POPUP, UINT_PTR(language), "Language");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, kCommandAbout, "&About\tF1");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, UINT_PTR(file), "&File");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(view), "&View");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(help), "&Help");
    return bar;
}

HMENU BuildPopupMenu() {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, kCommandShow, "&Show");
    AppendMenuA(popup, MF_STRING, kCommandHide, "&Hide");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_CHECKED, kCommandOptionA, "Checked item");
    AppendMenuA(popup, MF_STRING, kCommandAbout, "&About");
    return popup;
}

GalleryWindows BuildContents(HWND frame, HIMAGELIST images) {
    GalleryWindows w;
    w.toolBar = BuildToolBar(frame, images);
    w.statusBar = Comctl(frame, "TStatusBar", SBARS_SIZEGRIP, 0, 0, 0, 0, kStatusBarId);
    int parts[] = {120, 260, -1};
    SendMessageA(w.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendMessageA(w.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Status panel"));
    SendMessageA(w.statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Second panel"));
    SendMessageA(w.statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("Right-click: popup"));

    w.pages = Comctl(frame, "TPageControl", WS_CLIPSIBLINGS, 0, 0, 0, 0, kPagesId);
    const char* names[] = {"Standard", "Lists", "Ranges"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(w.pages, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        w.pageWindows[i] =
            CreateWindowExA(WS_EX_CONTROLPARENT, SheetClass(), names[i], WS_CHILD | WS_CLIPSIBLINGS,
                            0, 0, 10, 10, frame, nullptr, Instance(), nullptr);
    }
    BuildStandardPage(w.pageWindows[0]);
    BuildListsPage(w.pageWindows[1], images);
    BuildRangesPage(w.pageWindows[2]);
    ShowPage(w, 0);
    return w;
}

void LayoutContents(const GalleryWindows& w, int width, int height) {
    SendMessageA(w.toolBar, TB_AUTOSIZE, 0, 0);
    SendMessageA(w.statusBar, WM_SIZE, 0, 0);
    RECT bar{}, status{};
    GetWindowRect(w.toolBar, &bar);
    GetWindowRect(w.statusBar, &status);
    int top = bar.bottom - bar.top + 4;
    int bottom = height - (status.bottom - status.top) - 4;
    MoveWindow(w.pages, 4, top, width - 8, bottom - top, TRUE);
    RECT display{0, 0, width - 8, bottom - top};
    SendMessageA(w.pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : w.pageWindows) {
        MoveWindow(page, 4 + display.left, top + display.top, display.right - display.left,
                   display.bottom - display.top, TRUE);
        SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void ShowPage(const GalleryWindows& w, int page) {
    for (int i = 0; i < 3; ++i) ShowWindow(w.pageWindows[i], i == page ? SW_SHOW : SW_HIDE);
}

} // namespace gallery

// The skinned menu bar: its buttons, their painting, and the tracking of a button's menu with
// the message-filter hook that moves between buttons.
#include "skin/menu/MenuBar.h"

#include "skin/controls/ControlText.h"
#include "skin/data/win/SkinData.h"
#include "skin/data/win/SkinManager.h"
#include "skin/form/draw/SkinDraw.h"
#include "skin/menu/MenuItemDraw.h"
#include "ui/classes/ComponentLink.h"
#include "ui/menus/MenuDraw.h"
#include "ui/menus/Menus.h"

#include <algorithm>
#include <cwctype>

namespace kv {

namespace {

constexpr int kMaxCaptionChars = 80;
// A menu switched to another button by the keyboard or the mouse opens in the same call; a
// bound keeps a stuck switch from looping for ever.
constexpr int kMaxSwitches = 10000;

bool Contains(const PixelRect& r, PixelPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Copies `source` of `from` to (toX, toY), only the part that lies inside `from`.
void CopyClipped(HDC to, int toX, int toY, const DibSection& from, const PixelRect& source) {
    if (from.Empty()) return;
    const PixelRect inside{std::max(source.left, 0), std::max(source.top, 0),
                           std::min(source.right, from.Width()), std::min(source.bottom, from.Height())};
    if (inside.Width() <= 0 || inside.Height() <= 0) return;
    BitBlt(to, toX + inside.left - source.left, toY + inside.top - source.top, inside.Width(),
           inside.Height(), from.Dc(), inside.left, inside.top, SRCCOPY);
}

} // namespace

// The program-wide state of the one tracked bar menu.
struct TWinSkinMenu::Tracking {
    TWinSkinMenu* TrackingBar = nullptr;
    int OpenIndex = -1;
    HMENU TrackedMenu = nullptr;
    HHOOK MenuFilterHook = nullptr;
    bool FirstMenuMessage = false;
    bool SwitchingMenu = false;
    int SwitchTo = -1;
    POINT LastMousePos{};
};

struct TWinSkinMenu::FrameworkLink {
    TComponentLink<TMainMenu> menu;
};

namespace {
TWinSkinMenu::Tracking& State() {
    static TWinSkinMenu::Tracking tracking;
    return tracking;
}
} // namespace

int OpenMenuIndex() {
    return State().OpenIndex;
}

// --- TMenuBtn --------------------------------------------------------------------------------

void TMenuBtn::Paint() {
    Bar->PaintButton(*this);
}

// --- Building --------------------------------------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* owner, TSkinData* skinData)
    : OwnerForm(owner), SkinData(skinData), framework_(std::make_unique<FrameworkLink>()) {}

TWinSkinMenu::~TWinSkinMenu() {
    FreeButtons();
    // A bar freed inside its own menu loop: the loop must not come back to it.
    Tracking& t = State();
    if (t.TrackingBar == this) {
        t.TrackingBar = nullptr;
        OwnerForm->SetInMenuLoop(false);
        OwnerForm->TrackedMenu = nullptr;
        t.SwitchingMenu = false;
        t.SwitchTo = -1;
    }
}

void TWinSkinMenu::SetFrameworkMenu(TMainMenu* menu) {
    framework_->menu.Set(menu);
}

TMainMenu* TWinSkinMenu::FrameworkMenu() const {
    return framework_->menu.Get();
}

void TWinSkinMenu::ForgetButtons() {
    for (auto& b : BarButtons) {
        if (OwnerForm->HotObject == b.get()) OwnerForm->HotObject = nullptr;
        if (OwnerForm->PressedObject == b.get()) OwnerForm->PressedObject = nullptr;
    }
}

void TWinSkinMenu::FreeButtons() {
    ForgetButtons();
    BarButtons.clear();
}

void TWinSkinMenu::BuildFromWindowMenu() {
    if (HMENU menu = GetMenu(OwnerForm->Handle)) BarMenu = menu;
    BuildFromMenu(nullptr);
}

void TWinSkinMenu::BuildFromMenu(HMENU menu) {
    const bool byCommand = menu != nullptr;
    if (menu) BarMenu = menu;
    if (!BarMenu) return;
    FreeButtons();
    const int count = GetMenuItemCount(BarMenu);
    for (int i = 0; i < count; ++i) AddButtonFromMenu(BarMenu, i, byCommand);
    if (GetMenu(OwnerForm->Handle)) SetMenu(OwnerForm->Handle, nullptr);
}

void TWinSkinMenu::AddButtonFromMenu(HMENU menu, int position, bool byCommand) {
    wchar_t text[kMaxCaptionChars + 1] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kMaxCaptionChars;
    auto button = std::make_unique<TMenuBtn>(this, OwnerForm, position);
    if (GetMenuItemInfoW(menu, UINT(position), TRUE, &info)) {
        button->SubMenu = info.hSubMenu;
        button->Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        button->Command = info.wID;
        button->Caption = text;
    }
    button->Visible = true;
    if (button->Caption.empty()) TakeCaptionFromFramework(*button, menu, position, byCommand);
    BarButtons.push_back(std::move(button));
}

// Owner-drawn items carry no text: the framework's item gives its caption.
void TWinSkinMenu::TakeCaptionFromFramework(TMenuBtn& button, HMENU menu, int position,
                                            bool byCommand) {
    TMainMenu* framework = FrameworkMenu();
    if (!framework) return;
    TMenuItem* root = framework->Items();
    TMenuItem* item = nullptr;
    if (byCommand) {
        for (int i = 0; i < root->Count(); ++i)
            if (root->Items(i)->Command() == button.Command) item = root->Items(i);
    } else if (position < root->Count()) {
        item = root->Items(position);
    }
    if (!item) return;
    item->InitiateAction();
    button.Caption = AnsiToWide(item->Caption()).substr(0, kMaxCaptionChars);
    button.Enabled = item->Enabled();
    button.Command = GetMenuItemID(menu, position);
    button.SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
}

void TWinSkinMenu::BuildFromFrameworkMenu() {
    if (HMENU menu = GetMenu(OwnerForm->Handle)) BarMenu = menu;
    FreeButtons();
    if (TMainMenu* framework = FrameworkMenu()) {
        TMenuItem* root = framework->Items();
        for (int i = 0; i < root->Count(); ++i) {
            TMenuItem* item = root->Items(i);
            item->InitiateAction();
            auto button = std::make_unique<TMenuBtn>(this, OwnerForm, i);
            button->Caption = AnsiToWide(item->Caption()).substr(0, kMaxCaptionChars);
            button->Enabled = item->Enabled();
            button->Visible = item->Visible();
            button->Command = item->Command();
            button->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
            BarButtons.push_back(std::move(button));
        }
    }
    if (GetMenu(OwnerForm->Handle)) SetMenu(OwnerForm->Handle, nullptr);
    OwnerForm->HotObject = nullptr;
}

// --- Painting --------------------------------------------------------------------------------

bool TWinSkinMenu::IsMdiChildMaximized() const {
    if (OwnerForm->Mdi != MdiKind::Frame || !SkinManager || !SkinManager->MdiClientHandle)
        return false;
    BOOL maximized = FALSE;
    SendMessageW(SkinManager->MdiClientHandle, WM_MDIGETACTIVE, 0, LPARAM(&maximized));
    return maximized != FALSE;
}

// The MDI child's minimise, restore and close buttons sit in the bar of its maximised frame.
void TWinSkinMenu::PaintMdiButtons(PixelView bar) {
    const int dx = -OwnerForm->Sizes.left, dy = -OwnerForm->Sizes.caption;
    for (const auto& b : OwnerForm->CaptionButtons) {
        const TDataSkinSysButton* def = b->SkinButton;
        if (!def || def->Visibility != 100 || def->Bitmap.Empty()) continue;
        const PixelRect r{b->BoundsRect.left + dx, b->BoundsRect.top + dy,
                          b->BoundsRect.right + dx, b->BoundsRect.bottom + dy};
        DrawSkinStrip(bar, r, def->Bitmap.View(), false, std::max(def->FrameCount, 1), 1);
    }
    if (SkinManager && !SkinManager->MdiMaximized) SkinManager->SetMdiMaximized(true);
}

// The bar's colour and image into the work bitmap; answers where the first button starts.
int TWinSkinMenu::ComposeBarBackground(const TSkinDefinition& skin, int w, int h) {
    RECT all{0, 0, w, h};
    // The colour first: the border-only nine-slice leaves the middle as it finds it.
    UniqueBrush back(CreateSolidBrush(ResolveColour(skin.MenubarColour)));
    FillRect(work_.Dc(), &all, back.Get());
    const TDataSkinObject* piece = skin.MenuBar.get();
    const bool rtl = OwnerForm->RightToLeft();
    if (!piece || piece->Bitmap.Empty()) return BarStartOffset(false, 0, 0, w, rtl);
    GdiFlush();
    // Two cells stacked: the active window's over the inactive one's.
    const PixelRect margins{piece->LeftWidth, piece->TopHeight, piece->RightWidth, piece->BottomHeight};
    const int cell = OwnerForm->Active ? 1 : 2;
    if (piece->Tile == 1)
        DrawNineSlice(work_.View(), {0, 0, w, h}, piece->Bitmap.View(), true, false, false, 2, cell,
                      margins);
    else
        DrawNineSliceDirect(work_.View(), {0, 0, w, h}, piece->Bitmap.View(), true, false, 2, cell,
                            margins);
    return BarStartOffset(true, piece->LeftWidth, piece->RightWidth, w, rtl);
}

// Lays the buttons out from x0 and draws their captions; `rect` is the bar in the window.
void TWinSkinMenu::DrawButtons(const TSkinDefinition& skin, const PixelRect& rect, int x0) {
    HDC canvas = work_.Dc();
    SelectionGuard font(canvas, MenuFont());
    SetBkMode(canvas, TRANSPARENT);
    std::vector<int> widths;
    for (auto& b : BarButtons) {
        RECT measure{0, 0, 0, 0};
        DrawTextW(canvas, b->Caption.c_str(), int(b->Caption.size()), &measure,
                  DT_CALCRECT | DT_SINGLELINE);
        widths.push_back(measure.right - measure.left);
    }
    const std::vector<PixelRect> cells =
        LayoutBarButtons(widths, rect.Width(), rect.Height(), x0, OwnerForm->RightToLeft());
    for (size_t i = 0; i < BarButtons.size(); ++i) {
        TMenuBtn& b = *BarButtons[i];
        const PixelRect& c = cells[i];
        SetTextColor(canvas, ResolveColour(b.Enabled ? skin.MenuBarTextColour : skin.ButtonShadowColour));
        DrawCenteredText(canvas, {c.left, c.top, c.right, c.bottom}, b.Caption, 2, b.Enabled);
        b.BoundsRect = {c.left + rect.left, c.top + rect.top, c.right + rect.left, c.bottom + rect.top};
    }
}

void TWinSkinMenu::PaintBar(HDC dc, const PixelRect& rect) {
    const int w = rect.Width(), h = rect.Height();
    const TSkinDefinition* skin = SkinData ? SkinData->Skin() : nullptr;
    if (w <= 0 || h <= 0 || !skin) return;
    if (work_.Empty() || work_.Width() != w || work_.Height() != h) {
        if (!work_.Create(w, h)) return;
    }
    const int x0 = ComposeBarBackground(*skin, w, h);
    BarRect = rect;
    if (BarBackground.Empty() || BarBackground.Width() != w || BarBackground.Height() != h)
        BarBackground.Create(w, h);
    if (!BarBackground.Empty()) BitBlt(BarBackground.Dc(), 0, 0, w, h, work_.Dc(), 0, 0, SRCCOPY);
    DrawButtons(*skin, rect, x0);
    if (IsMdiChildMaximized()) {
        GdiFlush();
        PaintMdiButtons(work_.View());
    }
    BitBlt(dc, rect.left, rect.top, w, h, work_.Dc(), 0, 0, SRCCOPY);
}

void TWinSkinMenu::PaintButton(TMenuBtn& button) {
    const TSkinDefinition* skin = SkinData ? SkinData->Skin() : nullptr;
    const PixelRect& r = button.BoundsRect;
    if (!skin || r.Empty() || BarRect.Empty()) return;
    WindowDC dc(OwnerForm->Handle, WindowDC::Area::Window);
    if (!dc) return;
    // The button's columns of the bar as painted, so that a frame drawn before goes away.
    const int left = std::max(r.left, BarRect.left), right = std::min(r.right, BarRect.right);
    CopyClipped(dc.Get(), left, BarRect.top, BarBackground,
                {left - BarRect.left, 0, right - BarRect.left, BarRect.Height()});
    if (button.State == 2 || button.State == 3) {
        UniqueBrush frame(CreateSolidBrush(ResolveColour(skin->ButtonHilightColour)));
        RECT box{r.left, r.top, r.right, r.bottom};
        FrameRect(dc.Get(), &box, frame.Get());
    }
    SelectionGuard font(dc.Get(), MenuFont());
    SetTextColor(dc.Get(), ResolveColour(button.Enabled ? skin->MenuBarTextColour
                                                        : skin->ButtonShadowColour));
    DrawCenteredText(dc.Get(), {r.left, r.top, r.right, r.bottom}, button.Caption, 2,
                     button.Enabled);
}

// --- Finding buttons -------------------------------------------------------------------------

TMenuBtn* TWinSkinMenu::ButtonAt(PixelPoint p) const {
    for (const auto& b : BarButtons)
        if (!b->Caption.empty() && Contains(b->BoundsRect, p)) return b.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::ButtonForAccelerator(wchar_t key) const {
    const auto upper = static_cast<wchar_t>(std::towupper(key));
    for (const auto& b : BarButtons)
        if (b->Enabled && upper && MenuAccelerator(b->Caption) == upper) return b.get();
    return nullptr;
}

void TWinSkinMenu::ClickButton(const TMenuBtn& button) const {
    RECT w{};
    GetWindowRect(OwnerForm->Handle, &w);
    PostMessageW(OwnerForm->Handle, WM_NCLBUTTONDOWN, HTCLIENT,
                 MAKELPARAM(w.left + button.BoundsRect.left + 1, w.top + button.BoundsRect.top + 1));
}

TMenuBtn* TWinSkinMenu::NeighbourButton(bool next) const {
    const int i = NeighbourIndex(State().OpenIndex, ButtonCount(), next);
    return i < 0 ? nullptr : BarButtons[size_t(i)].get();
}

// --- Tracking --------------------------------------------------------------------------------

bool TWinSkinMenu::OpenButtonMenu(TMenuBtn& button) {
    PostMessageW(OwnerForm->Handle, WM_COMMAND, button.Command, 0);
    if (!button.SubMenu) return false;
    int index = button.Index;
    for (int hop = 0; hop < kMaxSwitches && index >= 0; ++hop) {
        Tracking& t = State();
        t.SwitchTo = -1;
        if (!TrackOnce(index)) return true; // the bar went inside the menu loop
        index = t.SwitchingMenu ? t.SwitchTo : -1;
        t.SwitchingMenu = false;
    }
    return true;
}

// Tracks the menu of the button at `index` until it closes; false when the bar went meanwhile.
bool TWinSkinMenu::TrackOnce(int index) {
    if (index >= ButtonCount()) return true;
    TMenuBtn& button = *BarButtons[size_t(index)];
    if (!button.SubMenu) return true;
    HMENU sub = button.SubMenu;
    const bool enabled = button.Enabled;
    if (OwnerForm->HotObject != &button) button.MouseDown(); // a switch presses the new one
    Tracking& t = State();
    t.OpenIndex = index;
    t.TrackingBar = this;
    t.TrackedMenu = sub;
    MakeMenuOwnerDrawn(sub);
    RECT window{};
    GetWindowRect(OwnerForm->Handle, &window);
    const POINT at{window.left + button.BoundsRect.left, window.top + button.BoundsRect.bottom};
    OwnerForm->SetInMenuLoop(true);
    OwnerForm->TrackedMenu = sub;
    HWND owner = OwnerForm->Handle;
    InstallMenuFilter();
    // Notifications stay on: the framework updates its actions when a submenu opens.
    if (enabled) TrackPopupMenu(sub, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    RemoveMenuFilter();
    if (t.TrackingBar != this) return false;
    t.TrackingBar = nullptr;
    OwnerForm->SetInMenuLoop(false);
    OwnerForm->TrackedMenu = nullptr;
    // The buttons may have been rebuilt meanwhile: find the open one again by position.
    if (index < ButtonCount()) {
        TMenuBtn& open = *BarButtons[size_t(index)];
        if (OwnerForm->HotObject == &open) OwnerForm->HotObject = nullptr;
        if (OwnerForm->PressedObject == &open) OwnerForm->PressedObject = nullptr;
        open.State = 1;
        open.Paint();
    }
    return true;
}

void TWinSkinMenu::InstallMenuFilter() {
    Tracking& t = State();
    t.SwitchingMenu = false;
    t.FirstMenuMessage = false;
    GetCursorPos(&t.LastMousePos);
    if (!t.MenuFilterHook)
        t.MenuFilterHook = SetWindowsHookExW(WH_MSGFILTER, &TWinSkinMenu::MenuFilterProc, nullptr,
                                             GetCurrentThreadId());
}

void TWinSkinMenu::RemoveMenuFilter() {
    Tracking& t = State();
    if (t.MenuFilterHook) UnhookWindowsHookEx(t.MenuFilterHook);
    t.MenuFilterHook = nullptr;
    t.OpenIndex = -1;
    t.FirstMenuMessage = false;
}

namespace {

struct OpenPopups {
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectPopup(HWND hwnd, LPARAM param) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (wcscmp(name, L"#32768") == 0 && IsWindowVisible(hwnd))
        reinterpret_cast<OpenPopups*>(param)->windows.push_back(hwnd);
    return TRUE;
}

HMENU MenuOfPopup(HWND popup) {
    return reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
}

// The highlighted item of `menu`, or -1.
int HilitedItem(HMENU menu) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i)
        if (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

// Where the keyboard selection is: whether it is in the top level of the open menu, and
// whether the selected item there opens a submenu. Read from the open popup windows, since
// the item selection is only told to the owner window.
struct Selection {
    bool topLevel = true;
    bool opensSubmenu = false;
};

Selection CurrentSelection(HMENU tracked) {
    OpenPopups popups;
    EnumThreadWindows(GetCurrentThreadId(), CollectPopup, LPARAM(&popups));
    std::vector<HMENU> open;
    for (HWND p : popups.windows) open.push_back(MenuOfPopup(p));
    // Follow the highlighted items down from the tracked menu to the deepest open one.
    HMENU menu = tracked;
    for (int depth = 0; menu; ++depth) {
        const int hilite = HilitedItem(menu);
        HMENU sub = hilite >= 0 ? GetSubMenu(menu, hilite) : nullptr;
        const bool subOpen = sub && std::find(open.begin(), open.end(), sub) != open.end();
        if (!subOpen || depth >= 16) return {depth == 0, sub != nullptr && !subOpen};
        menu = sub;
    }
    return {};
}

} // namespace

LRESULT CALLBACK TWinSkinMenu::MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    Tracking& t = State();
    const LRESULT next = CallNextHookEx(t.MenuFilterHook, code, wParam, lParam);
    if (next || code != MSGF_MENU || !t.TrackingBar) return next;
    MSG& msg = *reinterpret_cast<MSG*>(lParam);
    if (!t.FirstMenuMessage) {
        // A freshly opened menu starts with its first item selected.
        t.FirstMenuMessage = true;
        PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    TWinSkinMenu* bar = t.TrackingBar;
    TMenuBtn* target = nullptr;
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) {
            t.SwitchingMenu = false;
        } else if (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT) {
            const bool right = (msg.wParam == VK_RIGHT) != bar->OwnerForm->RightToLeft();
            const Selection s = CurrentSelection(t.TrackedMenu);
            if (!right && s.topLevel) target = bar->NeighbourButton(false);
            if (right && !s.opensSubmenu) target = bar->NeighbourButton(true);
        }
        break;
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU) bar->OwnerForm->SetInMenuLoop(false);
        return next;
    case WM_MOUSEMOVE:
        if (msg.pt.x != t.LastMousePos.x || msg.pt.y != t.LastMousePos.y) {
            t.LastMousePos = msg.pt;
            RECT w{};
            GetWindowRect(bar->OwnerForm->Handle, &w);
            target = bar->ButtonAt({msg.pt.x - w.left, msg.pt.y - w.top});
        }
        break;
    default: break;
    }
    if (!target || target->Index == t.OpenIndex) return next;
    // Open the other button's menu once this one has closed (in OpenButtonMenu); the message
    // that asked for it is used up.
    t.SwitchingMenu = true;
    t.SwitchTo = target->Index;
    EndMenu();
    return 1;
}

} // namespace kv

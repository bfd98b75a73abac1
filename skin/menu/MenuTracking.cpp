// Tracking a bar button's menu: the popup below the button, and the message-filter hook that
// lets the arrow keys and the mouse move to the neighbouring buttons while it is open.
#include "skin/menu/MenuBar.h"

#include "skin/menu/MenuItemDraw.h"
#include "skin/menu/MenuTrackingState.h"

#include <algorithm>
#include <vector>

namespace kv {

namespace {
// A menu switched to another button by the keyboard or the mouse opens in the same call; a
// bound keeps a stuck switch from looping for ever.
constexpr int kMaxSwitches = 10000;
} // namespace

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
    // Drawn by the skin while open; items that were not owner-drawn are given back after.
    const std::vector<OwnerDrawMark> marks = MakeMenuOwnerDrawn(sub);
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
    RestoreOwnerDraw(marks);
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

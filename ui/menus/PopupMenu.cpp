#include "ui/menus/Menus.h"
#include "ui/classes/Properties.h"

#include <algorithm>

KV_DEFINE_CLASS(TPopupMenu, TMenu, [](TPropertyBuilder<TPopupMenu>& p) {
    p.Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
    p.Event<TNotifyEvent>("OnPopup", &TPopupMenu::SetOnPopup);
})

namespace {
// Every popup menu alive, for the messages of the hidden window that owns tracked popups.
std::vector<TPopupMenu*>& PopupList() {
    static std::vector<TPopupMenu*> list;
    return list;
}

// Whether one of the live popup menus consumed the message (its answer is then in m.Result).
bool DispatchToPopups(TMessage& m) {
    // Copy: a click may free menus.
    std::vector<TPopupMenu*> menus = PopupList();
    for (TPopupMenu* menu : menus) {
        auto& live = PopupList();
        if (std::find(live.begin(), live.end(), menu) == live.end()) continue;
        if (menu->DispatchMessage(m)) return true;
    }
    return false;
}

LRESULT CALLBACK PopupListProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    return DispatchBarrier([&] {
        TMessage m{msg, w, l, 0};
        return DispatchToPopups(m) ? m.Result : DefWindowProcW(hwnd, msg, w, l);
    });
}
} // namespace

HWND TPopupMenu::PopupWindow() {
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PopupListProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TPopupList";
        RegisterClassExW(&wc);
        // A hidden top-level window: menus cannot be tracked for a message-only window.
        return CreateWindowExW(0, L"TPopupList", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }();
    return window;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
    PopupList().push_back(this);
}

TPopupMenu::~TPopupMenu() {
    std::erase(PopupList(), this);
    SetPopupComponent(nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    popupComponent_.Set(component);
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    BeginUpdate();
    for (int i = 0; i < Items()->Count(); ++i) Items()->Items(i)->InitiateAction();
    EndUpdate();
    HWND owner = PopupWindow();
    // The owner must be in front, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    UINT command = static_cast<UINT>(TrackPopupMenu(
        Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    // This menu may be gone once the command has run: nothing of it is used after.
    if (command) DispatchCommand(command);
}

// The form's side of menus and shortcuts: its menu bar, the menu messages of its window, and
// the keys the message loop offers it as shortcuts.
#include "ui/forms/Forms.h"
#include "ui/menus/Menus.h"

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_) {
        menu_->SetWindowHandle(nullptr);
        RemoveFreeNotification(menu_);
    }
    menu_ = menu;
    if (!menu_) return;
    FreeNotification(menu_);
    if (HandleAllocated()) menu_->SetWindowHandle(handle_);
}

bool TCustomForm::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    if (menu_ && menu_->IsShortCut(shortCut)) return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TActionList*>(Components(i));
            list && list->IsShortCut(shortCut))
            return true;
    return false;
}

bool TCustomForm::DispatchMenuMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_CREATE:
        if (menu_) menu_->SetWindowHandle(handle_);
        return false;
    case WM_DESTROY:
        // The window would destroy its menu with it; the menu's handles are the items'.
        if (menu_) menu_->SetWindowHandle(nullptr);
        return false;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR:
        break;
    default:
        return false;
    }
    if (menu_ && menu_->DispatchMessage(m)) return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* popup = dynamic_cast<TPopupMenu*>(Components(i));
            popup && popup->DispatchMessage(m))
            return true;
    return false;
}

bool IsShortCutMessage(const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !Screen) return false;
    TShortCut shortCut = ShortCutOfKey(static_cast<WORD>(msg.wParam));
    if (shortCut == scNone) return false;
    TCustomForm* form = Screen->FindForm(GetAncestor(msg.hwnd, GA_ROOT));
    return form && form->IsShortCut(shortCut);
}

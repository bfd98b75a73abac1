// The MDI frame's watch over its client window: children arriving and leaving, the frame menu
// changing, tiling and cascading. A child made through WM_MDICREATE is skinned once the frame
// refreshes its window menu, when the child is complete.
#include "skin/form/FormSkin.h"

#include "skin/data/win/SkinManager.h"

#include <utility>
#include <vector>

namespace kv {

void TWinSkinForm::HookMdiClient(HWND client) {
    if (mdiClient_.Attached() || !client) return;
    savedMenuUpdate_ = skinData_->MenuUpdate();
    mdiClient_.Attach(client, [this](TMessage& m) { MdiClientProc(m); });
}

// Children made before the frame was skinned never pass through the client's watch: they are
// skinned when the frame is.
void TWinSkinForm::SkinExistingMdiChildren() {
    if (!mdiClient_.Attached() || !SkinManager) return;
    std::vector<HWND> children;
    for (HWND c = GetWindow(mdiClient_.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowLongPtrW(c, GWL_EXSTYLE) & WS_EX_MDICHILD) children.push_back(c);
    for (HWND c : children) SkinManager->SkinMdiChild(c);
}

void TWinSkinForm::UnhookMdiClient() {
    mdiClient_.Restore();
    CreatedMdiChild = nullptr;
}

void TWinSkinForm::MdiClientProc(TMessage& m) {
    const bool menus = skinData_ && skinData_->Has(xcMainMenu);
    switch (m.Msg) {
    case WM_NCDESTROY:
        mdiClient_.CallOld(m);
        UnhookMdiClient();
        return;
    case WM_NCCALCSIZE:
        if (menus) {
            const LONG_PTR style = GetWindowLongPtrW(mdiClient_.Handle(), GWL_STYLE);
            const LONG_PTR without = style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL);
            if (without != style) SetWindowLongPtrW(mdiClient_.Handle(), GWL_STYLE, without);
        }
        break;
    case WM_MDICREATE:
        if (skinData_) skinData_->SetMenuUpdate(false);
        mdiClient_.CallOld(m);
        CreatedMdiChild = reinterpret_cast<HWND>(m.Result);
        return;
    case WM_MDIDESTROY:
        mdiClient_.CallOld(m);
        if (menus && SkinManager) {
            BOOL maximized = FALSE;
            mdiClient_.CallOld(WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
            SkinManager->SetMdiMaximized(maximized != FALSE);
            if (menuHandle_ && SkinManager->CountMdiChildren() == 0) {
                skinData_->SetMenuUpdate(savedMenuUpdate_);
                BuildMenuBand();
            }
        }
        return;
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (menus && SkinManager && SkinManager->MdiMaximized) SkinManager->SetMdiMaximized(false);
        break;
    case WM_MDISETMENU:
        mdiClient_.CallOld(m);
        if (menus && m.WParam && menuHandle_ &&
            (reinterpret_cast<HMENU>(m.WParam) != menuHandle_ || CreatedMdiChild)) {
            menuHandle_ = nullptr; // the frame's new menu takes the band's place
            BuildMenuBand();
        }
        if (menus) SetMenu(Handle, nullptr);
        return;
    case WM_MDIREFRESHMENU:
        mdiClient_.CallOld(m);
        if (HWND child = std::exchange(CreatedMdiChild, nullptr)) {
            if (SkinManager) SkinManager->SkinMdiChild(child);
            PostMessageW(Handle, WM_SKINREPAINTFRAME, 0, 0);
        }
        return;
    default: break;
    }
    mdiClient_.CallOld(m);
}

} // namespace kv

#pragma once
// TWinSkinPopMenu: the skin of one popup menu window ("#32768"). It paints the window's 3-pixel
// frame from the skin's MenuBackground image and, when the window is printed, its whole
// background; the items inside are owner-drawn (MenuItemDraw.h) over that background.
//
// Contract
// - Made and freed by the skin manager (its popup factory, which RegisterPopupMenuSkins
//   installs) while the window is created and destroyed; it also lets go by itself on
//   WM_DESTROY. DetachPopup gives the window its procedure back while it is still ours and
//   empties the background.
// - The popup does not know its menu: the first item drawn after the popup painted (or
//   printed) its background names it (HandPendingPopup). PendingPopup is that one waiting
//   popup; it is cleared when its skin detaches or goes, so it never names a freed object.
// - Without a ready skin, a MenuBackground object, or an image in it, the window's messages go
//   to its own procedure unchanged.
#include "base/Pixels.h"
#include "skin/data/win/SkinManager.h"
#include "skin/form/draw/win/DibSection.h"
#include "ui/core/ObjectInstance.h"

#include <windows.h>

namespace kv {

class TSkinData;

class TWinSkinPopMenu : public TPopupMenuSkin {
public:
    TWinSkinPopMenu() = default;
    ~TWinSkinPopMenu() override;

    bool AttachPopup(HWND window, TSkinData* skinData, HMENU menuHandle);
    void DetachPopup() override;

    HWND Handle() const override { return MenuWindow; }
    HMENU MenuHandle() const override { return menuHandle_; }
    void SetMenuHandle(HMENU menu) { menuHandle_ = menu; }
    TSkinData* SkinData() const override { return skinData_; }
    PixelView Background() const override;

    HWND MenuWindow = nullptr;
    // Diagnostics for tests: frame paints and prints so far.
    int FramePaints = 0;

private:
    void PopupWndProc(TMessage& m);
    bool CanPaint() const;
    void BuildBackground(int width, int height);
    void PrepareBackground();
    void PaintFrame();
    void PrintMenu(TMessage& m);

    TSkinData* skinData_ = nullptr;
    HMENU menuHandle_ = nullptr;
    DibSection background_;
    TWindowSubclass subclass_;
};

// The popup waiting to learn its menu, or none.
TWinSkinPopMenu* PendingPopup();
// Gives the waiting popup (if any) its menu and ends the wait.
void HandPendingPopup(HMENU menu);

// Installs the popup factory into the skin manager (once per manager).
void RegisterPopupMenuSkins();

} // namespace kv

#pragma once
// TWinSkinMenu: the menu bar a skinned window draws in its frame, under the caption, in place
// of the system's; one TMenuBtn per top-level item of the window's menu.
//
// Contract
// - Owned by its TWinSkinForm (one per window with a menu). Building reads the window's menu
//   (BarMenu, which the form gives back to the window on detach) and takes it off the window.
//   Rebuilding frees the buttons and first clears the form's hot and pressed objects when they
//   are buttons of this bar, so nothing keeps a freed button.
// - PaintBar composes the bar in a bitmap (MenuBar object of the skin, or MenubarColour) and
//   lays the buttons out; it keeps a copy (BarBackground) that a button's Paint restores its
//   columns from. Copies are clipped to that copy and to the bar.
// - OpenButtonMenu tracks the button's submenu below it (TrackPopupMenu) and returns when the
//   menu closed; the command of the button is posted first (the framework runs only an
//   enabled item). While the menu is open a WH_MSGFILTER hook lets the arrow keys and the
//   mouse switch to the neighbouring buttons: the open menu is ended and the other button's
//   menu opened in the same call. The window, its skin and this bar may go inside the menu
//   loop; the call then touches nothing of them.
// - One menu is tracked in the program at a time: the tracking state is program-wide and
//   cleared when the bar that tracks goes.
// - User-interface thread only.
#include "base/Pixels.h"
#include "skin/form/FormSkin.h"
#include "skin/form/draw/win/DibSection.h"
#include "skin/menu/logic/MenuGeometry.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TMainMenu;

namespace kv {
class TSkinDefinition;
}

namespace kv {

class TSkinData;
class TWinSkinMenu;

class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinMenu* bar, TWinSkinForm* owner, int index)
        : TNCObject(owner), Bar(bar), Index(index) {}
    void Paint() override;

    TWinSkinMenu* Bar;
    int Index;
    std::wstring Caption; // "&" marks the accelerator
    bool Enabled = true;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
};

class TWinSkinMenu {
public:
    TWinSkinMenu(TWinSkinForm* owner, TSkinData* skinData);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // The framework main menu behind the window, or none for a foreign window.
    void SetFrameworkMenu(TMainMenu* menu);
    TMainMenu* FrameworkMenu() const;

    void BuildFromWindowMenu();
    void BuildFromFrameworkMenu();
    void BuildFromMenu(HMENU menu);
    void FreeButtons();

    // `rect`: the bar in window coordinates.
    void PaintBar(HDC dc, const PixelRect& rect);
    void PaintButton(TMenuBtn& button);
    TMenuBtn* ButtonAt(PixelPoint windowPoint) const;
    // The first enabled button whose accelerator is `key` (compared without case), or none.
    TMenuBtn* ButtonForAccelerator(wchar_t key) const;
    // Posts the press that opens the button's menu, as a click one pixel inside it would.
    void ClickButton(const TMenuBtn& button) const;
    bool OpenButtonMenu(TMenuBtn& button);
    TMenuBtn* NeighbourButton(bool next) const;
    int ButtonCount() const { return int(BarButtons.size()); }

    TWinSkinForm* OwnerForm;
    TSkinData* SkinData;
    std::vector<std::unique_ptr<TMenuBtn>> BarButtons;
    HMENU BarMenu = nullptr;
    PixelRect BarRect;
    DibSection BarBackground;

    // The program-wide state of the one tracked bar menu (MenuBar.cpp).
    struct Tracking;

private:
    void AddButtonFromMenu(HMENU menu, int position, bool byCommand);
    void TakeCaptionFromFramework(TMenuBtn& button, HMENU menu, int position, bool byCommand);
    void ForgetButtons();
    bool IsMdiChildMaximized() const;
    int ComposeBarBackground(const TSkinDefinition& skin, int w, int h);
    void DrawButtons(const TSkinDefinition& skin, const PixelRect& rect, int x0);
    void PaintMdiButtons(PixelView bar);
    bool TrackOnce(int index);
    static LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam);
    static void InstallMenuFilter();
    static void RemoveMenuFilter();

    struct FrameworkLink;
    std::unique_ptr<FrameworkLink> framework_;
    DibSection work_;
};

// Whether the bar's menu is being tracked now (diagnostics for tests): the open button's index,
// or -1.
int OpenMenuIndex();

} // namespace kv

#pragma once
// The gallery's window contents: every control kind on pages of a tab control, a tool bar, a
// status bar, a menu bar and a popup menu. Windows of the common-control kinds carry their
// framework class names (TToolBar, TListView...); the standard controls are system classes.
#include <windows.h>

#include <commctrl.h>

namespace gallery {

// Control identifiers the window procedure reacts to.
enum : int {
    kToolBarId = 100,
    kStatusBarId,
    kPagesId,
    kCommandOpen = 1000,
    kCommandClose,
    kCommandShow,
    kCommandHide,
    kCommandAbout,
    kCommandQuit,
    kCommandOptionA,
    kCommandOptionB,
};

struct GalleryWindows {
    HWND toolBar = nullptr;
    HWND statusBar = nullptr;
    HWND pages = nullptr;
    HWND pageWindows[3] = {};
};

HMENU BuildMenuBar();
HMENU BuildPopupMenu();
// Creates every child of `frame`; the image list must outlive the windows.
GalleryWindows BuildContents(HWND frame, HIMAGELIST images);
void LayoutContents(const GalleryWindows& windows, int width, int height);
void ShowPage(const GalleryWindows& windows, int page);

} // namespace gallery

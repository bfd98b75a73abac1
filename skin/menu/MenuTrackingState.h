#pragma once
// The program-wide state of the one tracked bar menu, shared by the bar's files (internal).
#include "skin/menu/MenuBar.h"

namespace kv {

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

// One for the program: the platform tracks one popup menu at a time.
inline TWinSkinMenu::Tracking& State() {
    static TWinSkinMenu::Tracking tracking;
    return tracking;
}

} // namespace kv

// The form skin's side of its control skins: choosing them at attach, freeing them at detach,
// and dropping the hot one.
#include "skin/form/FormSkin.h"

#include "skin/controls/ControlSkinChoice.h"
#include "skin/controls/SkinControl.h"
#include "ui/forms/Forms.h"

#include <algorithm>

namespace kv {

void TWinSkinForm::SkinControls() {
    if (!skinData_) return;
    if (form_)
        SkinComponents(*this, *form_);
    else
        SkinChildWindows(*this);
}

// Each skin takes itself off the list (and out of HotControlSkin) as it is freed.
void TWinSkinForm::FreeControlSkins() {
    while (!ControlSkins.empty()) {
        TSkinControl* skin = ControlSkins.front();
        skin->Detach();
        delete skin;
        if (!ControlSkins.empty() && ControlSkins.front() == skin)
            ControlSkins.erase(ControlSkins.begin());
    }
    HotControlSkin = nullptr;
}

void TWinSkinForm::FreeDeadControlSkins() {
    std::vector<TSkinControl*> dead;
    for (TSkinControl* skin : ControlSkins)
        if (skin->SkinState() == kSkinWindowGone) dead.push_back(skin);
    for (TSkinControl* skin : dead) delete skin;
}

void TWinSkinForm::ControlSkinsChanged() {
    for (TSkinControl* skin : std::vector<TSkinControl*>(ControlSkins)) skin->SkinChanged();
}

TSkinControl* TWinSkinForm::FindControlSkin(HWND wnd) const {
    for (TSkinControl* skin : ControlSkins)
        if (skin->Handle() == wnd && !skin->WindowGone()) return skin;
    return nullptr;
}

void TWinSkinForm::DropHotControlSkin(bool onlyWhenLeft) {
    TSkinControl* hot = HotControlSkin;
    if (!hot) return;
    if (onlyWhenLeft) {
        if (form_) return; // framework controls hear of the mouse leaving themselves
        POINT cursor{};
        GetCursorPos(&cursor);
        if (PtInRect(&hot->WindowRect(), cursor)) return;
    }
    HotControlSkin = nullptr;
    if (hot->Handle() && !hot->WindowGone()) SendMessageW(hot->Handle(), CM_MOUSELEAVE, 0, 0);
}

} // namespace kv

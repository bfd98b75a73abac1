// Making and attaching the control skins the choice picked (ControlSkinChoice.h).
#include "skin/controls/ControlSkinChoice.h"

#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinScrollBarControl.h"
#include "skin/controls/SkinSizer.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTab31.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/form/FormSkin.h"
#include "ui/classes/Properties.h"
#include "ui/forms/Forms.h"

#include <algorithm>

namespace kv {

namespace {

// A control skin of a kind built so far, or nullptr (the control keeps its own look).
TSkinControl* MakeSkin(SkinKind kind, TComponent* owner) {
    switch (kind) {
    case SkinKind::Button:
        return new TSkinButton(owner);
    case SkinKind::BitButton:
        return new TSkinBitButton(owner);
    case SkinKind::CheckBox:
        return new TSkinCheckBox(owner);
    case SkinKind::RadioButton:
        return new TSkinRadioButton(owner);
    case SkinKind::ScControl:
        return new TSkinScControl(owner);
    case SkinKind::StatusBar:
        return new TSkinStatusBar(owner);
    case SkinKind::Progress:
        return new TSkinProgress(owner);
    case SkinKind::TrackBar:
        return new TSkinTrackBar(owner);
    case SkinKind::UpDown:
        return new TSkinUpDown(owner);
    case SkinKind::Box:
        return new TSkinBox(owner);
    case SkinKind::Sizer:
        return new TSkinSizer(owner);
    case SkinKind::Edit:
        return new TSkinEdit(owner);
    case SkinKind::ComBox:
        return new TSkinComBox(owner);
    case SkinKind::Tab:
        return new TSkinTab(owner);
    case SkinKind::Tab31:
        return new TSkinTab31(owner);
    default:
        return nullptr;
    }
}

bool IsPreviewForm(const TWinSkinForm& form) {
    if (!form.Form()) return false;
    const std::string& name = form.Form()->Name();
    return AsciiLower(name).find("preview") != std::string::npos || name == "TQRStandardPreview" ||
           name == "TppPrintPreview" || name == "TdxfmStdPreview";
}

void AttachChoice(TWinSkinForm& form, TComponent& component, SkinKind kind, SkinAttach attach,
                  int flag) {
    TSkinData* data = form.SkinData();
    auto* control = dynamic_cast<TWinControl*>(&component);
    if (attach == SkinAttach::Handle) {
        if (!control) return;
        if (TSkinControl* skin = MakeSkin(kind, &form))
            skin->AttachHandle(control->Handle(), data, &form);
        return;
    }
    if (attach == SkinAttach::Graphic) {
        if (kind == SkinKind::SpeedButton)
            (new TSkinSpeedButton(&component))->AttachGraphic(&form, data);
        return;
    }
    if (control && attach == SkinAttach::Scroller && kind == SkinKind::ScrollBar) {
        (new TSkinScrollBar(&component))->AttachScroller(control, data, flag != 0, &form);
        return;
    }
    if (control && attach == SkinAttach::Scroller && kind == SkinKind::ListView) {
        (new TSkinListView(&component))->AttachScroller(control, data, flag != 0, &form);
        return;
    }
    if (!control || attach != SkinAttach::Control) return;
    if (TSkinControl* skin = MakeSkin(kind, &component))
        skin->AttachControl(&form, data, flag != 0);
}

void SetProperties(TComponent& component, const ControlChoice& c) {
    if (c.setFlat) SetEnumProp(component, "Flat", "True");
    if (c.setTransparent) SetEnumProp(component, "Transparent", "True");
    if (c.sizeGripOff) SetEnumProp(component, "SizeGrip", "False");
}

bool DisabledByTag(const TComponent& component, const TSkinData& data) {
    return component.Tag() % 100 == data.DisableTag(); // signed: -1 stays skinned with 99
}

// The skin the application's OnSkinControl hands over, attached; false when it gave none.
bool SkinFromEvent(TWinSkinForm& form, TComponent& component, TComponent& container) {
    TSkinData* data = form.SkinData();
    if (!data->OnSkinControl) return false;
    TComponent* made = nullptr;
    data->OnSkinControl(&form, data, dynamic_cast<TControl*>(&container),
                        dynamic_cast<TControl*>(&component), AsciiUpper(component.ClassName()),
                        made);
    auto* skin = dynamic_cast<TSkinControl*>(made);
    if (!skin) return false;
    auto& list = form.ControlSkins;
    if (std::find(list.begin(), list.end(), skin) == list.end()) {
        list.push_back(skin);
        skin->AttachControl(&form, data, skin->Recolour());
    }
    if (component.InheritsFrom("TFrame")) SkinComponents(form, component);
    return true;
}

} // namespace

bool IsAlreadySkinned(TWinSkinForm& form, TComponent& component) {
    auto* windowed = dynamic_cast<TWinControl*>(&component);
    for (TSkinControl* skin : form.ControlSkins) {
        if (skin->Served()) {
            if (skin->Served() == &component) return true;
            continue;
        }
        if (!windowed || !skin->Handle()) continue;
        if (!windowed->HandleAllocated()) return IsPreviewForm(form);
        if (!skin->WindowGone() && skin->Handle() == windowed->Handle()) return true;
    }
    return false;
}

void ChooseControlSkin(TWinSkinForm& form, TComponent& component, TComponent& container) {
    TSkinData* data = form.SkinData();
    auto* control = dynamic_cast<TControl*>(&component);
    if (!data || !control || DisabledByTag(component, *data) || IsAlreadySkinned(form, component))
        return;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (!windowed->Handle()) return;
    }
    if (SkinFromEvent(form, component, container)) return;
    const ControlChoice c = ChooseFromTable(component, *data);
    if (c.row == 0) return;
    SetProperties(component, c);
    if (c.childKind != SkinKind::None) {
        if (auto* group = dynamic_cast<TWinControl*>(control)) {
            for (int i = 0; i < group->ControlCount(); ++i)
                if (auto* child = dynamic_cast<TWinControl*>(group->Controls(i)))
                    if (!IsAlreadySkinned(form, *child))
                        AttachChoice(form, *child, c.childKind, SkinAttach::Control, 0);
        }
    }
    AttachChoice(form, component, c.kind, c.attach, c.flag);
    if (c.skinChildren) SkinComponents(form, component);
}

void SkinComponents(TWinSkinForm& form, TComponent& container) {
    form.FreeDeadControlSkins();
    for (int i = 0; i < container.ComponentCount(); ++i)
        ChooseControlSkin(form, *container.Components(i), container);
}

void SkinChildWindows(TWinSkinForm& form) {
    for (HWND child = GetTopWindow(form.Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const DWORD style = DWORD(GetWindowLongPtrW(child, GWL_STYLE));
        if (!(style & WS_CHILD) || form.FindControlSkin(child)) continue;
        char name[101] = {};
        GetClassNameA(child, name, sizeof name);
        const std::string lower = AsciiLower(name);
        HWND inner = GetWindow(child, GW_CHILD);
        const SkinKind kind = ChooseForChildWindow(lower, style, inner != nullptr);
        const HWND target = lower == "comboboxex32" ? inner : child;
        if (TSkinControl* skin = MakeSkin(kind, &form))
            skin->AttachHandle(target, form.SkinData(), &form);
    }
}

} // namespace kv

#include "skin/controls/ControlSkinChoice.h"

#include "ui/classes/Properties.h"
#include "ui/core/Controls.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace kv {

namespace {

// A Skin3rd kind is at most this long; the rest of the line is ignored.
constexpr size_t kMaxKindLength = 50;
// Controls whose author marked them this way scroll like list boxes.
constexpr int kScrollableTag = 55;

bool NameIs(const std::string& upper, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), upper) != names.end();
}

ControlChoice Row(int row, SkinKind kind, SkinAttach attach = SkinAttach::Control, int flag = 0) {
    ControlChoice c;
    c.row = row;
    c.kind = kind;
    c.attach = attach;
    c.flag = flag;
    return c;
}

ControlChoice Recurse(ControlChoice c) {
    c.skinChildren = true;
    return c;
}

ControlChoice ScrollerRow(int row, int flag) {
    return Row(row, SkinKind::ScrollBar, SkinAttach::Scroller, flag);
}

ControlChoice Skin3rdChoice(const std::string& kind, TSkinData& d) {
    const bool tabs = d.Skin() && d.Skin()->Tabs;
    ControlChoice c = Row(3, SkinKind::None);
    c.fromSkin3rd = true;
    auto pick = [&](bool on, ControlChoice made) {
        if (!on) return c;
        made.row = 3;
        made.fromSkin3rd = true;
        return made;
    };
    if (kind == "combobox") return pick(d.Has(xcCombo), Row(3, SkinKind::ComBox));
    if (kind == "edit") return pick(d.Has(xcEdit), Row(3, SkinKind::Edit, SkinAttach::Handle));
    if (kind == "radiobutton") return pick(d.Has(xcRadioButton), Row(3, SkinKind::RadioButton));
    if (kind == "panel") {
        ControlChoice made = Row(3, SkinKind::Box, SkinAttach::Control, 1);
        made.setTransparent = true;
        return pick(d.Has(xcPanel), made);
    }
    if (kind == "trackbar") {
        ControlChoice made = Row(3, SkinKind::TrackBar);
        made.setTransparent = true;
        return pick(d.Has(xcButton), made);
    }
    if (kind == "button") return pick(d.Has(xcButton), Row(3, SkinKind::Button));
    if (kind == "tab") return pick(d.Has(xcTab) && tabs, Row(3, SkinKind::Tab, SkinAttach::Handle));
    if (kind == "progress") return pick(d.Has(xcProgress), Row(3, SkinKind::Progress));
    if (kind == "scrollbar") return pick(d.Has(xcScrollbar), ScrollerRow(3, 1));
    if (kind == "radiogroup" || kind == "checkgroup") {
        ControlChoice made = Row(3, SkinKind::Box, SkinAttach::Control, 1);
        if (d.Has(xcRadioButton))
            made.childKind = kind == "radiogroup" ? SkinKind::RadioButton : SkinKind::CheckBox;
        return pick(d.Has(xcPanel), made);
    }
    if (kind == "checkbox") return pick(d.Has(xcCheckBox), Row(3, SkinKind::CheckBox));
    return c;
}

// Rows 1 to 10 of the table.
bool FirstRows(TComponent& k, const std::string& name, TSkinData& d, ControlChoice& out) {
    const bool tabs = d.Has(xcTab) && d.Skin() && d.Skin()->Tabs;
    if (NameIs(name, {"TDBCOMBOBOXEH", "TQRPREVIEW", "TFRDESIGNERPAGE", "TFRPBOX"})) {
        out = Row(1, SkinKind::None);
        return true;
    }
    if (k.InheritsFrom("TPageControl") && tabs) {
        out = Row(2, SkinKind::Tab, SkinAttach::Handle);
        return true;
    }
    const std::string kind = Skin3rdKind(d.Skin3rd(), k.ClassName());
    if (!kind.empty()) {
        out = Skin3rdChoice(AsciiLower(kind), d);
        return true;
    }
    struct Named {
        const char* name;
        bool on;
        ControlChoice choice;
    };
    const std::array<Named, 3> named{{
        {"TTABSET", tabs, Row(4, SkinKind::Tab31)},
        {"TTABBEDNOTEBOOK", tabs, Row(5, SkinKind::Tab, SkinAttach::Handle)},
        {"TMVCPANEL", true, Recurse(Row(6, SkinKind::None))},
    }};
    for (const Named& n : named) {
        if (n.on && name == n.name) {
            out = n.choice;
            return true;
        }
    }
    if (k.InheritsFrom("TTabControl") && tabs)
        out = Row(7, SkinKind::Tab, SkinAttach::Handle);
    else if (k.InheritsFrom("TCheckBox") && d.Has(xcCheckBox))
        out = Row(8, SkinKind::CheckBox);
    else if (name == "TTRACKBAR" && d.Has(xcButton))
        out = Row(9, SkinKind::TrackBar);
    else if (name == "TUPDOWN" && d.Has(xcButton))
        out = Row(10, SkinKind::UpDown);
    else
        return false;
    return true;
}

// Rows 11 to 22.
bool MiddleRows(TComponent& k, const std::string& name, TSkinData& d, ControlChoice& out) {
    if (k.InheritsFrom("TRadioGroup") && d.Has(xcRadioButton)) {
        out = Row(11, SkinKind::Box, SkinAttach::Control, 1);
        out.childKind = SkinKind::RadioButton;
    } else if (name == "TDBNAVIGATOR" && d.Has(xcPanel)) {
        out = Row(12, SkinKind::Box, SkinAttach::Control, 1);
        out.setFlat = true;
    } else if (k.InheritsFrom("TGroupBox") && d.Has(xcPanel)) {
        out = Recurse(Row(13, SkinKind::Box, SkinAttach::Control, 1));
    } else if (k.InheritsFrom("TRadioButton") && d.Has(xcRadioButton)) {
        out = Row(14, SkinKind::RadioButton);
    } else if (k.InheritsFrom("TToolBar") && d.Has(xcToolbar)) {
        out = Row(15, SkinKind::Box, SkinAttach::Control, 1);
        out.setFlat = out.setTransparent = true;
    } else if (k.InheritsFrom("TStatusBar") && d.Has(xcStatusBar)) {
        out = Row(16, SkinKind::StatusBar);
        out.sizeGripOff = true;
    } else if (k.InheritsFrom("TProgressBar") && d.Has(xcProgress)) {
        out = Row(17, SkinKind::Progress);
    } else if ((k.InheritsFrom("TCustomGrid") || k.InheritsFrom("TScrollBar")) &&
               d.Has(xcScrollbar)) { // our stand-alone scroll bar scrolls itself
        out = Row(18, SkinKind::ScControl);
    } else if (k.InheritsFrom("TComboBox") && d.Has(xcCombo)) {
        out = Row(19, SkinKind::ComBox);
    } else if (name == "TDATETIMEPICKER" && d.Has(xcEdit)) {
        const bool upDown = GetEnumProp(k, "DateMode").value_or("") == "dmUpDown";
        out = Row(20, upDown ? SkinKind::Edit : SkinKind::ComBox);
    } else if (name == "TRICHEDIT" && d.Has(xcScrollbar)) {
        out = ScrollerRow(21, 1);
    } else if (NameIs(name, {"TWWDBRICHEDIT", "TDXDBMEMO"}) && d.Has(xcScrollbar)) {
        out = ScrollerRow(22, 1);
    } else {
        return false;
    }
    return true;
}

// Rows 23 to 34.
bool LastRows(TComponent& k, const std::string& name, TSkinData& d, ControlChoice& out) {
    const bool scroll = d.Has(xcScrollbar);
    if (k.InheritsFrom("TBitBtn")) {
        // With its option off a bitmap button stays as it is: no later row is tried.
        out = Row(23, d.Has(xcBitBtn) ? SkinKind::BitButton : SkinKind::None);
    } else if (k.InheritsFrom("TSpeedButton") && d.Has(xcSpeedButton)) {
        out = Row(24, SkinKind::SpeedButton, SkinAttach::Graphic);
    } else if (k.InheritsFrom("TPanel") && d.Has(xcPanel)) {
        out = Recurse(Row(25, SkinKind::Box, SkinAttach::Control, 1));
    } else if (NameIs(name, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && scroll) {
        out = ScrollerRow(26, 0);
    } else if (k.InheritsFrom("TListView") && scroll) {
        out = Row(27, SkinKind::ListView, SkinAttach::Scroller, 0);
    } else if (k.InheritsFrom("TMemo") && scroll) {
        out = ScrollerRow(28, 1);
    } else if (k.InheritsFrom("TCustomListControl") && scroll) {
        out = ScrollerRow(29, 1);
        out.faceColourOption = true;
    } else if (IsScrollable(k) && scroll) {
        out = ScrollerRow(30, 1);
    } else if (k.InheritsFrom("TButton") && d.Has(xcButton)) {
        out = Row(31, SkinKind::Button);
    } else if (k.InheritsFrom("TCustomEdit") && d.Has(xcEdit)) {
        out = Row(32, SkinKind::Edit, SkinAttach::Handle);
    } else if (k.InheritsFrom("TFrame")) {
        out = Recurse(Row(33, SkinKind::None));
    } else if (k.InheritsFrom("TCustomForm")) {
        out = Recurse(Row(34, SkinKind::Box, SkinAttach::Control, 1));
    } else {
        return false;
    }
    return true;
}

} // namespace

std::string AsciiLower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string AsciiUpper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

std::string Skin3rdKind(const TStringList& lines, const std::string& className) {
    const std::string prefix = AsciiLower(className) + "=";
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = AsciiLower(lines[i]);
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        return line.substr(prefix.size(), kMaxKindLength);
    }
    return {};
}

bool IsScrollable(TComponent& component) {
    auto* control = dynamic_cast<TWinControl*>(&component);
    if (!control) return false;
    if (control->HandleAllocated()) {
        const LONG_PTR style = GetWindowLongPtrW(control->Handle(), GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL)) return true;
    }
    return component.InheritsFrom("TListBox") || component.InheritsFrom("TCustomListBox") ||
           component.Tag() == kScrollableTag;
}

ControlChoice ChooseFromTable(TComponent& component, TSkinData& data) {
    const std::string name = AsciiUpper(component.ClassName());
    ControlChoice out;
    if (FirstRows(component, name, data, out) || MiddleRows(component, name, data, out) ||
        LastRows(component, name, data, out))
        return out;
    return {};
}

SkinKind ChooseForChildWindow(const std::string& lowerClass, DWORD style, bool hasChild) {
    if (lowerClass == "button") {
        const DWORD type = style & 0xF;
        if (type == BS_PUSHBOX) return SkinKind::Button;
        if (type > BS_PUSHBOX) return SkinKind::None;
        if ((type & 7) == 7) return SkinKind::None;
        if ((type & 3) == 3 || (type & 2) || (type & 7) == 5) return SkinKind::CheckBox;
        if (type == 9 || (type & 4)) return SkinKind::RadioButton;
        return SkinKind::Button;
    }
    if (lowerClass == "combobox") return (style & 3) != 1 ? SkinKind::ComBox : SkinKind::None;
    if (lowerClass == "comboboxex32") return hasChild ? SkinKind::ComBox : SkinKind::None;
    if (lowerClass == "scrollbar")
        return (style & (SBS_SIZEGRIP | SBS_SIZEBOX)) ? SkinKind::Sizer : SkinKind::None;
    if (lowerClass == "systabcontrol32") return (style & 0x2000) ? SkinKind::None : SkinKind::Tab;
    if (lowerClass == "edit") return SkinKind::Edit;
    return SkinKind::None;
}

} // namespace kv

#pragma once
// Which control skin serves which control of a skinned window, and making it.
//
// Contract
// - ChooseFromTable decides for one framework component without touching it: the first
//   matching row of the control table (Skin3rd lines and the SkinControls options included).
//   Row 0 means no row matched. A row whose option is off is passed over, except the bitmap
//   button row, which then ends the search with no skin.
// - ChooseForChildWindow decides for a child window of a foreign window by its lower-case
//   class name and style. Button types 0-9 follow the usual kinds, 0xA (push box) is a push
//   button, and 0xB-0xF (owner-drawn, split buttons, command links) stay unskinned; only size
//   grips and size boxes among scroll bars would get a skin.
// - SkinComponents / SkinChildWindows create and attach the chosen skins; the form skin owns
//   them (through its ControlSkins list, or as components of the control they serve). Kinds
//   whose control skin is not built yet are chosen and attach nothing.
// - Windows only; the user-interface thread only.
#include "skin/data/win/SkinData.h"

#include <windows.h>

#include <string>

namespace kv {

class TWinSkinForm;

enum class SkinKind {
    None,
    Tab,
    Tab31,
    CheckBox,
    RadioButton,
    TrackBar,
    UpDown,
    Box,
    StatusBar,
    Progress,
    ScControl,
    ComBox,
    Edit,
    ScrollBar,
    ListView,
    BitButton,
    SpeedButton,
    Button,
    Sizer,
};
enum class SkinAttach { Control, Handle, Scroller, Graphic };

struct ControlChoice {
    int row = 0;
    SkinKind kind = SkinKind::None;
    SkinAttach attach = SkinAttach::Control;
    int flag = 0;
    bool skinChildren = false;           // then choose for the components the control owns
    SkinKind childKind = SkinKind::None; // every child control gets this kind (groups)
    bool setFlat = false, setTransparent = false;
    bool sizeGripOff = false, faceColourOption = false;
    bool fromSkin3rd = false;
};

// Class names and kinds compare in ASCII case only.
std::string AsciiLower(std::string s);
std::string AsciiUpper(std::string s);

// The Skin3rd kind for a class name ("" when no line names it): the text after the first "="
// of the first line that, lower-cased, starts with the lower-cased name and "=".
std::string Skin3rdKind(const TStringList& lines, const std::string& className);

bool IsScrollable(TComponent& component);
ControlChoice ChooseFromTable(TComponent& component, TSkinData& data);
SkinKind ChooseForChildWindow(const std::string& lowerClass, DWORD style, bool hasChild);

bool IsAlreadySkinned(TWinSkinForm& form, TComponent& component);
void ChooseControlSkin(TWinSkinForm& form, TComponent& component, TComponent& container);
void SkinComponents(TWinSkinForm& form, TComponent& container);
void SkinChildWindows(TWinSkinForm& form);

} // namespace kv

#pragma once
// The gallery's skin choices, shared by its windows: the skin file named on the command line,
// "Open skin..." and "Skinning".
//
// Contract
// - UseSkinFile reads the whole file and parses it before the skin component sees it: a file
//   that is missing, too large, or not a packed skin that parses completely is refused with one
//   message, and the skin in force stays in force (the component would otherwise stop serving
//   windows until a good skin arrives). A good file becomes the component's SkinFile.
// - Messages go to a message box owned by the active window; tests capture them instead.
// - Windows only; the user-interface thread only.
#include <functional>
#include <string>

class TMenuItem;
class TOpenDialog;
namespace kv {
class TSkinData;
}

bool UseSkinFile(kv::TSkinData& data, const std::string& path);

// Lets the user pick a packed skin with the dialog and uses it; false when cancelled or refused.
bool OpenSkinWithDialog(kv::TSkinData& data, TOpenDialog& dialog);

// Turns skinning off or on and shows the new state as the item's check mark.
void ToggleSkinning(kv::TSkinData& data, TMenuItem& item);

// The kinds the gallery's layouts use beyond the framework's standard ones.
void RegisterGalleryComponents();

// Tells the user something, through the display below.
void ShowGalleryMessage(const std::string& text);

using GalleryMessageDisplay = std::function<void(const std::string& text)>;
// Null puts the message box back.
void SetGalleryMessageDisplay(GalleryMessageDisplay display);

inline constexpr const char* kGalleryTitle = "Kelvorine control gallery";
inline constexpr const char* kSkinFilter = "Packed skins (*.skin)|*.skin|All files (*.*)|*.*";

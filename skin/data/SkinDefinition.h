#pragma once
// TSkinDefinition: the skin objects and colours parsed from a skin's ini definition.
//
// Contract
// - ParseSkinDefinition(iniText, entries) builds a complete, fresh definition from the
//   definition's bytes and a look-up of image entries by name. It is parsed from memory: no
//   file is written or named after anything in the skin. It never fails: absent sections and
//   keys give defaults, absent or invalid images (see LoadEntryBitmap) give empty images, and
//   hostile texts are bounded by TIniFile. Only a failed allocation raises.
// - A caller that replaces a skin at run time parses into a new definition and swaps it in
//   only when done, so objects that windows still point at stay alive until then.
// - The border pieces, `Title` and `Buttons` always exist; every other object is null when the
//   definition lacks its main image key. `SysButtons` holds the definition's caption buttons
//   (at most kMaxSysButtonSections) followed by the three MDI buttons; the pointers stay valid
//   for the definition's lifetime.
// - LoadSkinDefinition(reader) takes the package's first entry whose name contains ".ini";
//   without one it returns null (the skin stays empty). LoadPackedSkin opens a packed skin
//   first and returns null for a package the reader refuses.
#include "skin/data/SkinColour.h"
#include "skin/data/SkinObjects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class TSkinReader;

// Finds an image entry by file name (already without folder parts; compared without regard
// to case by the package). An empty span means absent.
using SkinEntryLookup = std::function<std::span<const uint8_t>(std::string_view name)>;

// A hostile definition could ask for millions of caption buttons; no skin needs more.
inline constexpr size_t kMaxSysButtonSections = 1001;
inline constexpr size_t kMdiButtonCount = 3;

class TSkinDefinition {
public:
    TSkinDefinition();
    TSkinDefinition(const TSkinDefinition&) = delete;
    TSkinDefinition& operator=(const TSkinDefinition&) = delete;

    // The colour of `ColourTable` entry `index`, or `fallback` when the index is out of range.
    SkinColour TableColour(int32_t index, SkinColour fallback) const;

    std::string SkinName;

    TDataSkinBorder BorderLeft{"Left"};
    TDataSkinBorder BorderRight{"Right"};
    TDataSkinBorder BorderTop{"Top"};
    TDataSkinBorder BorderBottom{"Bottom"};
    TDataSkinTitle Title{"Title"};
    TDataSkinButton Buttons{"Buttons"};
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;

    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinObject> Toolbars;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> ScrollBar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackThumbHorz;
    std::unique_ptr<TDataSkinObject> TrackThumbVert;
    std::unique_ptr<TDataSkinObject> TrackThumbLeft;
    std::unique_ptr<TDataSkinObject> TrackThumbRight;
    std::unique_ptr<TDataSkinObject> TrackThumbUp;
    std::unique_ptr<TDataSkinObject> TrackThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;

    SkinColour WindowTextColour = SystemColour(kColorWindowText);
    SkinColour ButtonFaceColour = SystemColour(kColorButtonFace);
    SkinColour ScrollbarColour = SystemColour(kColorScrollbar);
    SkinColour HilightTextColour = SystemColour(kColorHighlightText);
    SkinColour HilightColour = SystemColour(kColorHighlight);
    SkinColour MenubarColour = SystemColour(kColorButtonFace);
    SkinColour MenuColour = SystemColour(kColorMenu);
    SkinColour MenuTextColour = SystemColour(kColorMenuText);
    SkinColour ButtonTextColour = SystemColour(kColorButtonText);
    SkinColour ButtonHilightColour = SystemColour(kColorButtonHighlight);
    SkinColour ButtonLightColour = SystemColour(kColorButtonHighlight);
    SkinColour ButtonShadowColour = SystemColour(kColorButtonShadow);
    SkinColour ButtonDkShadowColour = SystemColour(kColorButtonShadow);
    SkinColour MenuBarTextColour = SystemColour(kColorMenuText);
    SkinColour TitleTextActiveColour = SystemColour(kColorCaptionText);
    SkinColour TitleTextNoActiveColour = SystemColour(kColorInactiveCaptionText);
    std::vector<SkinColour> ColourTable;
};

std::unique_ptr<TSkinDefinition> ParseSkinDefinition(std::string_view iniText,
                                                     const SkinEntryLookup& entries);
std::unique_ptr<TSkinDefinition> LoadSkinDefinition(const TSkinReader& reader);
std::unique_ptr<TSkinDefinition> LoadPackedSkin(std::span<const uint8_t> packed);

// Fills `image` from the entry named by `value`: its file-name part (after the last "\" or
// ":") must end in ".bmp" exactly (lower case) and name an entry that holds a valid BMP;
// otherwise `image` is emptied. Never raises for bad data.
void LoadEntryBitmap(PixelBuffer& image, std::string_view value, const SkinEntryLookup& entries);

// A look-up over an open package: first entry of that name (case-insensitive), or nothing
// when it is absent or reaches past the package's data.
SkinEntryLookup PackageLookup(const TSkinReader& reader);

} // namespace kv

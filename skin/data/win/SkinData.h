#pragma once
// TSkinData: the skin definition component a form holds to skin the program's windows. It
// keeps a packed skin (from its stored layout or a file), parses it into skin objects, and
// carries the settings that decide which windows and controls are skinned.
//
// Contract
// - Published properties, in their stored order: Active, DisableTag, SkinControls, Skin3rd,
//   SkinFile, SkinStore, SkinFormtype, Version, MenuUpdate, OnFormSkin, OnSkinChanged,
//   OnSkinControl; plus the binary SkinStream (a 4-byte signed length, then that many bytes).
//   A length below 0 or beyond the stored bytes reads as an empty stream.
// - The skin objects are parsed from memory (no temporary file). Skin() is the set in force,
//   or null before the first complete parse. A load at run time parses into a fresh set and
//   swaps it in only when it is complete (forms are reset first, so no caption button keeps a
//   pointer into the old set); a load that fails keeps the old set and leaves SkinEmpty()
//   true, so the component serves no new window until a good skin arrives.
// - Loaded() creates the skin manager when there is none and registers with it; destruction
//   first takes every form skin this component serves off its window, then unregisters.
// - Windows only; the user-interface thread only.
#include "skin/data/SkinDefinition.h"
#include "skin/data/SkinRead.h"
#include "ui/classes/Component.h"
#include "ui/classes/Strings.h"
#include "ui/graphics/GdiHandles.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

class TImageList;
class TControl;
class TWinControl;

namespace kv {

enum TSkinControlType : unsigned {
    xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
    xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox,
    xcStatusBar, xcTab, xcSystemMenu, xcFastReport,
};
using TSkinControlTypes = uint32_t; // bit i: member i

constexpr TSkinControlTypes SkinControlBit(TSkinControlType t) {
    return TSkinControlTypes(1) << unsigned(t);
}
// Every member but xcFastReport.
constexpr TSkinControlTypes kDefaultSkinControls = (SkinControlBit(xcFastReport) - 1);

enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

class TSkinData;
using TOnFormSkin = std::function<void(TObject* sender, const std::string& aName, bool& doSkin)>;
using TOnSkinControl =
    std::function<void(TComponent* sender, TSkinData* skinData, TControl* form, TControl* control,
                       const std::string& controlClass, TComponent*& skinnedControl)>;

// The lines the constructor puts into Skin3rd.
const std::vector<std::string>& DefaultSkin3rd();

inline constexpr const char* kSkinEngineVersion = "2.60.4.29";

class TSkinData : public TComponent {
    KV_CLASS(TSkinData, TComponent)
public:
    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    bool Active() const { return active_; }
    void SetActive(bool value);
    int DisableTag() const { return disableTag_; }
    void SetDisableTag(int tag) { disableTag_ = tag; }
    TSkinControlTypes SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControlTypes set) { skinControls_ = set & 0x7FFFF; }
    bool Has(TSkinControlType t) const { return (skinControls_ & SkinControlBit(t)) != 0; }
    TStringList& Skin3rd() { return skin3rd_; }
    const std::string& SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::string& path);
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return formType_; }
    void SetSkinFormtype(TSkinFormType type) { formType_ = type; }
    std::string Version() const { return kSkinEngineVersion; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool on) { menuUpdate_ = on; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // The packed skin bytes as stored.
    const std::vector<uint8_t>& PackedSkin() const { return packed_; }
    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream) const;

    // Parses the packed bytes; false (and SkinEmpty) when the package is refused or lacks a
    // definition.
    bool UnpackSkin();
    // Loads a packed skin from memory at run time as SetSkinFile does from a file.
    bool LoadSkinBytes(std::vector<uint8_t> packed);

    void Loaded() override;
    void NotifyNewSkin();
    void FormSkinFilter(const std::string& className, bool& doSkin);
    void DoSkinChanged();

    bool SkinEmpty() const { return skinEmpty_; }
    const TSkinDefinition* Skin() const { return skin_.get(); }
    const std::string& SkinName() const { return skinName_; }
    HBRUSH ButtonFaceBrush() const { return buttonFaceBrush_.Get(); }
    COLORREF ButtonFaceColor() const;
    // The first form icon a caption icon button needed (small icon on magenta), or empty.
    PixelBuffer& DefaultIcon() { return defaultIcon_; }
    bool FramePainting = true;
    TImageList* MenuGlyphs() const { return menuGlyphs_; }

private:
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }
    void Adopt(std::unique_ptr<TSkinDefinition> skin);
    void RequestActivation(bool value);

    bool active_ = false;
    int disableTag_ = 99;
    TSkinControlTypes skinControls_ = kDefaultSkinControls;
    TStringList skin3rd_;
    std::string skinFile_;
    TSkinFormType formType_ = TSkinFormType::sfMainform;
    bool menuUpdate_ = true;

    std::vector<uint8_t> packed_;
    std::unique_ptr<TSkinDefinition> skin_;
    bool skinEmpty_ = true;
    std::string skinName_;
    UniqueBrush buttonFaceBrush_;
    PixelBuffer defaultIcon_;
    TImageList* menuGlyphs_ = nullptr; // owned as a component
};

// A skin colour as a COLORREF (system colours resolved now).
COLORREF ResolveColour(SkinColour colour);

// Registers TSkinData for layouts.
void RegisterSkinClasses();

// Where the reader's word about an older or damaged skin goes while a skin loads: a message
// box by default; tests capture the texts instead. Null puts the message box back.
void SetSkinMessageDisplay(SkinMessageHook display);

} // namespace kv

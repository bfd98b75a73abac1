#include "skin/data/win/SkinData.h"

#include "skin/data/SkinRead.h"
#include "skin/data/win/SkinManager.h"
#include "ui/classes/Properties.h"
#include "ui/classes/Streams.h"
#include "ui/core/Controls.h"
#include "ui/graphics/ImageList.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace kv {

KV_DEFINE_CLASS(TSkinData, TComponent, [](TPropertyBuilder<TSkinData>& p) {
    p.Bool("Active", &TSkinData::Active, &TSkinData::SetActive);
    p.Integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag);
    p.Set("SkinControls",
          {"xcMainMenu", "xcPopupMenu", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
           "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn",
           "xcSpeedButton", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcSystemMenu",
           "xcFastReport"},
          &TSkinData::SkinControls, &TSkinData::SetSkinControls);
    p.Strings("Skin3rd", &TSkinData::Skin3rd);
    p.String("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
    p.String("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore);
    p.Enum("SkinFormtype", {"sfMainform", "sfOnlyThisForm", "sfDialog"}, &TSkinData::SkinFormtype,
           &TSkinData::SetSkinFormtype);
    p.String("Version", &TSkinData::Version, &TSkinData::SetVersion);
    p.Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate);
    p.Event<TOnFormSkin>("OnFormSkin", [](TSkinData& d, const TOnFormSkin& h) { d.OnFormSkin = h; });
    p.Event<TNotifyEvent>("OnSkinChanged",
                          [](TSkinData& d, const TNotifyEvent& h) { d.OnSkinChanged = h; });
    p.Event<TOnSkinControl>("OnSkinControl",
                            [](TSkinData& d, const TOnSkinControl& h) { d.OnSkinControl = h; });
    p.Binary("SkinStream", &TSkinData::ReadSkinStream, &TSkinData::WriteSkinStream);
})

namespace {

constexpr const char* kMenuGlyphsResource = "MARVESKMENU";
constexpr int kMenuGlyphSide = 16;

void ShowSkinMessageBox(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "", MB_OK | MB_ICONWARNING);
}

SkinMessageHook& SkinMessageDisplay() {
    static SkinMessageHook display = ShowSkinMessageBox;
    return display;
}

// A skin file's bytes, or nothing when it cannot be read or is larger than any skin.
std::optional<std::vector<uint8_t>> ReadSkinFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size < 0 || uint64_t(size) > kSkinMaxFileBytes) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!bytes.empty() && !file.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

const std::vector<std::string>& DefaultSkin3rd() {
    static const std::vector<std::string> lines{
        "TTBDock=Panel",
        "TTBToolbar=Panel",
        "TImageEnMView=scrollbar",
        "TImageEnView=scrollbar",
        "TRzButton=button",
        "TRzCheckGroup=CheckGroup",
        "TRzRadioGroup=Radiogroup",
        "TRzRadioButton=Radiobutton",
        "TRzCheckBox=Checkbox",
        "TRzButtonEdit=Edit",
        "TRzDBRadioGroup=Radiogroup",
        "TRzDBRadioButton=Radiobutton",
        "TRzDBCheckBox=Checkbox",
        "TDBCheckboxEh=Checkbox",
        "TDBCheckboxEh=Checkbox",
        "TLMDCHECKBOX=Checkbox",
        "TLMDDBCHECKBOX=Checkbox",
        "TLMDRadiobutton=Radiobutton",
        "TLMDGROUPBOX=Panel",
        "TLMDSIMPLEPANEL=Panel",
        "TLMDDBCalendar=Panel",
        "TLMDButtonPanel=Panel",
        "TLMDLMDCalculator=Panel",
        "TLMDHeaderPanel=Panel",
        "TLMDTechnicalLine=Panel",
        "TLMDLMDClock=Panel",
        "TLMDTrackbar=trackbar",
        "TLMDListCombobox=combobox",
        "TLMDCheckListCombobox=combobox",
        "TLMDHeaderListCombobox=combobox",
        "TLMDImageCombobox=combobox",
        "TLMDColorCombobox=combobox",
        "TLMDFontCombobox=combobox",
        "TLMDFontSizeCombobox=combobox",
        "TLMDFontSizeCombobox=combobox",
        "TLMDPrinterCombobox=combobox",
        "TLMDDriveCombobox=combobox",
        "TLMDCalculatorComboBox=combobox",
        "TLMDTrackBarComboBox=combobox",
        "TLMDCalendarComboBox=combobox",
        "TLMDRADIOGROUP=radiogroup",
        "TLMDCheckGroup=CheckGroup",
        "TLMDDBRADIOGROUP=radiogroup",
        "TLMDDBCheckGroup=CheckGroup",
        "TLMDEDIT=Edit",
        "TLMDMASKEDIT=Edit",
        "TLMDBROWSEEDIT=Edit",
        "TLMDEXTSPINEDIT=Edit",
        "TLMDCALENDAREDIT=Edit",
        "TLMDFILEOPENEDIT=Edit",
        "TLMDFILESAVEEDIT=Edit",
        "TLMDCOLOREDIT=Edit",
        "TLMDDBEDIT=Edit",
        "TLMDDBMASKEDIT=Edit",
        "TLMDDBEXTSPINEDIT=Edit",
        "TLMDDBSPINEDIT=Edit",
        "TLMDDBEDITDBLookup=Edit",
        "TLMDEDITDBLookup=Edit",
        "TDBLookupCombobox=Combobox",
        "TWWDBCombobox=Combobox",
        "TWWDBLookupCombo=Combobox",
        "TWWDBCombobox=Combobox",
        "TWWKeyCombo=Combobox",
        "TWWTempKeyCombo=combobox",
        "TWWDBDateTimePicker=Combobox",
        "TWWRADIOGROUP=radiogroup",
        "TDXDBPICKEDIT=Combobox",
        "TDXDBCALCEDIT=Combobox",
        "TDXDBIMAGEEDIT=Combobox",
        "TDXDBPOPUPEDIT=Combobox",
        "TDXDBEXTLOOKUPEDIT=Combobox",
        "TDXDBLOOKUPEDIT=Combobox",
        "TDXDBDATEEDIT=Combobox",
        "TDXDATEEDIT=Combobox",
        "TDXPICKEDIT=Combobox",
        "TDXPOPUPEDIT=Combobox",
        "TDXDBCURRENCYEDIT=Edit",
        "TDXDBEDIT=Edit",
        "TDXDBMASKEDIT=Edit",
        "TDXDBHYPERLINKEDIT=Edit",
        "TDXEDIT=Edit",
        "TDXMASKEDIT=Edit",
        "TWWDBEDIT=Edit",
        "TDXBUTTONEDIT=Edit",
        "TDXCURRENCYEDIT=Edit",
        "TDXHYPERLINKEDIT=Edit",
        "TOVCPICTUREFIELD=Edit",
        "TOVCDBPICTUREFIELD=Edit",
        "TOVCSLIDEREDIT=Edit",
        "TOVCDBSLIDEREDIT=Edit",
        "TOVCSIMPLEFIELD=Edit",
        "TOVCDBSIMPLEFIELD=Edit",
        "TO32DBFLEXEDIT=Edit",
        "TOVCNUMERICFIELD=Edit",
        "TOVCDBNUMERICFIELD=Edit",
    };
    return lines;
}

COLORREF ResolveColour(SkinColour colour) {
    if (IsSystemColour(colour)) return GetSysColor(SystemColourIndex(colour));
    return colour & 0xFFFFFF;
}

void RegisterSkinClasses() {
    RegisterComponentClass<TSkinData>();
}

void SetSkinMessageDisplay(SkinMessageHook display) {
    SkinMessageDisplay() = display ? std::move(display) : SkinMessageHook(ShowSkinMessageBox);
}

TSkinData::TSkinData(TComponent* owner) : TComponent(owner) {
    for (const std::string& line : DefaultSkin3rd()) skin3rd_.Add(line);
    menuGlyphs_ = new TImageList(this);
    menuGlyphs_->SetWidth(kMenuGlyphSide);
    menuGlyphs_->SetHeight(kMenuGlyphSide);
    if (FindResourceA(GetModuleHandleA(nullptr), kMenuGlyphsResource, MAKEINTRESOURCEA(2)))
        menuGlyphs_->LoadFromResourceName(GetModuleHandleA(nullptr), kMenuGlyphsResource,
                                          RGB(255, 255, 255));
}

TSkinData::~TSkinData() {
    if (SkinManager) {
        SkinManager->ReleaseSkinData(this);
        SkinManager->RemoveSkinData(this);
    }
}

std::string TSkinData::SkinStore() const {
    return (Designing() && !packed_.empty()) ? "(Good)" : "(none)";
}

COLORREF TSkinData::ButtonFaceColor() const {
    return ResolveColour(skin_ ? skin_->ButtonFaceColour : SystemColour(kColorButtonFace));
}

void TSkinData::ReadSkinStream(TStream& stream) {
    int32_t length = 0;
    if (stream.Read(&length, sizeof length) != sizeof length) return;
    const int64_t left = stream.Size() - stream.Seek(0, TSeekOrigin::soCurrent);
    if (length <= 0 || length > left) return; // a length word beyond the stored bytes
    packed_.assign(size_t(length), 0);
    stream.ReadBuffer(packed_.data(), packed_.size());
    if (!Designing()) UnpackSkin();
}

void TSkinData::WriteSkinStream(TStream& stream) const {
    const int32_t length = static_cast<int32_t>(packed_.size());
    stream.Write(&length, sizeof length);
    if (length > 0) stream.Write(packed_.data(), packed_.size());
}

bool TSkinData::UnpackSkin() {
    skinEmpty_ = true;
    if (Designing()) return false;
    // The reader's word about an older or damaged skin reaches the user while this load runs.
    ScopedSkinMessageHook messages(SkinMessageDisplay());
    std::unique_ptr<TSkinDefinition> fresh = LoadPackedSkin(packed_);
    if (!fresh) return false; // the old set, if any, stays in force
    Adopt(std::move(fresh));
    return true;
}

// Windows still pointing into the old set let go of it before it is freed.
void TSkinData::Adopt(std::unique_ptr<TSkinDefinition> fresh) {
    if (SkinManager && skin_) SkinManager->ResetForms();
    skin_ = std::move(fresh);
    skinName_ = skin_->SkinName;
    buttonFaceBrush_.Reset(CreateSolidBrush(ResolveColour(skin_->ButtonFaceColour)));
    skinEmpty_ = false;
}

bool TSkinData::LoadSkinBytes(std::vector<uint8_t> packed) {
    std::vector<uint8_t> previous = std::exchange(packed_, std::move(packed));
    if (!UnpackSkin()) {
        packed_ = std::move(previous);
        return false;
    }
    NotifyNewSkin();
    return true;
}

void TSkinData::SetSkinFile(const std::string& path) {
    skinEmpty_ = true;
    skinFile_ = path;
    if (Designing()) {
        if (!path.empty()) packed_.clear();
        return;
    }
    if (path.empty() || !FileExists(path)) return;
    std::optional<std::vector<uint8_t>> bytes = ReadSkinFile(path);
    if (bytes) LoadSkinBytes(std::move(*bytes));
}

void TSkinData::NotifyNewSkin() {
    if (Designing() || IsLoading()) return;
    if (!SkinManager) Loaded();
    SkinManager->PendingSkinData = this;
    SkinManager->ResetForms();
    SkinManager->RequestAction(saSkinChanged, kSkinActionDelayMs);
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (Designing()) return;
    if (!SkinManager) SkinManager = new TSkinManage();
    const auto& registered = SkinManager->SkinDatas();
    if (std::find(registered.begin(), registered.end(), this) == registered.end())
        SkinManager->AddSkinData(this);
    if (formType_ != TSkinFormType::sfMainform) {
        SkinManager->Enabled = true;
        SkinManager->ActivateCount++;
        if (auto* form = dynamic_cast<TWinControl*>(Owner())) SkinManager->SkinWindow(form->Handle());
        return;
    }
    SkinManager->InstallHook();
    if (!active_) return;
    if (skinEmpty_)
        active_ = false;
    else
        SkinManager->RequestAction(saSkin, kSkinActionDelayMs);
}

void TSkinData::RequestActivation(bool value) {
    if (value && skinEmpty_) return;
    SkinManager->PendingSkinData = this;
    SkinManager->RequestAction(value ? saSkin : saUnskin, kSkinActionDelayMs);
}

void TSkinData::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (Designing() || IsLoading() || !SkinManager) return;
    if (formType_ == TSkinFormType::sfOnlyThisForm) SkinManager->PendingSkinData = this;
    if (formType_ != TSkinFormType::sfDialog) RequestActivation(value);
}

void TSkinData::FormSkinFilter(const std::string& className, bool& doSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == "SysMonthCal32")
        doSkin = false;
    else if (Has(xcFastReport) && className.rfind("Tfr", 0) == 0)
        doSkin = false;
}

void TSkinData::DoSkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

} // namespace kv

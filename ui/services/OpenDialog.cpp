#include "ui/services/OpenDialog.h"

#include "ui/classes/Properties.h"

#include <windows.h>
#include <commdlg.h>

namespace {

// Room for many files in a multi-selection; a single path is far shorter.
constexpr size_t kNameBuffer = 32 * 1024;

} // namespace

KV_DEFINE_CLASS(TOpenDialog, TComponent, [](TPropertyBuilder<TOpenDialog>& p) {
    p.String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    p.String("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    p.String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    p.Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
    p.String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    p.Set("Options", {"ofReadOnly",
                      "ofOverwritePrompt",
                      "ofHideReadOnly",
                      "ofNoChangeDir",
                      "ofShowHelp",
                      "ofNoValidate",
                      "ofAllowMultiSelect",
                      "ofExtensionDifferent",
                      "ofPathMustExist",
                      "ofFileMustExist",
                      "ofCreatePrompt",
                      "ofShareAware",
                      "ofNoReadOnlyReturn",
                      "ofNoTestFileCreate",
                      "ofNoNetworkButton",
                      "ofNoLongNames",
                      "ofOldStyleDialog",
                      "ofNoDereferenceLinks",
                      "ofEnableIncludeNotify",
                      "ofEnableSizing"},
          &TOpenDialog::Options, &TOpenDialog::SetOptions);
    p.String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
})

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

std::string TOpenDialog::FileName() const {
    return WideToAnsi(fileName_);
}

void TOpenDialog::SetFileName(const std::string& name) {
    fileName_ = AnsiToWide(name);
}

uint32_t TOpenDialog::FlagsOf(TOpenOptions options) {
    static constexpr DWORD kFlags[] = {OFN_READONLY,
                                       OFN_OVERWRITEPROMPT,
                                       OFN_HIDEREADONLY,
                                       OFN_NOCHANGEDIR,
                                       OFN_SHOWHELP,
                                       OFN_NOVALIDATE,
                                       OFN_ALLOWMULTISELECT,
                                       OFN_EXTENSIONDIFFERENT,
                                       OFN_PATHMUSTEXIST,
                                       OFN_FILEMUSTEXIST,
                                       OFN_CREATEPROMPT,
                                       OFN_SHAREAWARE,
                                       OFN_NOREADONLYRETURN,
                                       OFN_NOTESTFILECREATE,
                                       OFN_NONETWORKBUTTON,
                                       OFN_NOLONGNAMES,
                                       0,
                                       OFN_NODEREFERENCELINKS,
                                       OFN_ENABLEINCLUDENOTIFY,
                                       OFN_ENABLESIZING};
    DWORD flags = OFN_EXPLORER;
    for (size_t i = 0; i < std::size(kFlags); ++i)
        if (options & (1u << i)) flags |= kFlags[i];
    return flags;
}

std::wstring TOpenDialog::FilterList(const std::string& filter) {
    std::wstring list = AnsiToWide(filter);
    for (wchar_t& c : list)
        if (c == L'|') c = L'\0';
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

bool TOpenDialog::Execute() {
    std::vector<wchar_t> buffer(kNameBuffer, L'\0');
    fileName_.copy(buffer.data(), std::min(fileName_.size(), kNameBuffer - 2));
    std::wstring filter = FilterList(filter_);
    std::wstring title = AnsiToWide(title_), dir = AnsiToWide(initialDir_),
                 ext = AnsiToWide(defaultExt_);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = DWORD(filterIndex_ > 0 ? filterIndex_ : 1);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = FlagsOf(options_);
    if (!GetOpenFileNameW(&ofn)) return false;
    filterIndex_ = int(ofn.nFilterIndex);
    TakeResult(buffer, ofn.nFileOffset);
    return true;
}

// A multi-selection comes as "folder\0name\0name\0\0"; a single file as one full path.
void TOpenDialog::TakeResult(const std::vector<wchar_t>& buffer, size_t fileOffset) {
    files_.clear();
    std::wstring first(buffer.data());
    if (!(options_ & ofAllowMultiSelect) || fileOffset <= first.size()) {
        fileName_ = first;
        files_.push_back(first);
        return;
    }
    for (size_t pos = first.size() + 1; pos < buffer.size() && buffer[pos];) {
        std::wstring name(buffer.data() + pos);
        files_.push_back(first + L"\\" + name);
        pos += name.size() + 1;
    }
    fileName_ = files_.empty() ? first : files_.front();
}

#pragma once
// The system's open dialog as a component.
//
// Contract:
//  - Execute() shows the modal dialog (the wide, Explorer-style one, so paths that the ANSI
//    code page cannot spell survive) owned by the active window; true when the user chose a
//    file. Cancel or a failure of the dialog give false and leave FileName as it was.
//  - FileNameW() is the chosen path exactly; FileName() is the same in the ANSI code page (a
//    character it lacks becomes '?'). Setting either sets the initial name.
//  - Filter is "Description|Pattern|Description|Pattern..." (ANSI). FilterIndex counts from 1.
//  - With ofAllowMultiSelect, Files() lists every chosen full path.
//  - Options are the bits below; ofEnableSizing makes the dialog resizable.
#include "ui/classes/Component.h"
#include "ui/core/Controls.h" // AnsiToWide, WideToAnsi

#include <string>
#include <vector>

using TOpenOptions = uint32_t;
constexpr TOpenOptions ofReadOnly = 1u << 0;
constexpr TOpenOptions ofOverwritePrompt = 1u << 1;
constexpr TOpenOptions ofHideReadOnly = 1u << 2;
constexpr TOpenOptions ofNoChangeDir = 1u << 3;
constexpr TOpenOptions ofShowHelp = 1u << 4;
constexpr TOpenOptions ofNoValidate = 1u << 5;
constexpr TOpenOptions ofAllowMultiSelect = 1u << 6;
constexpr TOpenOptions ofExtensionDifferent = 1u << 7;
constexpr TOpenOptions ofPathMustExist = 1u << 8;
constexpr TOpenOptions ofFileMustExist = 1u << 9;
constexpr TOpenOptions ofCreatePrompt = 1u << 10;
constexpr TOpenOptions ofShareAware = 1u << 11;
constexpr TOpenOptions ofNoReadOnlyReturn = 1u << 12;
constexpr TOpenOptions ofNoTestFileCreate = 1u << 13;
constexpr TOpenOptions ofNoNetworkButton = 1u << 14;
constexpr TOpenOptions ofNoLongNames = 1u << 15;
constexpr TOpenOptions ofOldStyleDialog = 1u << 16;
constexpr TOpenOptions ofNoDereferenceLinks = 1u << 17;
constexpr TOpenOptions ofEnableIncludeNotify = 1u << 18;
constexpr TOpenOptions ofEnableSizing = 1u << 19;

class TOpenDialog : public TComponent {
    KV_CLASS(TOpenDialog, TComponent)

public:
    explicit TOpenDialog(TComponent* owner);

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter) { filter_ = filter; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& dir) { initialDir_ = dir; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions options) { options_ = options; }

    std::string FileName() const;
    void SetFileName(const std::string& name);
    const std::wstring& FileNameW() const { return fileName_; }
    void SetFileNameW(const std::wstring& name) { fileName_ = name; }
    const std::vector<std::wstring>& Files() const { return files_; }

    virtual bool Execute();

    // The OPENFILENAMEW flags of Options (always Explorer style).
    static uint32_t FlagsOf(TOpenOptions options);
    // "A|*.a|B|*.b" as the double-NUL-terminated wide list the dialog wants.
    static std::wstring FilterList(const std::string& filter);

private:
    void TakeResult(const std::vector<wchar_t>& buffer, size_t fileOffset);

    std::string title_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string initialDir_;
    std::string defaultExt_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
    std::wstring fileName_;
    std::vector<std::wstring> files_;
};

#pragma once
// TrayIcon: the character's icon in the notification area while it is visible.
//
// Contract
// - Made from the file's tray icon block: a block that DecodeTrayIcon refuses (or none) gives
//   the system's plain application icon instead. The icon is made once and owned here (the
//   plain one is the system's and never destroyed).
// - Add() puts the icon into the notification area with `tip`, its messages going to
//   `window` as kTrayCallback; Remove() takes it out. Both are idempotent; Shown() says
//   whether the shell accepted it. The destructor removes it.
#include "agent/acs/AcsCharacter.h"
#include "ui/graphics/GdiHandles.h"

#include <windows.h>

#include <optional>
#include <string>

namespace kv::agent::player {

class TrayIcon {
public:
    TrayIcon(const std::optional<AcsTrayIcon>& block, std::wstring tip);
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool Add(HWND window);
    void Remove();
    bool Shown() const { return shown_; }
    bool FromFile() const { return static_cast<bool>(owned_); }
    HICON Icon() const { return owned_ ? owned_.Get() : plain_; }

private:
    UniqueIcon owned_;
    HICON plain_ = nullptr; // the system's, borrowed
    std::wstring tip_;
    HWND window_ = nullptr;
    bool shown_ = false;
};

} // namespace kv::agent::player

#include "agent/player/PlayerMenu.h"

#include "agent/player/Player.h"
#include "ui/graphics/GdiHandles.h"

namespace kv::agent::player {
namespace {

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;

void Append(HMENU menu, UINT command, const std::wstring& text, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command, text.c_str());
}

} // namespace

UINT TrackPlayerMenu(HWND owner, PlayerMenuKind kind, bool visible) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return 0;
    const PlayerMenuTexts& texts = CurrentPlayerMenuTexts();
    if (kind == PlayerMenuKind::TrayIcon) Append(menu.Get(), kPlayerCommandShow, texts.show, !visible);
    Append(menu.Get(), kPlayerCommandHide, texts.hide, visible);
    POINT at{};
    GetCursorPos(&at);
    // A menu of a window that is not in front would not close on a click elsewhere.
    SetForegroundWindow(owner);
    UINT command = static_cast<UINT>(TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, owner, nullptr));
    if (IsWindow(owner)) PostMessageW(owner, WM_NULL, 0, 0);
    return command;
}

} // namespace kv::agent::player

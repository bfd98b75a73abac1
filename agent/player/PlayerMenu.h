#pragma once
// The character's own popup menu (a right click on the character) and the menu of its icon in
// the notification area, as the Agent service gave them.
//
// Contract
// - TrackPlayerMenu shows the menu at the mouse for `owner` and returns the command chosen
//   (kPlayerCommandShow, kPlayerCommandHide) or 0. The character's menu holds "Hide"; the
//   icon's menu holds "Show" (greyed while the character is visible) and "Hide" (greyed while
//   it is hidden). Texts are the ones set with SetPlayerMenuTexts (Player.h).
// - The call is modal (the thread's messages keep flowing, timers included): the caller must
//   expect to be gone when it returns.
// - The menu is owned and destroyed here; nothing is left behind.
#include <windows.h>

namespace kv::agent::player {

constexpr UINT kPlayerCommandShow = 1;
constexpr UINT kPlayerCommandHide = 2;

enum class PlayerMenuKind { Character, TrayIcon };

UINT TrackPlayerMenu(HWND owner, PlayerMenuKind kind, bool visible);

} // namespace kv::agent::player

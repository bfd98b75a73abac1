#pragma once
// The built-in character player: a stand-in for the Microsoft Agent control that reads ".acs"
// files itself and animates the character on the desktop, behind the same late-bound members
// (control.Characters; Characters.Load/Unload/Character; a character's MoveTo, LanguageID,
// Show, Hide, Speak, StopAll, Play, Visible, IdleOn).
//
// Contract
// - InstallBuiltInPlayer() registers the player as the Agent binding's fallback provider, so
//   TAgent::Create uses it whenever the system control cannot be created.
// - NewPlayerControl() makes a control object (the caller owns the reference). Characters live
//   as long as the control and their id's entry; releasing the control closes their windows.
// - Calls return at once: requests are queued per character and run in order by timers of the
//   calling (UI) thread, which must pump messages. Failures at the call: Load of a missing,
//   non-2.x or damaged file; Play of a name the character lacks (compared without case);
//   Character of an id not loaded; any call on a character after its Unload. Each comes back
//   as DISP_E_EXCEPTION with an English text, so the binding raises AgentError.
// - No file can make the player crash, hang or allocate without bound: the reader checks it,
//   and the engine bounds every zero-duration run and exit path.
// - Between requests a visible character idles (its IDLINGLEVEL1..3 states, deeper the longer
//   it is quiet) unless its IdleOn property is false. A right click on it opens its menu
//   ("Hide"); while visible it has an icon in the notification area whose menu shows or
//   hides it. SetPlayerMenuTexts gives those menus the program's interface language.
//
// Test hooks (process-wide; UI thread):
// - SetPlayerObserver: every frame shown, animation start/end, visibility change, move,
//   balloon text change and queue clearing is reported as a PlayerEvent.
// - SetPlayerTuning: a time scale for every duration (frame durations, word pace, balloon pause,
//   moves; 0 runs them as fast as the engine's step allows), a separate scale for the idle
//   timings (quiet times and the pause between idle animations; never below a few
//   milliseconds) and a fixed random seed.
// - PlayerWindows(id): the character's and its balloon's windows and its tray icon (null when
//   none).
#include "agent/binding/ComPtr.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kv::agent::player {

void InstallBuiltInPlayer();
ComPtr<IDispatch> NewPlayerControl(HWND owner);

// Texts of the character's and its icon's menus (process-wide; UI thread). An ampersand
// marks the access key as in any menu.
struct PlayerMenuTexts {
    std::wstring show = L"&Show";
    std::wstring hide = L"&Hide";
};
void SetPlayerMenuTexts(PlayerMenuTexts texts);
const PlayerMenuTexts& CurrentPlayerMenuTexts();

struct PlayerEvent {
    enum class Kind {
        AnimationStart,
        Frame,
        AnimationEnd,
        Shown,
        Hidden,
        Moved,
        BalloonText, // `text` holds the words shown so far
        BalloonHidden,
        QueueCleared,
        Sound,
        MenuOpened, // `text` holds the items, separated by '|'
        TrayIcon,   // `text`: "added", "removed" or "refused" (the shell has no notification area)
    };
    Kind kind = Kind::Frame;
    std::wstring character;
    std::wstring animation; // for the animation and frame events
    int frame = -1;
    int idleLevel = 0; // for AnimationStart: 1..3 for an idle animation, 0 for a request
    double timeMs = 0; // since an arbitrary start, from the performance counter
    int x = 0, y = 0;  // for Moved: the window's new top-left corner
    std::wstring text;
};

using PlayerObserver = std::function<void(const PlayerEvent&)>;
void SetPlayerObserver(PlayerObserver observer);

struct PlayerTuning {
    double timeScale = 1.0;
    std::optional<uint32_t> seed;
    double idleScale = 1.0;
    // The notification area: under Wine each of its calls takes 0.1 to 0.3 s, which long
    // soak runs leave out (the icon itself is still made and freed).
    bool shellTray = true;
};
void SetPlayerTuning(const PlayerTuning& tuning);
const PlayerTuning& CurrentPlayerTuning();

struct PlayerWindowPair {
    HWND character = nullptr;
    HWND balloon = nullptr;
    HICON trayIcon = nullptr; // the file's icon, or the system's plain one
};
PlayerWindowPair PlayerWindows(const std::wstring& id);

} // namespace kv::agent::player

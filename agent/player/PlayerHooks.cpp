#include "agent/player/PlayerHooks.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace kv::agent::player {
namespace {

PlayerObserver g_observer;
PlayerTuning g_tuning;
PlayerMenuTexts g_menuTexts;

struct LiveCharacter {
    std::wstring id;
    const void* owner;
    PlayerWindowPair windows;
};
std::vector<LiveCharacter> g_live;

bool SameId(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

} // namespace

void SetPlayerObserver(PlayerObserver observer) {
    g_observer = std::move(observer);
}
void SetPlayerTuning(const PlayerTuning& tuning) {
    g_tuning = tuning;
}
const PlayerTuning& CurrentPlayerTuning() {
    return g_tuning;
}

void SetPlayerMenuTexts(PlayerMenuTexts texts) {
    g_menuTexts = std::move(texts);
}
const PlayerMenuTexts& CurrentPlayerMenuTexts() {
    return g_menuTexts;
}

void Report(PlayerEvent event) {
    if (!g_observer) return;
    event.timeMs = NowMs();
    PlayerObserver observer = g_observer; // the observer may replace itself
    observer(event);
}

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Scaled(double ms) {
    double scale = g_tuning.timeScale > 0 ? g_tuning.timeScale : 0;
    return ms > 0 ? ms * scale : 0;
}

double IdleScaled(double ms) {
    double scale = g_tuning.idleScale > 0 ? g_tuning.idleScale : 0;
    return std::max(kMinIdleStepMs, ms * scale);
}

void RegisterWindows(const std::wstring& id, const void* owner, PlayerWindowPair windows) {
    for (LiveCharacter& c : g_live) {
        if (c.owner == owner) {
            c.windows = windows;
            return;
        }
    }
    g_live.push_back({id, owner, windows});
}

void UnregisterWindows(const void* owner) {
    std::erase_if(g_live, [owner](const LiveCharacter& c) { return c.owner == owner; });
}

PlayerWindowPair PlayerWindows(const std::wstring& id) {
    for (auto it = g_live.rbegin(); it != g_live.rend(); ++it)
        if (SameId(it->id, id)) return it->windows;
    return {};
}

} // namespace kv::agent::player

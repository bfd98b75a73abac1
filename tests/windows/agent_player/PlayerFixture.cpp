#include "PlayerFixture.h"

#include "agent/player/PlayerHooks.h"

#include <windows.h>

namespace kv::agent::testing {

const std::filesystem::path& PlayerTest::CharacterPath() {
    static const std::filesystem::path path =
        WriteTestCharacter(MakeTestCharacter(), L"kv-testy.acs");
    return path;
}

void PlayerTest::SetUp() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Tune(0.2);
    player::SetPlayerObserver([this](const PlayerEvent& e) { events.push_back(e); });
    agent = std::make_unique<TAgent>(player::NewPlayerControl(nullptr));
    agent->Load(L"Bob", CharacterPath().wstring());
    bob = agent->Character(L"Bob");
}

void PlayerTest::TearDown() {
    bob = TAgentCharacter();
    agent.reset();
    player::SetPlayerObserver(nullptr);
    player::SetPlayerTuning({});
    player::SetPlayerMenuTexts({});
    CoUninitialize();
}

void PlayerTest::Tune(double timeScale, uint32_t seed, double idleScale) {
    player::PlayerTuning t;
    t.timeScale = timeScale;
    t.seed = seed;
    t.idleScale = idleScale;
    player::SetPlayerTuning(t);
}

TAgentCharacter PlayerTest::LoadAs(const std::wstring& id, const AcsCharacter& character) {
    std::filesystem::path path = WriteTestCharacter(character, L"kv-" + id + L".acs");
    agent->Load(id, path.wstring());
    return agent->Character(id);
}

std::vector<std::pair<std::wstring, int>> PlayerTest::IdleStarts() const {
    std::vector<std::pair<std::wstring, int>> out;
    for (const PlayerEvent& e : events)
        if (e.kind == Kind::AnimationStart && e.idleLevel > 0) out.emplace_back(e.animation, e.idleLevel);
    return out;
}

bool PlayerTest::PumpUntil(const std::function<bool()>& done, double timeoutMs) {
    double end = player::NowMs() + timeoutMs;
    while (!done()) {
        if (player::NowMs() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void PlayerTest::PumpFor(double ms) {
    double end = player::NowMs() + ms;
    PumpUntil([&] { return player::NowMs() >= end; }, ms + 1000);
}

std::vector<PlayerEvent> PlayerTest::Events(Kind kind) const {
    std::vector<PlayerEvent> out;
    for (const PlayerEvent& e : events)
        if (e.kind == kind) out.push_back(e);
    return out;
}

std::vector<int> PlayerTest::Frames(const std::wstring& animation) const {
    std::vector<int> out;
    for (const PlayerEvent& e : events)
        if (e.kind == Kind::Frame && e.animation == animation) out.push_back(e.frame);
    return out;
}

int PlayerTest::Count(Kind kind, const std::wstring& animation) const {
    int n = 0;
    for (const PlayerEvent& e : events)
        if (e.kind == kind && (animation.empty() || e.animation == animation)) ++n;
    return n;
}

HWND PlayerTest::CharacterWindow() const {
    return player::PlayerWindows(L"Bob").character;
}
HWND PlayerTest::BalloonWindow() const {
    return player::PlayerWindows(L"Bob").balloon;
}

} // namespace kv::agent::testing

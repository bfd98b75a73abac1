#pragma once
// The fixture of the player's tests: a player control driven through the real binding, the
// test character loaded as "Bob", every engine event recorded, and message pumping that waits
// for a condition instead of sleeping.
#include "TestCharacter.h"

#include "agent/binding/Agent.h"
#include "agent/player/Player.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace kv::agent::testing {

using player::PlayerEvent;
using Kind = PlayerEvent::Kind;

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Tune(double timeScale, uint32_t seed = 7);
    // Pumps messages until `done` holds (true) or the time runs out (false).
    bool PumpUntil(const std::function<bool()>& done, double timeoutMs = 4000);
    void PumpFor(double ms);

    std::vector<PlayerEvent> Events(Kind kind) const;
    // Frame indices shown for `animation`, in order.
    std::vector<int> Frames(const std::wstring& animation) const;
    int Count(Kind kind, const std::wstring& animation = L"") const;
    bool Ended(const std::wstring& animation) const {
        return Count(Kind::AnimationEnd, animation) > 0;
    }
    HWND CharacterWindow() const;
    HWND BalloonWindow() const;

    static const std::filesystem::path& CharacterPath();

    std::unique_ptr<TAgent> agent;
    TAgentCharacter bob;
    std::vector<PlayerEvent> events;
};

} // namespace kv::agent::testing

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

    // Frame durations and other timings scaled by timeScale; idle timings by idleScale (1 is
    // the real one: the fixture's characters do not idle within a test unless asked to).
    void Tune(double timeScale, uint32_t seed = 7, double idleScale = 1.0);
    // Loads `character` under `id` from a file of that name and returns it.
    TAgentCharacter LoadAs(const std::wstring& id, const AcsCharacter& character);
    // Idle animations started, as (animation, level) in order.
    std::vector<std::pair<std::wstring, int>> IdleStarts() const;
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

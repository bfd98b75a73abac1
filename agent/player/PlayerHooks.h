#pragma once
// Inside the player: reporting events to the test observer, the clock, and the registry of
// live characters that PlayerWindows reads.
#include "agent/player/Player.h"

namespace kv::agent::player {

void Report(PlayerEvent event);
double NowMs();
// Scaled duration in milliseconds (never negative).
double Scaled(double ms);
// Scaled idle timing in milliseconds: never below kMinIdleStepMs, so that even a test's zero
// scale cannot make idle animations run back to back.
constexpr double kMinIdleStepMs = 10;
double IdleScaled(double ms);

void RegisterWindows(const std::wstring& id, const void* owner, PlayerWindowPair windows);
void UnregisterWindows(const void* owner);

} // namespace kv::agent::player

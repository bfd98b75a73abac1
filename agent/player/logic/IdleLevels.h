#pragma once
// Idle levels: what a visible character with nothing to do plays, chosen from how long it has
// been quiet (no request since the last one ended).
//
// Contract
// - IdleLevelAfter(quietMs, timings) is None before timings.firstMs, then Level1, Level2 from
//   timings.level2Ms and Level3 from timings.level3Ms. Negative or NaN times are None.
// - UsableIdleLevel(wanted, has) is the highest level at or below `wanted` for which the
//   character has an animation (has[0] = level 1 ... has[2] = level 3), or None when it has
//   none of them: a character without a sleep state keeps dozing at level 2, one without any
//   idle state stays still.
// - IdleStateName gives the state that lists a level's animations ("IDLINGLEVEL1" ...), or
//   an empty name for None.
#include <array>
#include <string_view>

namespace kv::agent::player {

enum class IdleLevel { None = 0, Level1 = 1, Level2 = 2, Level3 = 3 };

struct IdleTimings {
    double firstMs;   // quiet time before the first idle animation
    double level2Ms;  // quiet time before level 2
    double level3Ms;  // quiet time before level 3 (sleep)
    double gapMs;     // pause between two idle animations
};

// The Agent documentation names the three levels (the last one usually sleep) but gives no
// times. These are ours: alive a few seconds after a request, bored after half a minute,
// asleep after two minutes; a short pause between idle animations keeps a character whose
// idle animations take no time from playing them back to back.
inline constexpr IdleTimings kIdleTimings = {4000, 30000, 120000, 1500};

IdleLevel IdleLevelAfter(double quietMs, const IdleTimings& timings);
IdleLevel UsableIdleLevel(IdleLevel wanted, const std::array<bool, 3>& has);
std::u16string_view IdleStateName(IdleLevel level);

} // namespace kv::agent::player

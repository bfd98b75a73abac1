#pragma once
// A small character made for the player's tests, written with the character file writer.
//
// 32 x 32 frames; palette 0 see-through, 1..6 solid colours; image k (0..5) is a square of
// colour k + 1 with a see-through top-left 4 x 4 corner. Animations:
//   Timed        5 frames, durations 10, 20, 5, 30, 10 (hundredths), images 0..4
//   Branchy      frames 0..2, zero durations; frame 0 branches to frame 2 with 30 %
//   Looping      exit branches; 4 frames of 5; frame 3 loops to 0 (100 %); exits 0:-2 1:0 2:1 3:0
//   Spin         one zero-duration frame looping to itself forever (transition none)
//   Pose         2 frames of 5, return animation "PoseReturn"; PoseReturn 1 frame of 5
//   Show, Hide   2 frames of 5 each; states SHOWING -> Show, HIDING -> Hide
//   Talk         1 frame of 10 with a mouth overlay (image 5) for every shape, and a sound
//   Empty        no frames
#include "agent/acs/AcsCharacter.h"

#include <filesystem>
#include <string>

namespace kv::agent::testing {

constexpr uint32_t kTestColours[] = {0xFF00FF, 0xE02020, 0x20C020, 0x2020E0,
                                     0xF0F000, 0x00F0F0, 0x404040};

AcsCharacter MakeTestCharacter();

// The test character with idle and direction states (every kind the player uses):
//   IDLINGLEVEL1 -> Idle1a, Idle1b, Missing1 (no such animation)  (1 and 2 frames of 5)
//   IDLINGLEVEL2 -> Idle2 (a pose with return animation PoseReturn)
//   IDLINGLEVEL3 -> Sleep (loops for ever; exit branches 3 -> 2 -> 1 -> 0 -> end)
//   MOVINGLEFT -> WalkLeft (loops), MOVINGRIGHT -> NoSuchWalk (missing), SPEAKING -> Talk
// and a tray icon of 16 x 16 (a 4-bit colour square with a see-through corner).
AcsCharacter MakeIdleCharacter();
// The test character whose only idle animation is Spin: one zero-duration frame that
// branches to itself for ever.
AcsCharacter MakeSpinningIdler();
// A tray icon block: good, or damaged (its colour rows cut short).
AcsTrayIcon MakeTrayIcon(bool damaged);
// Writes the character to a fresh file in the temporary folder and returns its path.
std::filesystem::path WriteTestCharacter(const AcsCharacter& character, const std::wstring& name);

} // namespace kv::agent::testing

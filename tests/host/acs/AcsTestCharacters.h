#pragma once
// Small characters built in code for the reader, writer and composer tests.
#include "agent/acs/AcsCharacter.h"

#include <cstdint>
#include <vector>

namespace kv::test {

// A 3-colour palette (0 transparent black, 1 red, 2 blue), 8 x 6 frame, no optional blocks,
// one image (index 0, 4 x 3, all red) and one animation "Wave" with one frame of it at (1, 1).
AcsCharacter MinimalCharacter();

// Every optional block present: voice with extra data, balloon, tray icon, states, two
// languages, compressed and stored images, an empty image, a sound, branches, exit frames,
// overlays (one with a region), a return animation and a zero-frame animation.
AcsCharacter FullCharacter();

// A tiny RIFF WAVE file: 8-bit mono PCM, `samples` bytes of silence.
std::vector<uint8_t> SilentWave(size_t samples);

std::vector<uint8_t> Written(const AcsCharacter& c);

} // namespace kv::test

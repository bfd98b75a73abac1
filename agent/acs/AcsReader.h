#pragma once
// ReadAcs: the bounds-checked reader of character files (version 2.x).
//
// Contract
// - Input: the whole file as bytes (borrowed; nothing refers to them after the call).
// - Success: returns true and replaces `out` with a consistent character (see AcsCharacter.h).
//   Elements that point nowhere are dropped rather than failing the load: frame images and
//   overlays naming a missing image, branches to a missing frame, exit frames out of range
//   (become -1), sounds out of range (become none); branch probabilities above 100 in total are
//   clamped; unknown transition types read as "none". The voice and balloon bits of `flags`
//   are kept as AcsFlagsOfBlocks sets them (one of each pair), whatever a damaged file held.
// - Failure: returns false, leaves `out` empty (default) and sets `error` to one English
//   sentence naming the problem: wrong signature (with a special message for the web form and
//   for compound files of the older version), a block outside the file, a structure that runs
//   past its block, a count or a size above the caps below, character info inconsistent with its
//   flags (the sign of a damaged or scrambled file), an image whose stored data is too short.
// - Never reads outside the input, never allocates more than the caps allow (the sum of what
//   the model holds is bounded by kAcsMaxModelBytes), and runs in time linear in the model size.
// - Image pixels and regions are not decoded here; see AcsImage.h.
#include "agent/acs/AcsCharacter.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace kv {

// Real characters stay below 20 MB; 128 MB leaves room without risking a 32-bit process.
constexpr size_t kAcsMaxFileBytes = size_t(128) * 1024 * 1024;
// Blocks may be shared between entries, so the model can outgrow the file: bound it.
constexpr size_t kAcsMaxModelBytes = size_t(128) * 1024 * 1024;
constexpr size_t kAcsMaxAnimations = 4096; // 170 seen
constexpr size_t kAcsMaxImages = 65536;    // 1,720 seen
constexpr size_t kAcsMaxSounds = 65536;
constexpr uint32_t kAcsMaxCharacterSide = 4096; // frames up to 1280 x 720 seen

bool ReadAcs(std::span<const uint8_t> file, AcsCharacter& out, std::string& error);

// Reads the file at `path` (refusing files above kAcsMaxFileBytes) and parses it with ReadAcs.
bool ReadAcsFile(const std::filesystem::path& path, AcsCharacter& out, std::string& error);

} // namespace kv

#pragma once
// WriteAcs: writes a character in the version 2.x file format.
//
// Contract
// - Input: a character that AcsValidate accepts. Images are written as they are held (compressed
//   or stored; AcsEncodeImage in AcsImage.h makes them), sounds as whole RIFF WAVE images.
// - The voice and balloon flag bits are written from the presence of `voice` and `balloon`
//   (exactly one bit of each pair set); the other flag bits are written as held. Names are
//   written as held, the animation block's copy of the name in upper case.
// - Layout: header, animation blocks, image blocks, sound blocks, the three lists, then the
//   character info with the localized list appended (the layout every known file uses).
// - Success: returns true and replaces `out` with the file bytes; ReadAcs of them gives back an
//   equal character. The output is a pure function of the input (byte-identical on reruns).
// - Failure: returns false, empties `out` and sets `error` (an inconsistent character, a count
//   above what the format can hold, or a file that would pass 4 GB or kAcsMaxFileBytes).
#include "agent/acs/AcsCharacter.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kv {

bool WriteAcs(const AcsCharacter& character, std::vector<uint8_t>& out, std::string& error);

bool WriteAcsFile(const std::filesystem::path& path, const AcsCharacter& character,
                  std::string& error);

} // namespace kv

#pragma once
// Building a character from a folder: frame images (BMP) and a description of the animations.
//
// Contract
// - BuildAcsFromFolder reads DIR/character.txt (format: kAcsDescriptionHelp) and the BMP and WAV
//   files it names, all relative to DIR. Colours of every image are gathered into one palette in
//   ascending colour order after the transparent key colour (index 0); more than 256 colours in
//   total is an error. On success it returns true and fills `out` with a character that
//   AcsValidate accepts; on failure it returns false with `error` naming the file, the line and
//   the problem. The result depends only on the files' contents: the same folder always builds
//   the same character.
// - ParseAcsDescription does the same from text already in memory, with `loadFile` fetching the
//   named files' bytes (false when a file cannot be read).
#include "agent/acs/AcsCharacter.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kv {

extern const char* const kAcsDescriptionHelp;

using AcsFileLoader = std::function<bool(const std::string& name, std::vector<uint8_t>& bytes)>;

bool ParseAcsDescription(const std::string& text, const AcsFileLoader& loadFile, AcsCharacter& out,
                         std::string& error);

bool BuildAcsFromFolder(const std::filesystem::path& dir, AcsCharacter& out, std::string& error);

} // namespace kv

#pragma once
// The sample character's source folder: frame layers as BMP files, two short sounds and the
// character.txt description that `acstool build` turns into Pip.acs.
//
// Contract: GeneratePip writes (and overwrites) those files in `dir`, creating it when needed;
// it returns false with `error` set when a file cannot be written. The files' contents depend on
// nothing but this code, so building them always gives the same character file.
#include <filesystem>
#include <string>

namespace kv::pip {

bool GeneratePip(const std::filesystem::path& dir, std::string& error);

} // namespace kv::pip

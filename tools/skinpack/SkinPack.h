#pragma once
// The skinpack command line, callable in-process.
//
// Contract: RunSkinPack(args, out, err) runs one command (args exclude the program name),
// appends listings to `out` and every diagnostic to `err`, and returns 0 on success, 1 on any
// failure (bad usage, unreadable input, damaged skin, unwritable output). It never throws.
// A SKIN is a packed skin file: the 4-byte unpacked size and the LZHUF stream, nothing else.
#include <string>
#include <vector>

namespace kv {

inline constexpr const char* kSkinPackOrderFile = "skinpack.order";

int RunSkinPack(const std::vector<std::string>& args, std::string& out, std::string& err);

// True for a plain file name that is safe to create in a folder on any system.
bool IsPlainFileName(const std::string& name);

} // namespace kv

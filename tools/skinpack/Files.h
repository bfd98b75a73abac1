#pragma once
// The file-system operations of the skinpack tool, on names as the command line gives them
// (the system's narrow encoding).
//
// Through the C library and the system, not C++ streams or std::filesystem: linking either
// brings in the C++ locale machinery, whose set-up then runs and whose pages are mapped at
// every start of the tool, a large share of decoding one small skin.
//
// Contract: OpenFile gives an unbuffered file (the callers move pieces of many kilobytes) or
// null. FileNamesIn lists the names of the regular files in a folder, in no order, or nothing
// when the folder cannot be read. MakeFolders creates a folder and any missing parents and
// says whether a folder now stands there. RenameOver renames `from` over `to`, replacing it.
// None of them throws except for a failed allocation.
#include "base/WholeFile.h"

#include <optional>
#include <string>
#include <vector>

namespace kv::files {

CFile OpenFile(const char* path, bool write);
bool IsFolder(const std::string& path);
bool Exists(const std::string& path);
bool MakeFolders(const std::string& path);
std::optional<std::vector<std::string>> FileNamesIn(const std::string& folder);
bool RemoveFile(const char* path);
bool RenameOver(const char* from, const char* to);

// `folder` and `name` joined by a separator.
std::string Join(const std::string& folder, const std::string& name);

} // namespace kv::files

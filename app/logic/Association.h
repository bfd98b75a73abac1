#pragma once
// The registry layout that makes the shell open ".acs" files with this program.
//
// Contract: `FileTypeLayout` lists the keys and values in the order they are written, relative
// to the classes root; it is empty when the extension or the command is empty (nothing may be
// written then). Value name "" is a key's default value.
#include <string>
#include <string_view>
#include <vector>

namespace kv::app {

inline constexpr std::string_view kCharacterExtension = ".acs";
inline constexpr std::string_view kCharacterProgId = "Agent.Character2.2";
// Per-user classes: merged into HKEY_CLASSES_ROOT and writable without elevation.
inline constexpr std::string_view kUserClassesKey = "Software\\Classes";

// "\"" + program + "\" \"%1\"": both paths stay one argument even with blanks.
std::string OpenCommand(std::string_view programPath);

// Registry texts compare as the system compares paths: ASCII letters in any case, other bytes
// as they are. An open command "still names this program" when it is the same text as ours.
bool SameRegistryText(std::string_view a, std::string_view b);

struct RegistryValue {
    std::string key;       // below the classes root
    std::string valueName; // "" for the default value
    std::string data;
};

std::vector<RegistryValue> FileTypeLayout(std::string_view extension, std::string_view progId,
                                          std::string_view description,
                                          std::string_view contentType, std::string_view command);

} // namespace kv::app

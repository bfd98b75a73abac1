#pragma once
// The 84 standard animation names the main window lists when no action list file exists.
#include <array>
#include <string_view>

namespace kv::app {

inline constexpr size_t kBuiltinNameCount = 84;
extern const std::array<std::string_view, kBuiltinNameCount> kBuiltinNames;

} // namespace kv::app

#pragma once
// The framework's integer text rules, shared by font specs and the settings file.
//
// Accepted: optional leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$" or "0x"/"0X"; nothing may follow. Values outside the 32-bit signed range
// are refused. Never reads past `text`.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv::app {

std::optional<int32_t> ParseInteger(std::string_view text);

} // namespace kv::app

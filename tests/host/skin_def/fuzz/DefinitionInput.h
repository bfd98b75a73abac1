#pragma once
// One fuzz input through the definition parser: the bytes are the definition text, and every
// image it names reads the same bytes as a BMP (so hostile headers meet the image loader).
#include "base/Bmp.h"
#include "skin/data/SkinDefinition.h"

#include <span>
#include <string_view>

namespace skindef_fuzz {

inline void RunDefinitionInput(std::span<const uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    kv::SkinEntryLookup lookup = [bytes](std::string_view) { return bytes; };
    auto def = kv::ParseSkinDefinition(text, lookup);
    (void)def;
    (void)kv::DecodeBmp(bytes);
}

} // namespace skindef_fuzz

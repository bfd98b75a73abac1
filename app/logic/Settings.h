#pragma once
// The settings file's one value, "LanguageID" in section "InterFace" of "Kelvorine.ini": the tag
// of the language menu item, one more than the interface language.
//
// Contract: `ReadLanguageId` takes the value's text as the profile functions return it (or
// nullopt when the file or key is absent) and never fails: absent or unreadable text gives the
// default 1. `ResolveLanguageId` maps any integer to what start-up does with it.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv::app {

inline constexpr int kDefaultLanguageId = 1;

int ReadLanguageId(std::optional<std::string_view> valueText);

struct LanguageChoice {
    bool apply = false; // false: keep English with the design font and menu check
    uint8_t interfaceLanguage = 0;
    int menuTag = 1; // the language item to check (1 English, 2, 3)
};

// Values above 3 become 1; 1, 2, 3 choose their language; 0 and below change nothing.
LanguageChoice ResolveLanguageId(int languageId);

// The value written when the user picks the item with `menuTag`; nullopt for a tag outside 1..3.
std::optional<uint8_t> LanguageForTag(int menuTag);

} // namespace kv::app

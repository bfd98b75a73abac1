#include "app/logic/Settings.h"

#include "app/logic/Numbers.h"

namespace kv::app {

int ReadLanguageId(std::optional<std::string_view> valueText) {
    if (!valueText) return kDefaultLanguageId;
    // The profile functions trim blanks but keep a trailing tab or CR from a damaged file.
    std::string_view text = *valueText;
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return ParseInteger(text).value_or(kDefaultLanguageId);
}

LanguageChoice ResolveLanguageId(int languageId) {
    if (languageId > 3) languageId = 1;
    LanguageChoice choice;
    if (languageId <= 0) return choice;
    choice.apply = true;
    choice.menuTag = languageId;
    choice.interfaceLanguage = uint8_t(languageId - 1);
    return choice;
}

std::optional<uint8_t> LanguageForTag(int menuTag) {
    if (menuTag < 1 || menuTag > 3) return std::nullopt;
    return uint8_t(menuTag - 1);
}

} // namespace kv::app

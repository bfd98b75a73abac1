#include "app/logic/FontSpec.h"

#include "app/logic/Numbers.h"

#include <array>

namespace kv::app {
namespace {

struct NamedColour {
    std::string_view name;
    uint32_t value;
};

constexpr std::array<NamedColour, 45> kNamedColours = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", SystemColour(0)},
    {"clBackground", SystemColour(1)},
    {"clActiveCaption", SystemColour(2)},
    {"clInactiveCaption", SystemColour(3)},
    {"clMenu", SystemColour(4)},
    {"clWindow", SystemColour(5)},
    {"clWindowFrame", SystemColour(6)},
    {"clMenuText", SystemColour(7)},
    {"clWindowText", SystemColour(8)},
    {"clCaptionText", SystemColour(9)},
    {"clActiveBorder", SystemColour(10)},
    {"clInactiveBorder", SystemColour(11)},
    {"clAppWorkSpace", SystemColour(12)},
    {"clHighlight", SystemColour(13)},
    {"clHighlightText", SystemColour(14)},
    {"clBtnFace", SystemColour(15)},
    {"clBtnShadow", SystemColour(16)},
    {"clGrayText", SystemColour(17)},
    {"clBtnText", SystemColour(18)},
    {"clInactiveCaptionText", SystemColour(19)},
    {"clBtnHighlight", SystemColour(20)},
    {"cl3DDkShadow", SystemColour(21)},
    {"cl3DLight", SystemColour(22)},
    {"clInfoText", SystemColour(23)},
    {"clInfoBk", SystemColour(24)},
}};

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x + 32);
        if (y >= 'A' && y <= 'Z') y = char(y + 32);
        if (x != y) return false;
    }
    return true;
}

// The text before the next "," (all of it when there is none); the rest after that comma.
std::string_view TakeField(std::string_view& rest) {
    size_t comma = rest.find(',');
    std::string_view field = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    return field;
}

// The field without its first and last character (its brackets).
std::string_view Unbracket(std::string_view field) {
    return field.size() < 2 ? std::string_view() : field.substr(1, field.size() - 2);
}

int RequireInteger(std::string_view text) {
    if (auto value = ParseInteger(text)) return *value;
    throw FontSpecError("'" + std::string(text) + "' is not a valid integer value");
}

} // namespace

std::optional<uint32_t> ParseColour(std::string_view text) {
    for (const auto& named : kNamedColours) {
        if (SameText(named.name, text)) return named.value;
    }
    if (auto value = ParseInteger(text)) return uint32_t(*value);
    return std::nullopt;
}

FontSpec ParseFontSpec(std::string_view spec) {
    FontSpec font;
    std::string_view rest = spec;
    font.name = std::string(TakeField(rest));
    font.charset = RequireInteger(TakeField(rest));
    font.size = RequireInteger(TakeField(rest));
    std::string styles = "|" + std::string(Unbracket(TakeField(rest)));
    std::string_view colourText = Unbracket(rest);
    auto colour = ParseColour(colourText);
    if (!colour)
        throw FontSpecError("'" + std::string(colourText) + "' is not a valid integer value");
    font.colour = *colour;
    if (styles.find("|Bold") != std::string::npos) font.styles |= kStyleBold;
    if (styles.find("|Italic") != std::string::npos) font.styles |= kStyleItalic;
    if (styles.find("|Underline") != std::string::npos) font.styles |= kStyleUnderline;
    if (styles.find("|Strikeout") != std::string::npos) font.styles |= kStyleStrikeout;
    return font;
}

} // namespace kv::app

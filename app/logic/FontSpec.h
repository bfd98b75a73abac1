#pragma once
// Font specs: "name,charset,size,[styles],[colour]", for instance
// "MS Sans Serif,1,9,[],[clWindowText]" or "Arial,0,10,[Bold|Underline],[$0000FF]".
//
// Contract: `ParseFontSpec` reads the fields in order, each up to the next ","; styles are
// found by case-sensitive substring tests ("|Bold", "|Italic", "|Underline", "|Strikeout" on the
// styles text with its brackets dropped and "|" put in front), so style names are joined by "|".
// A charset, size or colour that is not a valid integer (or colour name) throws FontSpecError
// with a message naming the bad text. Any input is safe to pass.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kv::app {

enum FontStyle : uint8_t {
    kStyleBold = 1,
    kStyleItalic = 2,
    kStyleUnderline = 4,
    kStyleStrikeout = 8,
};

// Colours: 0x00BBGGRR, or 0xFF0000nn for the Windows system colour nn.
constexpr uint32_t SystemColour(int index) {
    return 0xFF000000u | uint32_t(index);
}
inline constexpr uint32_t kColourWindowText = SystemColour(8);
inline constexpr uint32_t kColourPureBlue = 0x00FF0000u;

struct FontSpec {
    std::string name;
    int charset = 1;
    int size = 9; // points
    uint8_t styles = 0;
    uint32_t colour = kColourWindowText;
};

class FontSpecError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

FontSpec ParseFontSpec(std::string_view spec);

// A colour name ("clRed", "clWindowText"..., any case) or an integer; nullopt for anything else.
std::optional<uint32_t> ParseColour(std::string_view text);

} // namespace kv::app

#pragma once
// Colours of a skin definition.
//
// A SkinColour is 0x00BBGGRR for an explicit colour, or 0xFF000000 + n for the Windows system
// colour number n (resolved to a real colour only when drawing, on Windows).
//
// ParseColour reads the definition's colour text: up to three decimal numbers for red, green
// and blue separated by anything that is not a digit. Its rules are the definition format's
// own and are kept as they are: a number ends at the next non-digit and is then stored as the
// next component; a number still pending at the end of the text is stored (as blue) only when
// exactly two came before it, so one number gives black and "10 20" gives red 10 alone. A
// number too large for a 32-bit integer is not stored (and does not count). Components not
// stored are 0, a fourth and later numbers are ignored, and each component is taken modulo
// 256. Any text is accepted; the result is always an explicit colour.
#include <cstdint>
#include <string_view>

namespace kv {

using SkinColour = uint32_t;

constexpr SkinColour kSystemColourFlag = 0xFF000000u;
constexpr SkinColour SystemColour(int index) {
    return kSystemColourFlag | uint32_t(index & 0xFF);
}
constexpr bool IsSystemColour(SkinColour c) {
    return (c & 0xFF000000u) == kSystemColourFlag;
}
constexpr int SystemColourIndex(SkinColour c) {
    return int(c & 0xFF);
}
constexpr SkinColour RgbColour(uint32_t r, uint32_t g, uint32_t b) {
    return (r % 256) + 256 * (g % 256) + 65536 * (b % 256);
}

// Windows system colour numbers the definition's defaults use.
enum SystemColourIndexes : int {
    kColorScrollbar = 0,
    kColorMenu = 4,
    kColorMenuText = 7,
    kColorWindowText = 8,
    kColorCaptionText = 9,
    kColorHighlight = 13,
    kColorHighlightText = 14,
    kColorButtonFace = 15,
    kColorButtonShadow = 16,
    kColorButtonText = 18,
    kColorInactiveCaptionText = 19,
    kColorButtonHighlight = 20,
};

SkinColour ParseColour(std::string_view text);

} // namespace kv

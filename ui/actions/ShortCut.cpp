#include "ui/actions/ShortCut.h"
#include "ui/classes/ShortCutText.h"

namespace {
constexpr WORD kKeyMask = 0x00FF;

// The character the keyboard layout puts on a key; the names themselves are portable.
unsigned LayoutChar(uint16_t key) {
    return MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFF;
}
} // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
    if (key & ~kKeyMask) return scNone;
    TShortCut result = key;
    if (shift & ssShift) result |= scShift;
    if (shift & ssCtrl) result |= scCtrl;
    if (shift & ssAlt) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & kKeyMask;
    shift = 0;
    if (shortCut & scShift) shift |= ssShift;
    if (shortCut & scCtrl) shift |= ssCtrl;
    if (shortCut & scAlt) shift |= ssAlt;
}

std::string ShortCutToText(TShortCut shortCut) {
    return ShortCutTextOf(shortCut, LayoutChar);
}

TShortCut TextToShortCut(std::string_view text) {
    return ShortCutOfText(text, LayoutChar);
}

TShortCut ShortCutOfKey(WORD key) {
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return scNone;
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return ShortCut(key, shift);
}

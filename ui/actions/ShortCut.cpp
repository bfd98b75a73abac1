#include "ui/actions/ShortCut.h"
#include "ui/classes/Object.h"

namespace {
constexpr WORD kKeyMask = 0x00FF;

const char* const kNavigationNames[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                        "Left",  "Up",   "Right", "Down"};

std::string KeyName(WORD key) {
    if (key == VK_BACK) return "BkSp";
    if (key == VK_TAB) return "Tab";
    if (key == VK_RETURN) return "Enter";
    if (key == VK_ESCAPE) return "Esc";
    if (key >= VK_SPACE && key <= VK_DOWN) return kNavigationNames[key - VK_SPACE];
    if (key == VK_INSERT) return "Ins";
    if (key == VK_DELETE) return "Del";
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return std::string(1, static_cast<char>('0' + key - VK_NUMPAD0));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    // Punctuation and the like: whatever character the keyboard layout puts on the key.
    UINT ch = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFF;
    if (ch >= 0x21 && ch < 0x7F) return std::string(1, static_cast<char>(ch));
    return "";
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() <= prefix.size() || !SameText(text.substr(0, prefix.size()), prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
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
    std::string name = KeyName(shortCut & kKeyMask);
    if (name.empty()) return "";
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(std::string_view text) {
    TShortCut modifiers = 0;
    for (bool more = true; more;) {
        more = false;
        if (TakePrefix(text, "Shift+")) modifiers |= scShift, more = true;
        if (TakePrefix(text, "Ctrl+")) modifiers |= scCtrl, more = true;
        if (TakePrefix(text, "Alt+")) modifiers |= scAlt, more = true;
    }
    if (text.empty()) return scNone;
    for (WORD key = 1; key <= kKeyMask; ++key)
        if (SameText(KeyName(key), text)) return static_cast<TShortCut>(key | modifiers);
    return scNone;
}

TShortCut ShortCutOfKey(WORD key) {
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return scNone;
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return ShortCut(key, shift);
}

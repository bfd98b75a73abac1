#include "ui/classes/ShortCutText.h"

#include "ui/classes/Object.h"

namespace {
// Virtual-key codes, as windows.h numbers them (this file is portable).
constexpr uint16_t kKeyBack = 0x08, kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyEscape = 0x1B;
constexpr uint16_t kKeySpace = 0x20, kKeyDown = 0x28, kKeyInsert = 0x2D, kKeyDelete = 0x2E;
constexpr uint16_t kKeyNumpad0 = 0x60, kKeyNumpad9 = 0x69, kKeyF1 = 0x70, kKeyF24 = 0x87;
constexpr uint16_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000, kKeyMask = 0x00FF;

const char* const kNavigationNames[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                        "Left",  "Up",   "Right", "Down"};

bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() <= prefix.size() || !SameText(text.substr(0, prefix.size()), prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}
} // namespace

std::string ShortCutKeyName(uint16_t key, const TKeyCharFunction& layoutChar) {
    if (key == kKeyBack) return "BkSp";
    if (key == kKeyTab) return "Tab";
    if (key == kKeyReturn) return "Enter";
    if (key == kKeyEscape) return "Esc";
    if (key >= kKeySpace && key <= kKeyDown) return kNavigationNames[key - kKeySpace];
    if (key == kKeyInsert) return "Ins";
    if (key == kKeyDelete) return "Del";
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= kKeyNumpad0 && key <= kKeyNumpad9)
        return std::string(1, static_cast<char>('0' + key - kKeyNumpad0));
    if (key >= kKeyF1 && key <= kKeyF24) return "F" + std::to_string(key - kKeyF1 + 1);
    // Punctuation and the like: whatever character the keyboard layout puts on the key.
    const unsigned ch = layoutChar ? layoutChar(key) : 0;
    if (ch >= 0x21 && ch < 0x7F) return std::string(1, static_cast<char>(ch));
    return "";
}

std::string ShortCutTextOf(uint16_t shortCut, const TKeyCharFunction& layoutChar) {
    std::string name = ShortCutKeyName(shortCut & kKeyMask, layoutChar);
    if (name.empty()) return "";
    std::string text;
    if (shortCut & kShift) text += "Shift+";
    if (shortCut & kCtrl) text += "Ctrl+";
    if (shortCut & kAlt) text += "Alt+";
    return text + name;
}

uint16_t ShortCutOfText(std::string_view text, const TKeyCharFunction& layoutChar) {
    uint16_t modifiers = 0;
    for (bool more = true; more;) {
        more = false;
        if (TakePrefix(text, "Shift+")) modifiers |= kShift, more = true;
        if (TakePrefix(text, "Ctrl+")) modifiers |= kCtrl, more = true;
        if (TakePrefix(text, "Alt+")) modifiers |= kAlt, more = true;
    }
    if (text.empty()) return 0;
    for (uint16_t key = 1; key <= kKeyMask; ++key)
        if (SameText(ShortCutKeyName(key, layoutChar), text)) return uint16_t(key | modifiers);
    return 0;
}

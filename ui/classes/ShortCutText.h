// The text form of keyboard shortcuts, without the keyboard: the portable half of
// ui/actions/ShortCut.h, which supplies the keyboard layout's characters.
//
// Contract:
//  - A shortcut keeps the key (a Windows virtual-key code) in the low byte and the modifiers
//    in the high bits: Shift 0x2000, Ctrl 0x4000, Alt 0x8000.
//  - ShortCutKeyName names a key: letters and digits as themselves (number-pad digits too),
//    "F1".."F24", and BkSp, Tab, Esc, Enter, Space, PgUp, PgDn, End, Home, Left, Up, Right,
//    Down, Ins, Del; any other key is the printable character `layoutChar` gives it (33..126),
//    else "".
//  - ShortCutTextOf writes "Shift+", "Ctrl+", "Alt+" in that order, then the key's name; a
//    key without a name gives "". ShortCutOfText reads that form (modifiers in any order and
//    repeated, without regard to case) and answers the lowest key with that name, or 0 for a
//    text it does not know. Any text is safe to pass.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The character the keyboard layout puts on a virtual key (0 when none).
using TKeyCharFunction = std::function<unsigned(uint16_t key)>;

std::string ShortCutKeyName(uint16_t key, const TKeyCharFunction& layoutChar);
std::string ShortCutTextOf(uint16_t shortCut, const TKeyCharFunction& layoutChar);
uint16_t ShortCutOfText(std::string_view text, const TKeyCharFunction& layoutChar);

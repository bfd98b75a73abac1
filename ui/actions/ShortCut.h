#pragma once
// Keyboard shortcuts: a virtual-key code and its modifiers in one 16-bit number.
//
// Contract:
//  - A TShortCut keeps the key (VK_*) in the low byte and the modifiers in the high bits:
//    scShift 0x2000, scCtrl 0x4000, scAlt 0x8000. 0 is "no shortcut". Ctrl+O is 16463.
//  - ShortCutToText writes modifiers as "Shift+", "Ctrl+", "Alt+" in that order, then the
//    key: letters and digits as themselves, "F1".."F24", and the names BkSp, Tab, Esc, Enter,
//    Space, PgUp, PgDn, End, Home, Left, Up, Right, Down, Ins, Del. Other keys use the
//    character the keyboard gives them; a key without one gives "" (and so does 0).
//  - TextToShortCut reads that form back (modifiers in any order, without regard to case) and
//    answers 0 for a text it does not know.
//  - ShortCutOfKey combines a key with the modifier keys held down now (GetKeyState), as a
//    key message is being processed.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

using TShortCut = uint16_t;

enum : TShortCut { scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };

enum TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned; // TShiftStateFlag bits

TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
std::string ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(std::string_view text);
TShortCut ShortCutOfKey(WORD key);

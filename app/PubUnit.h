#pragma once
// State every window of the viewer shares: the interface language and the program's folder,
// and the font spec parser that turns a language's font description into a font.
#include "app/logic/FontSpec.h"
#include "app/win/WinUtil.h"

#include <cstdint>
#include <string>

namespace kv::app {

// 0 English, 1 Simplified Chinese, 2 Big5; 0 at program start.
extern uint8_t InterfaceLanguage;
// The program file's folder with a trailing separator; set at the main window's first show.
extern std::string AppDir;

// The program file's folder as AppDir takes it (tests may point it elsewhere).
std::string ProgramDirectory();
void SetProgramDirectoryForTests(std::string directory);

// A new font from a font spec (parsed by ParseFontSpec); throws FontSpecError for a bad field.
Font CreateSpecFont(std::string_view spec);
// The text colour a font spec names, 0xFF0000nn system colours resolved.
COLORREF SpecColour(std::string_view spec);
COLORREF ResolveColour(uint32_t colour);

} // namespace kv::app

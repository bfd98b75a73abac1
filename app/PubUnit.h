#pragma once
// State every window of the viewer shares: the interface language and the program's folder,
// and the font spec parser that turns a language's font description into a font.
#include "app/logic/FontSpec.h"
#include "app/win/WinUtil.h"

#include "ui/forms/Forms.h"
#include "ui/graphics/GraphicsObjects.h"

#include <cstdint>
#include <memory>
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
std::unique_ptr<TFont> CreateSpecFont(std::string_view spec);

// Forms opened on demand read their layout and run their create event, as the main form does
// when the application creates it.
template <class T> std::unique_ptr<T> NewForm(TComponent* owner) {
    auto form = std::make_unique<T>(owner);
    ReadFormLayout(*form);
    if (form->OnCreate) form->OnCreate(form.get());
    return form;
}

} // namespace kv::app

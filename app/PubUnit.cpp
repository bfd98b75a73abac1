#include "app/PubUnit.h"

#include "app/logic/Paths.h"

namespace kv::app {

uint8_t InterfaceLanguage = 0;
std::string AppDir;

namespace {
std::string& DirectoryOverride() {
    static std::string directory;
    return directory;
}

void SendFont(TWinControl& control, HFONT font) {
    SendMessageW(control.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (int i = 0; i < control.ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(control.Controls(i))) SendFont(*child, font);
}
} // namespace

std::string ProgramDirectory() {
    if (!DirectoryOverride().empty()) return DirectoryOverride();
    return DirectoryOf(ProgramPath(), IsAnsiLeadByte);
}

void SetProgramDirectoryForTests(std::string directory) {
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    DirectoryOverride() = std::move(directory);
}

std::unique_ptr<TFont> CreateSpecFont(std::string_view spec) {
    FontSpec parsed = ParseFontSpec(spec);
    auto font = std::make_unique<TFont>();
    font->SetName(parsed.name);
    // The spec's charset 1 is the framework's "default charset".
    font->SetCharset(uint8_t(parsed.charset == 1 ? DEFAULT_CHARSET : parsed.charset));
    font->SetSize(parsed.size);
    font->SetStyle(parsed.styles);
    font->SetColor(parsed.colour);
    return font;
}

void UseFont(TWinControl& root, TFont& font) {
    SendFont(root, font.Handle());
}

} // namespace kv::app

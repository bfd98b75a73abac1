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
    font->SetCharset(uint8_t(parsed.charset)); // 1 is DEFAULT_CHARSET
    font->SetSize(parsed.size);
    font->SetStyle(parsed.styles);
    font->SetColor(parsed.colour);
    return font;
}

} // namespace kv::app

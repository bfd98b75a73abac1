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

Font CreateSpecFont(std::string_view spec) {
    return MakeFont(ParseFontSpec(spec));
}

COLORREF ResolveColour(uint32_t colour) {
    if ((colour & 0xFF000000u) == 0xFF000000u) return GetSysColor(int(colour & 0xFF));
    return COLORREF(colour & 0x00FFFFFFu);
}

COLORREF SpecColour(std::string_view spec) {
    return ResolveColour(ParseFontSpec(spec).colour);
}

} // namespace kv::app

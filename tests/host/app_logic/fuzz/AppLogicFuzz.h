#pragma once
// The bodies of the viewer's fuzz targets (action lists, the settings value, font specs),
// shared by the libFuzzer programs and the corpus replay test. Each aborts on a broken promise.
#include "app/logic/ActionList.h"
#include "app/logic/FontSpec.h"
#include "app/logic/Numbers.h"
#include "app/logic/Settings.h"

#include <cstdlib>
#include <span>
#include <string_view>

namespace kv::app::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

inline std::string_view Text(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Any bytes as an action list file: the table has a name and a description per line, the
// file written from its lines reads back the same lines, and the editor's lines split back
// into the same table.
inline void ReadActionList(std::span<const uint8_t> bytes) {
    const Lines lines = SplitLines(Text(bytes));
    const ActionTable table = TableFromLines(lines);
    Check(table.names.size() == lines.size() && table.descriptions.size() == lines.size());
    Check(SplitLines(JoinLines(lines)) == lines);
    const Lines editor = EditorLinesFromTable(table.names, table.descriptions);
    const ActionTable again = TableFromLines(editor);
    Check(again.names == table.names && again.descriptions == table.descriptions);
    for (size_t i = 0; i < lines.size(); ++i) {
        const ActionPair pair = SplitPair(MakeEntry(table.names[i], table.descriptions[i]));
        Check(pair.name == TrimBlanks(table.names[i]));
        ValidateInput(uint8_t(i % 3), table.names[i], table.descriptions[i]);
    }
}

// Any bytes as the settings file's LanguageID value: start-up always picks a language item
// it has, and a picked item writes back the language it stands for.
inline void ReadSettingsValue(std::span<const uint8_t> bytes) {
    const int id = ReadLanguageId(Text(bytes));
    const LanguageChoice choice = ResolveLanguageId(id);
    Check(choice.menuTag >= 1 && choice.menuTag <= 3);
    if (choice.apply) {
        const auto written = LanguageForTag(choice.menuTag);
        Check(written && *written == choice.interfaceLanguage);
    }
    if (const auto parsed = ParseInteger(Text(bytes))) Check(ReadLanguageId(Text(bytes)) == *parsed);
}

// Any bytes as a font spec: it reads or throws FontSpecError, nothing else, and what reads
// holds only the four style bits.
inline void ReadFontSpec(std::span<const uint8_t> bytes) {
    try {
        const FontSpec spec = ParseFontSpec(Text(bytes));
        Check((spec.styles & ~0x0F) == 0);
    } catch (const FontSpecError&) {
    }
    (void)ParseColour(Text(bytes));
}

} // namespace kv::app::fuzz

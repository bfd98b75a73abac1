#pragma once
// The bodies of the framework's text fuzz targets (layouts, string lists, shortcut texts),
// shared by the libFuzzer programs and the corpus replay test. Each aborts on a broken promise.
#include "tests/host/ui_classes/TestClasses.h"
#include "ui/classes/Exception.h"
#include "ui/classes/LayoutReader.h"
#include "ui/classes/ShortCutText.h"
#include "ui/classes/Strings.h"

#include <cstdlib>
#include <span>
#include <string_view>

namespace ui_fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

inline std::string_view Text(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Any bytes as a layout of the sample classes: it reads or throws ELayoutError, and any other
// exception escapes (and fails the run).
inline void ReadAnyLayout(std::span<const uint8_t> bytes) {
    static const bool registered = [] {
        RegisterComponentClass<TSample>();
        RegisterComponentClass<TPlain>();
        return true;
    }();
    (void)registered;
    LoadedLog().clear();
    TSampleRoot root(nullptr);
    root.PublishMethod("Pinged", TNotifyEvent([](TObject*) {}));
    const TLayoutResourceFinder resources = [](std::string_view name) {
        return name == "SKIN" ? std::optional(std::vector<uint8_t>{2, 0, 0, 0, 7, 8}) : std::nullopt;
    };
    try {
        ReadLayout(root, Text(bytes), resources);
    } catch (const ELayoutError&) {
    }
}

// Any bytes as string-list text: the lines are those SplitLines finds, Text() reads back to
// the same lines, and a sorted list holds them in order.
inline void ReadAnyStrings(std::span<const uint8_t> bytes) {
    TStringList list;
    list.SetText(Text(bytes));
    const std::vector<std::string> lines = TStrings::SplitLines(Text(bytes));
    Check(list.Count() == int(lines.size()));
    TStringList again;
    again.SetText(list.Text());
    Check(again.Count() == list.Count());
    for (int i = 0; i < list.Count(); ++i) Check(again[i] == list[i] && list[i] == lines[size_t(i)]);
    TStringList sorted;
    sorted.SetDuplicates(TDuplicates::dupAccept);
    sorted.SetSorted(true);
    if (lines.size() <= 512) sorted.SetText(Text(bytes)); // inserting sorted is quadratic
    for (int i = 1; i < sorted.Count(); ++i) Check(CompareText(sorted[i - 1], sorted[i]) <= 0);
    for (int i = 0; i < list.Count() && i < 8; ++i) {
        const std::string name = list.Names(i);
        if (!name.empty()) Check(list.IndexOfName(name) <= i);
        (void)list.Values(name);
    }
    (void)list.CommaText();
}

// The keyboard layout of a US keyboard, for the keys without a name of their own.
inline unsigned UsLayoutChar(uint16_t key) {
    switch (key) {
    case 0x6A: return '*';
    case 0x6B: return '+';
    case 0x6D: return '-';
    case 0x6E: return '.';
    case 0x6F: return '/';
    case 0xBA: return ';';
    case 0xBB: return '=';
    case 0xBC: return ',';
    case 0xBD: return '-';
    case 0xBE: return '.';
    case 0xBF: return '/';
    case 0xC0: return '`';
    case 0xDB: return '[';
    case 0xDC: return '\\';
    case 0xDD: return ']';
    case 0xDE: return '\'';
    default: return 0;
    }
}

// Any bytes as a shortcut text: what it reads writes back to a text that reads the same; the
// first two bytes as a shortcut number write a text that reads back to a shortcut of the same
// text.
inline void ReadAnyShortCut(std::span<const uint8_t> bytes) {
    const uint16_t read = ShortCutOfText(Text(bytes), UsLayoutChar);
    if (read) Check(ShortCutOfText(ShortCutTextOf(read, UsLayoutChar), UsLayoutChar) == read);
    if (bytes.size() < 2) return;
    const uint16_t number = uint16_t(bytes[0] | bytes[1] << 8) & 0xE0FF;
    const std::string text = ShortCutTextOf(number, UsLayoutChar);
    if (text.empty()) return;
    const uint16_t back = ShortCutOfText(text, UsLayoutChar);
    Check(back != 0 && ShortCutTextOf(back, UsLayoutChar) == text);
}

} // namespace ui_fuzz

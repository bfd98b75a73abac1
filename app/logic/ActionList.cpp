#include "app/logic/ActionList.h"

#include "app/logic/Texts.h"

namespace kv::app {

Lines SplitLines(std::string_view bytes) {
    Lines lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(pos));
            break;
        }
        lines.emplace_back(bytes.substr(pos, end - pos));
        // CR LF is one line end; a CR or an LF alone is one too.
        pos = end + 1;
        if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return lines;
}

std::string JoinLines(const Lines& lines) {
    std::string bytes;
    size_t total = 0;
    for (const auto& line : lines) total += line.size() + 2;
    bytes.reserve(total);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

ActionPair SplitPair(std::string_view line) {
    size_t semicolon = line.find(';');
    if (semicolon == std::string_view::npos) return {std::string(), std::string(line)};
    return {std::string(line.substr(0, semicolon)), std::string(line.substr(semicolon + 1))};
}

ActionTable TableFromLines(const Lines& lines) {
    ActionTable table;
    table.names.reserve(lines.size());
    table.descriptions.reserve(lines.size());
    for (const auto& line : lines) {
        ActionPair pair = SplitPair(line);
        table.names.push_back(std::move(pair.name));
        table.descriptions.push_back(std::move(pair.description));
    }
    return table;
}

Lines EditorLinesFromTable(const Lines& names, const Lines& shown) {
    Lines lines;
    size_t count = names.size() < shown.size() ? names.size() : shown.size();
    lines.reserve(count);
    for (size_t i = 0; i < count; ++i) lines.push_back(names[i] + ";" + shown[i]);
    return lines;
}

std::string TrimBlanks(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return std::string(text.substr(first, last - first));
}

InputCheck ValidateInput(uint8_t interfaceLanguage, std::string_view name,
                         std::string_view description) {
    InputCheck check;
    bool hasName = !TrimBlanks(name).empty();
    bool hasDescription = !TrimBlanks(description).empty();
    if (interfaceLanguage == kEnglish) {
        check.valid = hasName;
        check.descriptionDefaulted = hasName && !hasDescription;
    } else {
        check.valid = hasName && hasDescription;
    }
    return check;
}

std::string MakeEntry(std::string_view name, std::string_view description) {
    return TrimBlanks(name) + ";" + TrimBlanks(description);
}

} // namespace kv::app

#include "skin/data/IniFile.h"

#include <algorithm>
#include <cstdint>

namespace kv {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// 64-bit FNV-1a over the lower-cased bytes (cut to size_t by the callers on 32-bit builds).
uint64_t FoldedHashOf(std::string_view text, uint64_t hash = 14695981039346656037ull) {
    for (char c : text) hash = (hash ^ uint8_t(LowerAscii(c))) * 1099511628211ull;
    return hash;
}

} // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

bool ParseStrictInt(std::string_view text, int32_t& out) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > int64_t(INT32_MAX) + 1) return false; // stop before int64 could overflow
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    out = int32_t(value);
    return true;
}

TIniFile::TIniFile(std::string_view text) : text_(text) {
    Parse();
}

void TIniFile::Parse() {
    std::string_view rest(text_);
    while (!rest.empty()) {
        size_t end = rest.find_first_of("\r\n");
        std::string_view line = rest.substr(0, end);
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
            rest.remove_prefix(end + (crlf ? 2 : 1));
        }
        AddLine(TrimBlanks(line));
        if (sections_.size() > kIniMaxSections || keys_.size() > kIniMaxKeys) break;
    }
    if (sections_.size() > kIniMaxSections) {
        sections_.pop_back();
        sectionNames_.pop_back();
    }
    if (keys_.size() > kIniMaxKeys) {
        keys_.pop_back();
        sections_.back().keyCount--;
    }
    Index();
}

void TIniFile::Index() {
    firstSection_.reserve(sectionNames_.size());
    for (size_t i = 0; i < sectionNames_.size(); ++i) {
        if (!firstSection_.emplace(sectionNames_[i], i).second) continue; // a later duplicate
        const Section& s = sections_[i];
        for (size_t k = s.firstKey; k < s.firstKey + s.keyCount; ++k)
            firstValue_.emplace(KeyRef{sectionNames_[i], keys_[k].name}, keys_[k].value);
    }
}

size_t TIniFile::FoldedHash::operator()(std::string_view name) const {
    return static_cast<size_t>(FoldedHashOf(name));
}

size_t TIniFile::FoldedHash::operator()(const KeyRef& ref) const {
    // The '\n' between the names cannot occur in either (lines end there).
    return static_cast<size_t>(FoldedHashOf(ref.key, FoldedHashOf("\n", FoldedHashOf(ref.section))));
}

bool TIniFile::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
    return EqualsNoCase(a, b);
}

bool TIniFile::FoldedEqual::operator()(const KeyRef& a, const KeyRef& b) const {
    return EqualsNoCase(a.section, b.section) && EqualsNoCase(a.key, b.key);
}

void TIniFile::AddLine(std::string_view line) {
    if (line.empty()) return;
    if (line.front() == '[') {
        std::string_view name = line.substr(1);
        name = TrimBlanks(name.substr(0, name.find(']')));
        sectionNames_.push_back(name);
        sections_.push_back({keys_.size(), 0});
        return;
    }
    if (sections_.empty() || line.front() == ';') return;
    const size_t eq = line.find('=');
    Key key;
    key.name = TrimBlanks(line.substr(0, eq));
    if (eq != std::string_view::npos) key.value = TrimBlanks(line.substr(eq + 1));
    keys_.push_back(key);
    sections_.back().keyCount++;
}

bool TIniFile::SectionExists(std::string_view section) const {
    return firstSection_.count(section) != 0;
}

const std::string_view* TIniFile::Find(std::string_view section, std::string_view key) const {
    auto it = firstValue_.find(KeyRef{section, key});
    return it == firstValue_.end() ? nullptr : &it->second;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const {
    const std::string_view* value = Find(section, key);
    return std::string(value ? *value : def);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    const std::string_view* value = Find(section, key);
    int32_t parsed = 0;
    if (!value || !ParseStrictInt(*value, parsed)) return def;
    return std::clamp(parsed, kIniMin, kIniMax);
}

} // namespace kv

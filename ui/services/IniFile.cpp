#include "ui/services/IniFile.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <climits>

namespace {

// Ini values longer than this are not ours; reading stops growing the buffer there.
constexpr DWORD kMaxIniValue = 1 << 20;

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

bool ParseIniInteger(const std::string& raw, int& value) {
    std::string text = Trimmed(raw);
    if (text.empty()) return false;
    size_t pos = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        pos = 1;
    }
    int base = 10;
    if (text.compare(pos, 1, "$") == 0) {
        base = 16;
        pos += 1;
    } else if (text.compare(pos, 2, "0x") == 0 || text.compare(pos, 2, "0X") == 0) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) return false;
    long long result = 0;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        int digit = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : 99;
        if (digit >= base) return false;
        result = result * base + digit;
        if (result > (long long)INT_MAX + 1) return false;
    }
    if (negative) result = -result;
    if (result > INT_MAX || result < INT_MIN) return false;
    value = int(result);
    return true;
}

// GetPrivateProfileString truncates silently: size - 1 (size - 2 for lists) returned means
// the buffer was too small.
std::vector<char> TIniFile::ReadRaw(const char* section, const char* key, const char* def) const {
    DWORD size = 256;
    std::vector<char> buffer;
    for (;;) {
        buffer.assign(size, 0);
        DWORD n =
            GetPrivateProfileStringA(section, key, def, buffer.data(), size, fileName_.c_str());
        bool list = !section || !key;
        if (n < size - (list ? 2 : 1) || size >= kMaxIniValue) {
            buffer.resize(std::min<DWORD>(n, size - 1) + (list ? 1 : 0));
            return buffer;
        }
        size *= 4;
    }
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    std::vector<char> raw = ReadRaw(section.c_str(), key.c_str(), defaultValue.c_str());
    return std::string(raw.begin(), raw.end());
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key,
                          int defaultValue) const {
    int value = defaultValue;
    if (!ParseIniInteger(ReadString(section, key, ""), value)) return defaultValue;
    return value;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    for (const std::string& name : ReadSection(section))
        if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, name.c_str(), -1, key.c_str(),
                           -1) == CSTR_EQUAL)
            return true;
    return false;
}

bool TIniFile::SectionExists(const std::string& section) const {
    return !ReadSection(section).empty();
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
    std::vector<char> raw = ReadRaw(section.c_str(), nullptr, "");
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != 0) continue;
        if (i > start) names.emplace_back(raw.data() + start, i - start);
        start = i + 1;
    }
    return names;
}

void TIniFile::Write(const char* section, const char* key, const char* value) {
    if (!WritePrivateProfileStringA(section, key, value, fileName_.c_str())) {
        DWORD error = GetLastError();
        throw EIniFileException("Unable to write to " + fileName_ + " (error " +
                                std::to_string(error) + ")");
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    Write(section.c_str(), key.c_str(), value.c_str());
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    // Deleting a key of a missing file reports failure on some systems: nothing to delete.
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, fileName_.c_str());
}

void TIniFile::EraseSection(const std::string& section) {
    WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
}

#pragma once
// TIniFile: a read-only ini text held in memory, read with the Windows profile rules.
//
// Contract
// - The constructor copies the text; it never fails. Lines end at CR, LF or CR LF; any byte
//   (NUL, high bytes, binary junk) is ordinary text. A line whose first non-blank character is
//   "[" opens a section named by what lies up to the next "]" (or the end of the line), trimmed.
//   Inside a section, a line starting with ";" is a comment; "key=value" gives a key (both
//   trimmed of blanks and tabs, split at the first "="); a line without "=" is a key with an
//   empty value. Lines before the first section are ignored.
// - Names compare without regard to ASCII case. Look-ups take the first section of a name and
//   the first key of a name within it, as the profile functions do.
// - SectionNames() lists every section header in file order, duplicates included.
// - ReadString gives the value or `def` when the key is absent. ReadInteger accepts only an
//   optional sign followed by decimal digits over the whole value; an absent, empty, malformed
//   or 32-bit-overflowing value gives `def`, and a valid one is clamped to kIniMin..kIniMax, so
//   no skin number can later overflow the geometry it feeds.
// - Hostile texts are bounded: past kIniMaxSections sections or kIniMaxKeys keys the rest of
//   the text is ignored.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kv {

inline constexpr int32_t kIniMin = -32768;
inline constexpr int32_t kIniMax = 32767;
// Real skin definitions have a few dozen sections and a few hundred keys.
inline constexpr size_t kIniMaxSections = 65536;
inline constexpr size_t kIniMaxKeys = 262144;

class TIniFile {
public:
    explicit TIniFile(std::string_view text);
    TIniFile(const TIniFile&) = delete; // entries point into text_
    TIniFile& operator=(const TIniFile&) = delete;

    const std::vector<std::string_view>& SectionNames() const { return sectionNames_; }
    bool SectionExists(std::string_view section) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def = {}) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;

private:
    struct Key {
        std::string_view name;
        std::string_view value;
    };
    struct Section {
        size_t firstKey = 0;
        size_t keyCount = 0;
    };

    // A section's name and a key's name, compared and hashed without regard to ASCII case.
    struct KeyRef {
        std::string_view section;
        std::string_view key;
    };
    struct FoldedHash {
        size_t operator()(std::string_view name) const;
        size_t operator()(const KeyRef& ref) const;
    };
    struct FoldedEqual {
        bool operator()(std::string_view a, std::string_view b) const;
        bool operator()(const KeyRef& a, const KeyRef& b) const;
    };

    void Parse();
    void AddLine(std::string_view line);
    void Index();
    const std::string_view* Find(std::string_view section, std::string_view key) const;

    std::string text_;
    std::vector<std::string_view> sectionNames_;
    std::vector<Section> sections_;
    std::vector<Key> keys_;
    // Both indexes keep the first of duplicates and refer into text_, so a look-up neither
    // scans a section nor allocates: hostile texts with huge or repeated sections stay linear.
    std::unordered_map<std::string_view, size_t, FoldedHash, FoldedEqual> firstSection_;
    std::unordered_map<KeyRef, std::string_view, FoldedHash, FoldedEqual> firstValue_;
};

// Whole-value decimal integer: optional sign, then digits only. False for anything else or a
// value outside int32_t.
bool ParseStrictInt(std::string_view text, int32_t& out);
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string_view TrimBlanks(std::string_view text);
std::string UpperAscii(std::string_view text);

} // namespace kv

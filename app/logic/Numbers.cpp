#include "app/logic/Numbers.h"

namespace kv::app {
namespace {

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

} // namespace

std::optional<int32_t> ParseInteger(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (text.size() - pos >= 2 && text[pos] == '0' && (text[pos + 1] | 0x20) == 'x') {
        base = 16;
        pos += 2;
    }
    if (pos == text.size()) return std::nullopt;
    // Hexadecimal text may spell the full 32-bit pattern (for colours such as $FF000008).
    const int64_t limit =
        base == 16 ? int64_t(UINT32_MAX) : int64_t(INT32_MAX) + (negative ? 1 : 0);
    int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        int digit = DigitValue(text[pos], base);
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > limit) return std::nullopt;
    }
    if (negative) value = -value;
    return int32_t(uint32_t(uint64_t(value)));
}

} // namespace kv::app

#include "agent/player/logic/WordPace.h"

#include <algorithm>

namespace kv::agent::player {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0x3000;
}

// Scripts written without blanks between words: each character stands alone.
bool StandsAlone(wchar_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

bool EndsSentence(wchar_t c) {
    return c == L'.' || c == L'!' || c == L'?' || c == L',' || c == L';' || c == L':' ||
           c == 0x3002 || c == 0xFF01 || c == 0xFF1F || c == 0xFF0C || c == 0x3001;
}

} // namespace

std::vector<size_t> WordEnds(std::wstring_view text) {
    std::vector<size_t> ends;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsBlank(text[i])) continue;
        bool last = i + 1 == text.size();
        if (last || StandsAlone(text[i]) || IsBlank(text[i + 1]) || StandsAlone(text[i + 1]))
            ends.push_back(i + 1);
    }
    return ends;
}

double WordPaceMs(std::wstring_view word) {
    double ms = kWordBaseMs + kWordPerCharMs * static_cast<double>(word.size());
    ms = std::clamp(ms, kMinWordMs, kMaxWordMs);
    if (!word.empty() && EndsSentence(word.back())) ms += kSentencePauseMs;
    return ms;
}

} // namespace kv::agent::player

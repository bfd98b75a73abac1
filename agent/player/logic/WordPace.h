#pragma once
// Word pacing of the speech balloon: where the words of a text end and how long each stays
// alone before the next one joins it.
//
// Contract
// - WordEnds(text) gives, in order, the index just past each word: a word is a run of
//   characters without blanks (space, tab, CR, LF, ideographic space), except that every
//   CJK ideograph, kana or full-width sign is a word of its own (those scripts put no blanks
//   between words). A text of blanks has no words.
// - WordPaceMs(word) is how long a reader needs for `word` (the characters of one word, its
//   punctuation included): a base time plus a time per character, clamped, plus a pause after
//   a sentence or clause ends. Always within [kMinWordMs, kMaxWordMs + kSentencePauseMs].
#include <cstddef>
#include <string_view>
#include <vector>

namespace kv::agent::player {

// About 200 words a minute for words of five letters, a comfortable reading pace for text
// that appears word by word; long words get longer, none flashes by or drags.
inline constexpr double kWordBaseMs = 150;
inline constexpr double kWordPerCharMs = 25;
inline constexpr double kMinWordMs = 180;
inline constexpr double kMaxWordMs = 600;
inline constexpr double kSentencePauseMs = 250;

std::vector<size_t> WordEnds(std::wstring_view text);
double WordPaceMs(std::wstring_view word);

} // namespace kv::agent::player

#pragma once
// Seeded inputs that look like what the decoder meets in the field, for its benchmark, the
// whole-process comparison with the classic decoder and the tests that check both agree:
// - a skin package of 24-bit BMPs with gradients and sensor-like noise (about 409 KB, packs
//   to about 111 KB; real skins are photographs and rendered bevels, not flat artwork),
// - a long run of such image data (about 8 MB),
// - English-like text drawn from a word list (about 600 KB).
#include "tests/host/skin_stream/SkinStreamData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kv::benchdata {

using testdata::NextRandom;
using testdata::PutLe;
using testdata::PutBmp24Header;

// A bottom-up 24-bit BMP: per channel a steep vertical and a gentle horizontal gradient; one
// channel value in `sparsity` gets noise of up to `noise` steps (noise 0 leaves it clean).
inline std::vector<uint8_t> NoisyBmp(int w, int h, uint32_t seed, unsigned noise,
                                     unsigned sparsity = 18) {
    uint32_t stride = uint32_t(w * 3 + 3) & ~3u;
    std::vector<uint8_t> out;
    out.reserve(54 + stride * uint32_t(h));
    PutBmp24Header(out, w, h, stride);
    uint32_t s = seed | 1;
    int base[3] = {int(seed * 37 % 160), int(seed * 71 % 160), int(seed * 13 % 160)};
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            for (int ch = 0; ch < 3; ch++) {
                int v = base[ch] + (x * 10) / (w + 1) + (y * (3 - ch) * 30) / (h + 1);
                if (noise && NextRandom(s) % sparsity == 0) v += int(NextRandom(s) % (noise + 1));
                out.push_back(uint8_t(v > 255 ? 255 : v));
            }
        }
        for (uint32_t p = uint32_t(w) * 3; p < stride; p++) out.push_back(0);
    }
    return out;
}

// 33 images and a definition: about 409 KB, packing to about 111 KB.
inline std::vector<SkinEntry> NoisySkinEntries() {
    std::vector<SkinEntry> entries;
    for (int i = 0; i < 33; i++) {
        std::string name = i < 3 ? "button.bmp" : "image" + std::to_string(i) + ".bmp";
        int w = 58 + (i * 37) % 110, h = 22 + (i * 13) % 52;
        unsigned noise = i % 4 == 0 ? 0 : 3; // a few clean bevels among noisy pictures
        entries.push_back({name, NoisyBmp(w, h, uint32_t(i < 3 ? 1 : i), noise)});
    }
    std::string ini = testdata::SkinLikeIni(33);
    entries.push_back({"skin.ini", std::vector<uint8_t>(ini.begin(), ini.end())});
    return entries;
}

// Many more pictures of the same kind back to back, `bytes` long.
inline std::vector<uint8_t> NoisyImageData(size_t bytes) {
    std::vector<uint8_t> out;
    out.reserve(bytes);
    for (uint32_t seed = 1; out.size() < bytes; seed++) {
        int w = 58 + int(seed * 37 % 110), h = 22 + int(seed * 13 % 52);
        std::vector<uint8_t> bmp = NoisyBmp(w, h, seed, 3);
        out.insert(out.end(), bmp.begin(), bmp.end());
    }
    out.resize(bytes);
    return out;
}

// Sentences of common English words (frequent words drawn more often), commas, capitals and
// lines of at most 72 characters, `bytes` long.
inline std::string EnglishLikeText(size_t bytes, uint32_t seed = 1988) {
    static const char* const kWords[] = {
        "the",       "of",      "and",       "to",     "a",         "in",       "is",
        "it",        "that",    "was",       "for",    "on",        "are",      "as",
        "with",      "his",     "they",      "at",     "be",        "this",     "from",
        "have",      "or",      "by",        "one",    "had",       "not",      "but",
        "what",      "all",     "were",      "when",   "we",        "there",    "can",
        "an",        "your",    "which",     "their",  "said",      "if",       "do",
        "will",      "each",    "about",     "how",    "up",        "out",      "them",
        "then",      "she",     "many",      "some",   "so",        "these",    "would",
        "other",     "into",    "has",       "more",   "her",       "two",      "like",
        "him",       "see",     "time",      "could",  "no",        "make",     "than",
        "first",     "been",    "its",       "who",    "now",       "people",   "my",
        "made",      "over",    "did",       "down",   "only",      "way",      "find",
        "use",       "may",     "water",     "long",   "little",    "very",     "after",
        "words",     "called",  "just",      "where",  "most",      "know",     "get",
        "through",   "back",    "much",      "before", "go",        "good",     "new",
        "write",     "our",     "used",      "me",     "man",       "too",      "any",
        "day",       "same",    "right",     "look",   "think",     "also",     "around",
        "another",   "came",    "come",      "work",   "three",     "word",     "must",
        "because",   "does",    "part",      "even",   "place",     "well",     "such",
        "here",      "take",    "why",       "things", "help",      "put",      "years",
        "different", "away",    "again",     "off",    "went",      "old",      "number",
        "great",     "tell",    "men",       "say",    "small",     "every",    "found",
        "still",     "between", "name",      "should", "home",      "big",      "give",
        "air",       "line",    "set",       "own",    "under",     "read",     "last",
        "never",     "us",      "left",      "end",    "along",     "while",    "might",
        "next",      "sound",   "below",     "saw",    "something", "thought",  "both",
        "few",       "those",   "always",    "looked", "show",      "large",    "often",
        "together",  "asked",   "house",     "world",  "going",     "want",     "school",
        "important", "until",   "form",      "food",   "keep",      "children", "feet",
        "land",      "side",    "without",   "boy",    "once",      "animals",  "life",
        "enough",    "took",    "sometimes", "four",   "head",      "above",    "kind",
        "began",     "almost",  "live",      "page",   "got",       "earth",    "need",
        "far",       "hand",    "high",      "year",   "mother",    "light",    "parts",
        "country",   "father",  "let",       "night",  "following", "picture",  "being",
        "study",     "second",  "eyes",      "soon",   "times",     "story",    "boys",
        "since",     "white",   "days",      "ever",   "paper",     "hard",     "near",
        "sentence",  "better",  "best",      "across", "during",    "today",    "others",
        "however",   "sure",    "means",     "knew",   "window",    "skin",     "button",
        "border",    "colour",  "frame",     "menu",   "caption"};
    constexpr uint32_t kCount = sizeof(kWords) / sizeof(kWords[0]);
    std::string text;
    text.reserve(bytes + 80);
    uint32_t s = seed | 1;
    size_t lineStart = 0;
    bool sentenceStart = true;
    while (text.size() < bytes) {
        // The product of two uniform draws favours small indexes: a rough Zipf curve.
        uint32_t a = NextRandom(s) % kCount, b = NextRandom(s) % kCount;
        std::string word = kWords[a * b / kCount];
        if (sentenceStart) word[0] = char(word[0] - 'a' + 'A');
        sentenceStart = false;
        uint32_t punct = NextRandom(s) % 16;
        if (punct == 0) word += ".", sentenceStart = true;
        if (punct == 1) word += ",";
        if (text.size() - lineStart + word.size() + 1 > 72) {
            text += "\r\n";
            lineStart = text.size();
            if (sentenceStart && NextRandom(s) % 4 == 0) text += "\r\n", lineStart = text.size();
        } else if (text.size() > lineStart) {
            text += ' ';
        }
        text += word;
    }
    text.resize(bytes);
    return text;
}

} // namespace kv::benchdata

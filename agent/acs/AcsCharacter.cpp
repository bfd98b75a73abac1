#include "agent/acs/AcsCharacter.h"

namespace kv {
namespace {

char16_t FoldUpper(char16_t c) {
    if (c >= u'a' && c <= u'z') return char16_t(c - 32);
    // Latin-1 lower-case letters, except the division sign and y with diaeresis.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return char16_t(c - 32);
    return c;
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, uint32_t cp) {
    if (cp < 0x10000) {
        out += char16_t(cp);
        return;
    }
    cp -= 0x10000;
    out += char16_t(0xD800 + (cp >> 10));
    out += char16_t(0xDC00 + (cp & 0x3FF));
}

// Length of a UTF-8 sequence from its lead byte; 0 for a byte that cannot start one.
int Utf8Length(uint8_t lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Decodes one sequence at s[i]; returns the code point, or 0xFFFD and a length of 1 when the
// sequence is malformed, overlong, a surrogate or above U+10FFFF.
uint32_t DecodeUtf8(std::string_view s, size_t i, size_t& length) {
    const uint8_t lead = uint8_t(s[i]);
    const int n = Utf8Length(lead);
    length = 1;
    if (n == 0 || size_t(n) > s.size() - i) return 0xFFFD;
    if (n == 1) return lead;
    uint32_t cp = lead & (0x7F >> n);
    for (int k = 1; k < n; ++k) {
        const uint8_t b = uint8_t(s[i + size_t(k)]);
        if ((b & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (b & 0x3F);
    }
    static const uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    length = size_t(n);
    return cp;
}

std::string CheckFrame(const AcsCharacter& c, const AcsFrame& f, size_t frameCount) {
    for (const auto& fi : f.images)
        if (fi.image >= c.images.size()) return "image index out of range";
    if (f.sound != kAcsNoSound && f.sound >= c.sounds.size()) return "sound index out of range";
    if (f.exitFrame < kAcsExitEnds || (f.exitFrame >= 0 && size_t(f.exitFrame) >= frameCount))
        return "exit frame out of range";
    if (f.branches.size() > 255 || f.overlays.size() > 255) return "too many branches or overlays";
    unsigned total = 0;
    for (const auto& b : f.branches) {
        if (b.frame >= frameCount) return "branch target out of range";
        total += b.probability;
    }
    if (total > 100) return "branch probabilities above 100";
    for (const auto& o : f.overlays) {
        if (o.image >= c.images.size()) return "overlay image out of range";
        if (uint8_t(o.mouth) > uint8_t(AcsMouth::Narrow)) return "unknown mouth shape";
    }
    return {};
}

std::string CheckImage(const AcsImage& img) {
    if (img.Empty()) return {};
    if (!img.compressed && img.pixels.size() < AcsStride(img.width) * img.height)
        return "stored pixel data shorter than the image";
    if (!img.regionCompressed && img.region.size() < img.regionSize)
        return "stored region data shorter than its size";
    return {};
}

} // namespace

bool AcsNamesEqual(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldUpper(a[i]) != FoldUpper(b[i])) return false;
    return true;
}

std::u16string AcsUpper(std::u16string_view s) {
    std::u16string out(s);
    for (auto& c : out) c = FoldUpper(c);
    return out;
}

std::string AcsToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::u16string AcsFromUtf8(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        size_t length = 1;
        AppendUtf16(out, DecodeUtf8(s, i, length));
        i += length;
    }
    return out;
}

const AcsAnimation* AcsCharacter::FindAnimation(std::u16string_view name) const {
    for (const auto& a : animations)
        if (AcsNamesEqual(a.name, name)) return &a;
    return nullptr;
}

const AcsAnimation* AcsCharacter::FindAnimation(std::string_view utf8Name) const {
    return FindAnimation(std::u16string_view(AcsFromUtf8(utf8Name)));
}

const AcsState* AcsCharacter::FindState(std::u16string_view name) const {
    for (const auto& s : states)
        if (AcsNamesEqual(s.name, name)) return &s;
    return nullptr;
}

const AcsLocalizedInfo* AcsCharacter::Localized(uint16_t langId) const {
    if (localized.empty()) return nullptr;
    for (const auto& l : localized)
        if (l.langId == langId) return &l;
    for (const auto& l : localized)
        if ((l.langId & 0x3FF) == (langId & 0x3FF)) return &l;
    for (const auto& l : localized)
        if ((l.langId & 0x3FF) == 0x09) return &l;
    return &localized.front();
}

uint32_t AcsFlagsOfBlocks(const AcsCharacter& c) {
    uint32_t flags = c.flags & ~(kAcsFlagVoiceDisabled | kAcsFlagVoiceEnabled |
                                 kAcsFlagBalloonDisabled | kAcsFlagBalloonEnabled);
    flags |= c.voice ? kAcsFlagVoiceEnabled : kAcsFlagVoiceDisabled;
    flags |= c.balloon ? kAcsFlagBalloonEnabled : kAcsFlagBalloonDisabled;
    return flags;
}

std::string AcsValidate(const AcsCharacter& c) {
    if (c.palette.size() > 256) return "palette has more than 256 colours";
    for (size_t i = 0; i < c.images.size(); ++i) {
        std::string why = CheckImage(c.images[i]);
        if (!why.empty()) return "image " + std::to_string(i) + ": " + why;
    }
    for (const auto& a : c.animations) {
        if (a.frames.size() > 0xFFFF) return "animation " + AcsToUtf8(a.name) + ": too many frames";
        for (size_t i = 0; i < a.frames.size(); ++i) {
            std::string why = CheckFrame(c, a.frames[i], a.frames.size());
            if (!why.empty())
                return "animation " + AcsToUtf8(a.name) + " frame " + std::to_string(i) + ": " +
                       why;
        }
    }
    return {};
}

} // namespace kv

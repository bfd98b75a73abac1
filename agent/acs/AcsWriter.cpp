#include "agent/acs/AcsWriter.h"

#include "agent/acs/AcsReader.h"

#include <fstream>

namespace kv {
namespace {

struct Locator {
    uint32_t offset = 0;
    uint32_t size = 0;
};

class Out {
public:
    explicit Out(std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    size_t Pos() const { return bytes_.size(); }
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v) { Le(v, 2); }
    void U32(uint32_t v) { Le(v, 4); }
    void I16(int16_t v) { U16(uint16_t(v)); }
    void I32(int32_t v) { U32(uint32_t(v)); }
    void Bytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void Block(const std::vector<uint8_t>& b) {
        U32(uint32_t(b.size()));
        Bytes(b);
    }
    void String(std::u16string_view s) {
        U32(uint32_t(s.size()));
        if (s.empty()) return;
        for (char16_t c : s) U16(c);
        U16(0);
    }
    void Guid(const AcsGuid& g) {
        U32(g.data1);
        U16(g.data2);
        U16(g.data3);
        for (uint8_t b : g.data4) U8(b);
    }
    void Put(const Locator& l) {
        U32(l.offset);
        U32(l.size);
    }
    // Writes a locator over bytes already written at `at`.
    void Patch(size_t at, const Locator& l) {
        for (int i = 0; i < 4; ++i) bytes_[at + size_t(i)] = uint8_t(l.offset >> (8 * i));
        for (int i = 0; i < 4; ++i) bytes_[at + 4 + size_t(i)] = uint8_t(l.size >> (8 * i));
    }
    Locator Since(size_t start) const { return {uint32_t(start), uint32_t(Pos() - start)}; }

private:
    void Le(uint32_t v, int n) {
        for (int i = 0; i < n; ++i) bytes_.push_back(uint8_t(v >> (8 * i)));
    }
    std::vector<uint8_t>& bytes_;
};

void WriteFrame(Out& o, const AcsFrame& f) {
    o.U16(uint16_t(f.images.size()));
    for (const auto& fi : f.images) {
        o.U32(fi.image);
        o.I16(fi.x);
        o.I16(fi.y);
    }
    o.U16(f.sound);
    o.U16(f.duration);
    o.I16(f.exitFrame);
    o.U8(uint8_t(f.branches.size()));
    for (const auto& b : f.branches) {
        o.U16(b.frame);
        o.U16(b.probability);
    }
    o.U8(uint8_t(f.overlays.size()));
    for (const auto& ov : f.overlays) {
        o.U8(uint8_t(ov.mouth));
        o.U8(ov.replaceTopImage ? 1 : 0);
        o.U16(ov.image);
        o.U8(ov.unknown);
        o.U8(ov.region ? 1 : 0);
        o.I16(ov.x);
        o.I16(ov.y);
        o.U16(ov.width);
        o.U16(ov.height);
        if (ov.region) o.Block(*ov.region);
    }
}

Locator WriteAnimationBlock(Out& o, const AcsAnimation& a) {
    const size_t start = o.Pos();
    o.String(AcsUpper(a.name));
    o.U8(uint8_t(a.transition));
    o.String(a.returnAnimation);
    o.U16(uint16_t(a.frames.size()));
    for (const auto& f : a.frames) WriteFrame(o, f);
    return o.Since(start);
}

Locator WriteImageBlock(Out& o, const AcsImage& img) {
    const size_t start = o.Pos();
    if (img.Empty() && img.pixels.empty() && img.region.empty()) {
        o.U8(0); // the format's one-byte empty entry
        return o.Since(start);
    }
    o.U8(img.unknown);
    o.U16(img.width);
    o.U16(img.height);
    o.U8(img.compressed ? 1 : 0);
    o.Block(img.pixels);
    o.U32(img.regionCompressed ? uint32_t(img.region.size()) : 0);
    o.U32(img.regionSize);
    o.Bytes(img.region);
    return o.Since(start);
}

void WriteVoice(Out& o, const AcsVoiceInfo& v) {
    o.Guid(v.engine);
    o.Guid(v.mode);
    o.U32(v.speed);
    o.U16(v.pitch);
    o.U8(v.hasExtra ? 1 : 0);
    if (!v.hasExtra) return;
    o.U16(v.langId);
    o.String(v.dialect);
    o.U16(v.gender);
    o.U16(v.age);
    o.String(v.style);
}

void WriteBalloon(Out& o, const AcsBalloonInfo& b) {
    o.U8(b.lines);
    o.U8(b.charsPerLine);
    o.U32(b.textColor);
    o.U32(b.backColor);
    o.U32(b.borderColor);
    o.String(b.fontName);
    o.I32(b.fontHeight);
    o.I32(b.fontWeight);
    o.U8(b.italic ? 1 : 0);
    o.U8(b.reserved);
}

void WriteStates(Out& o, const std::vector<AcsState>& states) {
    o.U16(uint16_t(states.size()));
    for (const auto& s : states) {
        o.String(s.name);
        o.U16(uint16_t(s.animations.size()));
        for (const auto& a : s.animations) o.String(a);
    }
}

Locator WriteCharacterInfo(Out& o, const AcsCharacter& c) {
    const size_t start = o.Pos();
    o.U16(c.minorVersion);
    o.U16(c.majorVersion);
    const size_t localizedAt = o.Pos();
    o.Put({});
    o.Guid(c.guid);
    o.U16(c.width);
    o.U16(c.height);
    o.U8(c.transparentIndex);
    o.U32(AcsFlagsOfBlocks(c));
    o.U16(c.setMajorVersion);
    o.U16(c.setMinorVersion);
    if (c.voice) WriteVoice(o, *c.voice);
    if (c.balloon) WriteBalloon(o, *c.balloon);
    o.U32(uint32_t(c.palette.size()));
    for (uint32_t rgb : c.palette) o.U32(rgb & 0xFFFFFF); // blue, green, red, 0 on disk
    o.U8(c.trayIcon ? 1 : 0);
    if (c.trayIcon) {
        o.Block(c.trayIcon->mask);
        o.Block(c.trayIcon->color);
    }
    WriteStates(o, c.states);
    const size_t localizedStart = o.Pos();
    o.U16(uint16_t(c.localized.size()));
    for (const auto& l : c.localized) {
        o.U16(l.langId);
        o.String(l.name);
        o.String(l.description);
        o.String(l.extra);
    }
    o.Patch(localizedAt, o.Since(localizedStart));
    return o.Since(start);
}

std::string CheckLimits(const AcsCharacter& c) {
    if (c.animations.size() > kAcsMaxAnimations) return "too many animations";
    if (c.images.size() > kAcsMaxImages) return "too many images";
    if (c.sounds.size() > kAcsMaxSounds) return "too many sounds";
    if (c.states.size() > 0xFFFF || c.localized.size() > 0xFFFF) return "too many states";
    for (const auto& s : c.states)
        if (s.animations.size() > 0xFFFF) return "a state lists too many animations";
    for (const auto& a : c.animations)
        for (const auto& f : a.frames)
            if (f.images.size() > 0xFFFF) return "a frame has too many images";
    return {};
}

void WriteAll(Out& o, const AcsCharacter& c) {
    o.U32(kAcsSignature);
    const size_t headerLocators = o.Pos();
    for (int i = 0; i < 4; ++i) o.Put({});
    std::vector<Locator> animations, images, sounds;
    for (const auto& a : c.animations) animations.push_back(WriteAnimationBlock(o, a));
    for (const auto& img : c.images) images.push_back(WriteImageBlock(o, img));
    for (const auto& s : c.sounds) {
        const size_t start = o.Pos();
        o.Bytes(s.wave);
        sounds.push_back(o.Since(start));
    }
    size_t start = o.Pos();
    o.U32(uint32_t(c.animations.size()));
    for (size_t i = 0; i < c.animations.size(); ++i) {
        o.String(c.animations[i].name);
        o.Put(animations[i]);
    }
    o.Patch(headerLocators + 8, o.Since(start));
    start = o.Pos();
    o.U32(uint32_t(c.images.size()));
    for (size_t i = 0; i < c.images.size(); ++i) {
        o.Put(images[i]);
        o.U32(c.images[i].checksum);
    }
    o.Patch(headerLocators + 16, o.Since(start));
    start = o.Pos();
    o.U32(uint32_t(c.sounds.size()));
    for (size_t i = 0; i < c.sounds.size(); ++i) {
        o.Put(sounds[i]);
        o.U32(c.sounds[i].checksum);
    }
    o.Patch(headerLocators + 24, o.Since(start));
    o.Patch(headerLocators, WriteCharacterInfo(o, c));
}

// Bytes the file will need, in 64 bits, so that a 4 GB overflow is refused before writing.
uint64_t EstimateSize(const AcsCharacter& c) {
    uint64_t n = 4096;
    for (const auto& img : c.images) n += 32 + img.pixels.size() + img.region.size();
    for (const auto& s : c.sounds) n += 12 + s.wave.size();
    for (const auto& a : c.animations) {
        n += 32 + 4 * a.name.size() + 2 * a.returnAnimation.size();
        for (const auto& f : a.frames) {
            n += 16 + 8 * f.images.size() + 4 * f.branches.size();
            for (const auto& ov : f.overlays) n += 18 + (ov.region ? ov.region->size() : 0);
        }
    }
    return n;
}

} // namespace

bool WriteAcs(const AcsCharacter& character, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    error = AcsValidate(character);
    if (error.empty()) error = CheckLimits(character);
    if (error.empty() && EstimateSize(character) > kAcsMaxFileBytes)
        error = "the character would be larger than the file limit";
    if (!error.empty()) return false;
    Out o(out);
    WriteAll(o, character);
    return true;
}

bool WriteAcsFile(const std::filesystem::path& path, const AcsCharacter& character,
                  std::string& error) {
    std::vector<uint8_t> bytes;
    if (!WriteAcs(character, bytes, error)) return false;
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())) ||
        !f.flush()) {
        error = "the file cannot be written";
        return false;
    }
    return true;
}

} // namespace kv

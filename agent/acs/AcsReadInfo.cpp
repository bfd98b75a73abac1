// The character info block: versions, size, flags, voice, balloon, palette, tray icon, states
// and the localized list.
#include "agent/acs/AcsReadContext.h"
#include "agent/acs/AcsReader.h"

namespace kv::acsread {
namespace {

constexpr size_t kMinState = 6;
constexpr size_t kMinLocalized = 14;
constexpr size_t kMinString = 4;
constexpr size_t kMaxPalette = 256;

AcsVoiceInfo ReadVoice(ByteCursor& c) {
    AcsVoiceInfo v;
    v.engine = ReadGuid(c);
    v.mode = ReadGuid(c);
    v.speed = c.U32();
    v.pitch = c.U16();
    v.hasExtra = c.U8() != 0;
    if (!v.hasExtra) return v;
    v.langId = c.U16();
    v.dialect = ReadString(c);
    v.gender = c.U16();
    v.age = c.U16();
    v.style = ReadString(c);
    return v;
}

AcsBalloonInfo ReadBalloon(ByteCursor& c) {
    AcsBalloonInfo b;
    b.lines = c.U8();
    b.charsPerLine = c.U8();
    b.textColor = c.U32();
    b.backColor = c.U32();
    b.borderColor = c.U32();
    b.fontName = ReadString(c);
    b.fontHeight = c.I32();
    b.fontWeight = c.I32();
    b.italic = c.U8() != 0;
    b.reserved = c.U8();
    return b;
}

bool ReadPalette(Context& ctx, ByteCursor& c, AcsCharacter& out) {
    const uint32_t count = c.U32();
    if (!c.Ok()) return false;
    if (count > kMaxPalette) return ctx.Fail("the palette has more than 256 colours");
    if (!CountFits(c, count, 4)) return false;
    out.palette.resize(count);
    for (auto& colour : out.palette) {
        const uint32_t bgr0 = c.U32(); // blue, green, red, 0 on disk
        colour = bgr0 & 0xFFFFFF;
    }
    return c.Ok();
}

bool ReadTray(Context& ctx, ByteCursor& c, AcsCharacter& out) {
    if (c.U8() == 0) return c.Ok();
    AcsTrayIcon icon;
    const uint32_t maskSize = c.U32();
    if (!ctx.Charge(maskSize)) return false;
    icon.mask = ReadBytes(c, maskSize);
    const uint32_t colorSize = c.U32();
    if (!ctx.Charge(colorSize)) return false;
    icon.color = ReadBytes(c, colorSize);
    out.trayIcon = std::move(icon);
    return c.Ok();
}

bool ReadStringList(Context& ctx, ByteCursor& c, std::vector<std::u16string>& out) {
    const uint16_t count = c.U16();
    if (!CountFits(c, count, kMinString)) return false;
    if (!ctx.Charge(count * sizeof(std::u16string))) return false;
    out.resize(count);
    for (auto& s : out) {
        s = ReadString(c);
        if (!ctx.Charge(s.size() * 2)) return false;
    }
    return c.Ok();
}

bool ReadStates(Context& ctx, ByteCursor& c, AcsCharacter& out) {
    const uint16_t count = c.U16();
    if (!CountFits(c, count, kMinState)) return false;
    if (!ctx.Charge(count * sizeof(AcsState))) return false;
    out.states.resize(count);
    for (auto& state : out.states) {
        state.name = ReadString(c);
        if (!ReadStringList(ctx, c, state.animations)) return false;
    }
    return c.Ok();
}

// The fixed part and the optional blocks, with the voice block's presence given explicitly
// (files and the published description disagree on its flag bit).
bool ReadInfoBody(Context& ctx, ByteCursor& c, bool hasVoice, AcsCharacter& out,
                  Locator& localized) {
    out.minorVersion = c.U16();
    out.majorVersion = c.U16();
    localized = ReadLocator(c);
    out.guid = ReadGuid(c);
    out.width = c.U16();
    out.height = c.U16();
    out.transparentIndex = c.U8();
    out.flags = c.U32();
    out.setMajorVersion = c.U16();
    out.setMinorVersion = c.U16();
    if (hasVoice) out.voice = ReadVoice(c);
    if (out.flags & kAcsFlagBalloonEnabled) out.balloon = ReadBalloon(c);
    // A pair with neither or both bits set (damage) is kept as real files set it, from the
    // blocks actually read, so that what is read writes and reads back unchanged.
    out.flags = AcsFlagsOfBlocks(out);
    if (!ReadPalette(ctx, c, out) || !ReadTray(ctx, c, out) || !ReadStates(ctx, c, out))
        return false;
    return c.Ok();
}

bool ReadLocalized(Context& ctx, const Locator& loc, AcsCharacter& out) {
    ByteCursor c;
    if (!ctx.Block(loc, c, "the localized info")) return false;
    const uint16_t count = c.U16();
    if (!CountFits(c, count, kMinLocalized)) return ctx.Fail("the localized info is damaged");
    if (!ctx.Charge(count * sizeof(AcsLocalizedInfo))) return false;
    out.localized.resize(count);
    for (auto& l : out.localized) {
        l.langId = c.U16();
        l.name = ReadString(c);
        l.description = ReadString(c);
        l.extra = ReadString(c);
        if (!ctx.Charge(2 * (l.name.size() + l.description.size() + l.extra.size()))) return false;
    }
    return c.Ok() || ctx.Fail("the localized info is damaged");
}

// The localized list normally starts right after the state list; when its locator points into
// the character info block anywhere else, the optional blocks were misread.
bool Consistent(const Locator& info, const ByteCursor& c, const Locator& localized) {
    const uint64_t end = uint64_t(info.offset) + c.Pos();
    const bool insideInfo = localized.offset >= info.offset &&
                            uint64_t(localized.offset) < uint64_t(info.offset) + info.size;
    return !insideInfo || localized.offset == end;
}

} // namespace

bool ReadCharacterInfo(Context& ctx, const Locator& loc, AcsCharacter& out) {
    ByteCursor block;
    if (!ctx.Block(loc, block, "the character info")) return false;
    ByteCursor peek = block;
    const uint16_t minor = peek.U16();
    const uint16_t major = peek.U16();
    peek.Skip(29);
    const uint32_t flags = peek.U32();
    if (!peek.Ok()) return ctx.Fail("the character info is truncated");
    if (major != 2)
        return ctx.Fail("the character info has version " + std::to_string(major) + "." +
                        std::to_string(minor) + ", not 2.x");
    // Files mark the voice block with 0x20; the older description says 0x10. Try the files'
    // reading first and accept the other only when it gives a consistent block.
    const bool readings[2] = {(flags & kAcsFlagVoiceEnabled) != 0,
                              (flags & kAcsFlagVoiceDisabled) != 0};
    const int tries = readings[0] == readings[1] ? 1 : 2;
    for (int i = 0; i < tries; ++i) {
        ByteCursor c = block;
        AcsCharacter attempt;
        Locator localized;
        Context trial(ctx.File(), kAcsMaxModelBytes);
        if (!ReadInfoBody(trial, c, readings[i], attempt, localized)) {
            if (trial.Failed()) return ctx.Fail(trial.Error());
            continue;
        }
        if (!Consistent(loc, c, localized)) continue;
        if (attempt.width == 0 || attempt.height == 0 || attempt.width > kAcsMaxCharacterSide ||
            attempt.height > kAcsMaxCharacterSide)
            return ctx.Fail("the character size " + std::to_string(attempt.width) + "x" +
                            std::to_string(attempt.height) + " is not supported");
        if (!ctx.Charge(c.Pos())) return false;
        out = std::move(attempt);
        return ReadLocalized(ctx, localized, out);
    }
    return ctx.Fail("the character info is damaged or does not match its flags");
}

} // namespace kv::acsread

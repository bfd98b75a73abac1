// The image, audio and animation lists and the blocks they name.
#include "agent/acs/AcsImage.h"
#include "agent/acs/AcsReadContext.h"
#include "agent/acs/AcsReader.h"

#include <algorithm>

namespace kv::acsread {
namespace {

constexpr size_t kListEntry = 12;
constexpr size_t kMinFrame = 10;
constexpr size_t kFrameImage = 8;
constexpr size_t kBranch = 4;
constexpr size_t kMinOverlay = 14;
constexpr size_t kImageHeader = 6;

bool ReadImageBlock(Context& ctx, ByteCursor& c, AcsImage& img, const std::string& what) {
    if (c.Size() < kImageHeader) return true; // a one-byte entry: an empty image
    img.unknown = c.U8();
    img.width = c.U16();
    img.height = c.U16();
    img.compressed = c.U8() != 0;
    if (img.width > kAcsMaxImageSide || img.height > kAcsMaxImageSide)
        return ctx.Fail(what + " is " + std::to_string(img.width) + "x" +
                        std::to_string(img.height) + ", above the size limit");
    const uint32_t dataSize = c.U32();
    if (!c.Ok() || dataSize > c.Remaining()) return ctx.Fail(what + " runs past its block");
    const size_t needed = AcsStride(img.width) * img.height;
    if (!img.compressed && dataSize < needed)
        return ctx.Fail(what + " holds fewer pixels than its size needs");
    if (!ctx.Charge(dataSize)) return false;
    img.pixels = ReadBytes(c, dataSize);
    if (c.AtEnd()) return true; // no region stored
    const uint32_t regionCompressed = c.U32();
    img.regionSize = c.U32();
    img.regionCompressed = regionCompressed != 0;
    const size_t regionBytes = img.regionCompressed ? regionCompressed : img.regionSize;
    if (!c.Ok() || regionBytes > c.Remaining())
        return ctx.Fail(what + ": its region runs past its block");
    if (!ctx.Charge(regionBytes)) return false;
    img.region = ReadBytes(c, regionBytes);
    return true;
}

bool ReadOverlay(Context& ctx, ByteCursor& c, AcsOverlay& o) {
    const uint8_t mouth = c.U8();
    o.mouth = AcsMouth(std::min<uint8_t>(mouth, uint8_t(AcsMouth::Narrow)));
    o.replaceTopImage = c.U8() != 0;
    o.image = c.U16();
    o.unknown = c.U8();
    const bool hasRegion = c.U8() != 0;
    o.x = c.I16();
    o.y = c.I16();
    o.width = c.U16();
    o.height = c.U16();
    if (!hasRegion) return c.Ok();
    const uint32_t size = c.U32();
    if (!c.Ok() || size > c.Remaining() || !ctx.Charge(size)) return false;
    o.region = ReadBytes(c, size);
    return c.Ok();
}

// Reads one frame and drops or resets what points outside the character.
bool ReadFrame(Context& ctx, ByteCursor& c, const AcsCharacter& ch, size_t frameCount,
               AcsFrame& f) {
    const uint16_t imageCount = c.U16();
    if (!CountFits(c, imageCount, kFrameImage)) return false;
    if (!ctx.Charge(imageCount * sizeof(AcsFrameImage))) return false;
    for (uint16_t i = 0; i < imageCount; ++i) {
        AcsFrameImage fi{c.U32(), c.I16(), c.I16()};
        if (fi.image < ch.images.size()) f.images.push_back(fi);
    }
    f.sound = c.U16();
    if (f.sound >= ch.sounds.size()) f.sound = kAcsNoSound;
    f.duration = c.U16();
    f.exitFrame = c.I16();
    if (f.exitFrame < kAcsExitEnds || (f.exitFrame >= 0 && size_t(f.exitFrame) >= frameCount))
        f.exitFrame = kAcsNoExit;
    const uint8_t branchCount = c.U8();
    if (!CountFits(c, branchCount, kBranch)) return false;
    unsigned total = 0;
    for (uint8_t i = 0; i < branchCount; ++i) {
        AcsBranch b{c.U16(), c.U16()};
        if (b.frame >= frameCount) continue;
        b.probability = uint16_t(std::min<unsigned>(b.probability, 100 - total));
        total += b.probability;
        f.branches.push_back(b);
    }
    const uint8_t overlayCount = c.U8();
    if (!CountFits(c, overlayCount, kMinOverlay)) return false;
    if (!ctx.Charge(overlayCount * sizeof(AcsOverlay) + branchCount * sizeof(AcsBranch)))
        return false;
    for (uint8_t i = 0; i < overlayCount; ++i) {
        AcsOverlay o;
        if (!ReadOverlay(ctx, c, o)) return false;
        if (o.image < ch.images.size()) f.overlays.push_back(std::move(o));
    }
    return c.Ok();
}

bool ReadAnimationBlock(Context& ctx, ByteCursor& c, const AcsCharacter& ch, AcsAnimation& a) {
    ReadString(c); // the name again, in upper case; the list's spelling is kept
    const uint8_t transition = c.U8();
    a.transition = transition <= 2 ? AcsTransition(transition) : AcsTransition::None;
    a.returnAnimation = ReadString(c);
    const uint16_t frameCount = c.U16();
    if (!CountFits(c, frameCount, kMinFrame)) return false;
    if (!ctx.Charge(frameCount * sizeof(AcsFrame) + 2 * a.returnAnimation.size())) return false;
    a.frames.resize(frameCount);
    for (auto& f : a.frames)
        if (!ReadFrame(ctx, c, ch, frameCount, f)) return false;
    return c.Ok();
}

std::string Named(const char* kind, size_t index) {
    return std::string(kind) + " " + std::to_string(index);
}

} // namespace

bool ReadImages(Context& ctx, const Locator& loc, AcsCharacter& out) {
    ByteCursor c;
    if (!ctx.Block(loc, c, "the image list")) return false;
    const uint32_t count = c.U32();
    if (!CountFits(c, count, kListEntry)) return ctx.Fail("the image list is damaged");
    if (count > kAcsMaxImages) return ctx.Fail("the character has too many images");
    if (!ctx.Charge(count * sizeof(AcsImage))) return false;
    out.images.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const Locator entry = ReadLocator(c);
        out.images[i].checksum = c.U32();
        ByteCursor block;
        if (!ctx.Block(entry, block, Named("image", i))) return false;
        if (!ReadImageBlock(ctx, block, out.images[i], Named("image", i))) return false;
    }
    return c.Ok() || ctx.Fail("the image list is damaged");
}

bool ReadSounds(Context& ctx, const Locator& loc, AcsCharacter& out) {
    ByteCursor c;
    if (!ctx.Block(loc, c, "the audio list")) return false;
    const uint32_t count = c.U32();
    if (!CountFits(c, count, kListEntry)) return ctx.Fail("the audio list is damaged");
    if (count > kAcsMaxSounds) return ctx.Fail("the character has too many sounds");
    if (!ctx.Charge(count * sizeof(AcsSound))) return false;
    out.sounds.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const Locator entry = ReadLocator(c);
        out.sounds[i].checksum = c.U32();
        ByteCursor block;
        if (!ctx.Block(entry, block, Named("sound", i)) || !ctx.Charge(entry.size)) return false;
        out.sounds[i].wave = ReadBytes(block, entry.size);
    }
    return c.Ok() || ctx.Fail("the audio list is damaged");
}

bool ReadAnimations(Context& ctx, const Locator& loc, AcsCharacter& out) {
    ByteCursor c;
    if (!ctx.Block(loc, c, "the animation list")) return false;
    const uint32_t count = c.U32();
    if (!CountFits(c, count, kListEntry)) return ctx.Fail("the animation list is damaged");
    if (count > kAcsMaxAnimations) return ctx.Fail("the character has too many animations");
    if (!ctx.Charge(count * sizeof(AcsAnimation))) return false;
    out.animations.resize(count);
    for (size_t i = 0; i < count; ++i) {
        AcsAnimation& a = out.animations[i];
        a.name = ReadString(c);
        const Locator entry = ReadLocator(c);
        if (!c.Ok()) return ctx.Fail("the animation list is damaged");
        const std::string what = "animation " + AcsToUtf8(a.name);
        ByteCursor block;
        if (!ctx.Block(entry, block, what)) return false;
        if (!ctx.Charge(2 * a.name.size())) return false;
        if (!ReadAnimationBlock(ctx, block, out, a))
            return ctx.Fail(what + " is damaged or runs past its block");
    }
    return true;
}

} // namespace kv::acsread

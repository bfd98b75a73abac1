#pragma once
// AcsFrameComposer: draws one frame of a character into a 32-bit pixel buffer.
//
// Contract
// - The composer borrows the character, which must outlive it and stay unchanged while it is
//   used. It keeps decoded images in a cache of at most kAcsComposeCacheBytes (emptied when a new
//   image would pass the limit), so each image is decoded once in ordinary use.
// - A frame's images are drawn from its last entry to its first (the first is top-most), each at
//   its offset, clipped to the frame; pixels equal to the transparent index, and pixel values
//   with no palette entry, are see-through. With a mouth shape given and an overlay for that
//   shape in the frame, the overlay image takes the place of the top-most image (replace flag)
//   or is drawn over everything.
// - Compose writes the character's width x height pixels: opaque ones as 0xFF000000 | the
//   palette colour (0x00RRGGBB), see-through ones as `options.transparent` (default 0, i.e. alpha
//   0 and black, which is also a valid premultiplied pixel). The PixelBuffer overload resizes
//   `out`; the PixelView overload writes into the top-left width x height corner of `out` and
//   draws nothing (returns false) when the view is smaller than the frame.
// - ComposeIndices writes width x height palette indices, top-down, with the transparent index
//   for see-through pixels.
// - Damaged images draw what could be decoded, the rest see-through. Nothing is ever read or
//   written out of bounds; a frame from another character (indices out of range) is safe too.
#include "agent/acs/AcsCharacter.h"
#include "base/Pixels.h"

#include <optional>
#include <vector>

namespace kv {

constexpr size_t kAcsComposeCacheBytes = size_t(64) * 1024 * 1024;

struct AcsComposeOptions {
    std::optional<AcsMouth> mouth;
    Pixel transparent = 0;
};

class AcsFrameComposer {
public:
    explicit AcsFrameComposer(const AcsCharacter& character);

    bool Compose(const AcsFrame& frame, PixelBuffer& out, const AcsComposeOptions& options = {});
    bool Compose(const AcsFrame& frame, PixelView out, const AcsComposeOptions& options = {});
    void ComposeIndices(const AcsFrame& frame, std::vector<uint8_t>& out,
                        std::optional<AcsMouth> mouth = {});

    // The decoded bottom-up pixels of image `index` (see AcsDecodePixels); empty for an empty or
    // missing image. The reference stays valid until the next call on this composer.
    const std::vector<uint8_t>& Decoded(uint32_t index);

    // The colour a palette index draws as, or nullopt when it is see-through.
    std::optional<Pixel> Colour(uint8_t index) const;

    const AcsCharacter& Character() const { return character_; }

private:
    void DrawImage(uint32_t index, int x, int y, std::vector<uint8_t>& out);

    const AcsCharacter& character_;
    std::vector<std::vector<uint8_t>> cache_;
    std::vector<bool> cached_;
    size_t cacheBytes_ = 0;
    bool opaque_[256] = {};
};

} // namespace kv

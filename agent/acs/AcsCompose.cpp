#include "agent/acs/AcsCompose.h"

#include "agent/acs/AcsImage.h"

#include <algorithm>

namespace kv {
namespace {

const std::vector<uint8_t> kNoPixels;

const AcsOverlay* FindOverlay(const AcsFrame& frame, std::optional<AcsMouth> mouth) {
    if (!mouth) return nullptr;
    for (const auto& o : frame.overlays)
        if (o.mouth == *mouth) return &o;
    return nullptr;
}

} // namespace

AcsFrameComposer::AcsFrameComposer(const AcsCharacter& character)
    : character_(character), cache_(character.images.size()),
      cached_(character.images.size(), false) {
    for (size_t i = 0; i < 256; ++i)
        opaque_[i] = i != character.transparentIndex && i < character.palette.size();
}

std::optional<Pixel> AcsFrameComposer::Colour(uint8_t index) const {
    if (!opaque_[index]) return std::nullopt;
    return 0xFF000000u | character_.palette[index];
}

const std::vector<uint8_t>& AcsFrameComposer::Decoded(uint32_t index) {
    if (index >= cache_.size()) return kNoPixels;
    if (cached_[index]) return cache_[index];
    const AcsImage& image = character_.images[index];
    const size_t size = AcsStride(image.width) * image.height;
    if (cacheBytes_ + size > kAcsComposeCacheBytes) {
        for (auto& pixels : cache_) std::vector<uint8_t>().swap(pixels);
        std::fill(cached_.begin(), cached_.end(), false);
        cacheBytes_ = 0;
    }
    AcsDecodePixels(image, character_.transparentIndex, cache_[index]);
    cached_[index] = true;
    cacheBytes_ += cache_[index].size();
    return cache_[index];
}

void AcsFrameComposer::DrawImage(uint32_t index, int x, int y, std::vector<uint8_t>& out) {
    const std::vector<uint8_t>& pixels = Decoded(index);
    if (pixels.empty()) return;
    const AcsImage& image = character_.images[index];
    const int fw = character_.width, fh = character_.height;
    // Clip the image rectangle to the frame once, then copy row by row.
    const int x0 = std::max(0, -x), x1 = std::min<int>(image.width, fw - x);
    const int y0 = std::max(0, -y), y1 = std::min<int>(image.height, fh - y);
    for (int iy = y0; iy < y1; ++iy) {
        const auto row = AcsTopDownRow(image, pixels, iy);
        uint8_t* dst = out.data() + size_t(y + iy) * size_t(fw);
        for (int ix = x0; ix < x1; ++ix) {
            const uint8_t v = row[size_t(ix)];
            if (opaque_[v]) dst[x + ix] = v;
        }
    }
}

void AcsFrameComposer::ComposeIndices(const AcsFrame& frame, std::vector<uint8_t>& out,
                                      std::optional<AcsMouth> mouth) {
    out.assign(size_t(character_.width) * character_.height, character_.transparentIndex);
    const AcsOverlay* overlay = FindOverlay(frame, mouth);
    const bool replaceTop = overlay && overlay->replaceTopImage && !frame.images.empty();
    const size_t last = replaceTop ? 1 : 0; // the top-most image gives way to the overlay
    for (size_t i = frame.images.size(); i-- > last;) {
        const AcsFrameImage& fi = frame.images[i];
        DrawImage(fi.image, fi.x, fi.y, out);
    }
    if (overlay) DrawImage(overlay->image, overlay->x, overlay->y, out);
}

bool AcsFrameComposer::Compose(const AcsFrame& frame, PixelView out,
                               const AcsComposeOptions& options) {
    const int fw = character_.width, fh = character_.height;
    if (out.Empty() || out.width < fw || out.height < fh) return false;
    std::vector<uint8_t> indices;
    ComposeIndices(frame, indices, options.mouth);
    Pixel lut[256];
    for (size_t i = 0; i < 256; ++i)
        lut[i] = opaque_[i] ? 0xFF000000u | character_.palette[i] : options.transparent;
    for (int y = 0; y < fh; ++y) {
        const uint8_t* src = indices.data() + size_t(y) * size_t(fw);
        Pixel* dst = out.Row(y);
        for (int x = 0; x < fw; ++x) dst[x] = lut[src[x]];
    }
    return true;
}

bool AcsFrameComposer::Compose(const AcsFrame& frame, PixelBuffer& out,
                               const AcsComposeOptions& options) {
    if (!out.Resize(character_.width, character_.height, options.transparent)) return false;
    return Compose(frame, out.View(), options);
}

} // namespace kv

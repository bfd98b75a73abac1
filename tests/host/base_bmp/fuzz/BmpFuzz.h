#pragma once
// The bodies of the image fuzz targets, shared by the libFuzzer programs and the corpus replay
// test. Each aborts on a broken promise.
#include "base/Bmp.h"
#include "base/IcoDirectory.h"

#include <cstdlib>
#include <span>

namespace kv::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// Any bytes as a BMP file: what decodes stays within the caps and encodes and decodes back to
// the same pixels.
inline void DecodeAnyBmp(std::span<const uint8_t> bytes) {
    BmpError why = BmpError::None;
    const PixelBuffer image = DecodeBmp(bytes, &why);
    Check(image.Empty() == (why != BmpError::None));
    if (image.Empty()) return;
    Check(image.Width() >= 1 && image.Height() >= 1 && image.Width() <= kMaxSide &&
          image.Height() <= kMaxSide &&
          size_t(image.Width()) * size_t(image.Height()) <= kMaxPixels);
    if (size_t(image.Width()) * size_t(image.Height()) > 4096) return; // keep runs fast
    const PixelBuffer back = DecodeBmp(EncodeBmp32(image.View()));
    Check(back.Width() == image.Width() && back.Height() == image.Height());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) Check(back.View().At(x, y) == image.View().At(x, y));
}

// Any bytes as an icon file, for every icon size a system may want: the chosen image lies
// inside the file.
inline void PickAnyIcoImage(std::span<const uint8_t> bytes) {
    for (int wanted : {16, 32, 48, 256}) {
        const auto image = BestIcoImage(bytes, wanted);
        if (!image) continue;
        Check(!image->empty() && image->data() >= bytes.data() &&
              image->data() + image->size() <= bytes.data() + bytes.size());
    }
}

} // namespace kv::fuzz

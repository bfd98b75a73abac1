#pragma once
// Tiny images written as text for exact-pixel tests: each letter or digit is one distinct
// colour, 'M' is the magenta key and '.' is black.
#include "base/Pixels.h"

#include <string>
#include <vector>

namespace kv::test {

inline Pixel Colour(char c) {
    if (c == 'M') return kMagenta;
    if (c == '.') return 0;
    return Pixel(0x010100) * Pixel(uint8_t(c));
}

inline char Letter(Pixel p) {
    p = RgbOf(p);
    if (p == kMagenta) return 'M';
    if (p == 0) return '.';
    if (p % 0x010100 == 0 && p / 0x010100 < 128) return char(p / 0x010100);
    return '?';
}

inline PixelBuffer Art(const std::vector<std::string>& rows) {
    PixelBuffer image(rows.empty() ? 0 : int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) image.At(x, y) = Colour(rows[size_t(y)][size_t(x)]);
    return image;
}

inline PixelBuffer Filled(int w, int h, char c) {
    return PixelBuffer(w, h, Colour(c));
}

inline std::vector<std::string> Text(PixelView view) {
    std::vector<std::string> rows;
    for (int y = 0; y < view.height; ++y) {
        std::string row;
        for (int x = 0; x < view.width; ++x) row += Letter(view.At(x, y));
        rows.push_back(row);
    }
    return rows;
}
inline std::vector<std::string> Text(const PixelBuffer& b) {
    return Text(b.View());
}

using Rows = std::vector<std::string>;

} // namespace kv::test

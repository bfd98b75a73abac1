#pragma once
// The pixel core: 32-bit pixels with an explicit stride, shared by the host and Windows.
//
// A pixel is stored as in a 32-bit top-down DIB: 0xAARRGGBB in a uint32_t (blue in the low
// byte). Colours of the Windows API (COLORREF, 0x00BBGGRR) convert with ToPixel/ToColorRef.
// The alpha byte is carried but ignored by every routine unless it says otherwise.
//
// PixelView borrows memory (a PixelBuffer on the host, a DIB section's bits on Windows); it
// never owns. PixelBuffer owns its pixels; its size is checked against kMaxPixels before any
// allocation, and a refused size leaves an empty buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

using Pixel = uint32_t;

constexpr Pixel ToPixel(uint32_t colorRef) {
    return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}
constexpr uint32_t ToColorRef(Pixel p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}
constexpr Pixel RgbPixel(uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}
constexpr Pixel kMagenta = 0xFF00FF; // the skin's transparent key colour
constexpr Pixel RgbOf(Pixel p) { return p & 0xFFFFFF; }

// 16384 x 16384 sides and 16 M pixels bound every image an untrusted file can ask for.
constexpr int kMaxSide = 16384;
constexpr size_t kMaxPixels = size_t(16) * 1024 * 1024;

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect&) const = default;
};

struct PixelView {
    Pixel* pixels = nullptr;
    int width = 0;
    int height = 0;
    size_t stride = 0; // pixels per row, >= width

    bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Pixel* Row(int y) const { return pixels + size_t(y) * stride; }
    Pixel& At(int x, int y) const { return Row(y)[x]; }
    PixelRect Bounds() const { return {0, 0, width, height}; }
};

class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, Pixel fill = 0) { Resize(width, height, fill); }

    // Reallocates to width x height filled with `fill`; false (and empty) when the size is
    // negative or above the caps.
    bool Resize(int width, int height, Pixel fill = 0) {
        pixels_.clear();
        width_ = height_ = 0;
        if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) return false;
        if (size_t(width) * size_t(height) > kMaxPixels) return false;
        pixels_.assign(size_t(width) * size_t(height), fill);
        width_ = width;
        height_ = height;
        return true;
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    PixelView View() { return {pixels_.data(), width_, height_, size_t(width_)}; }
    PixelView View() const { return {const_cast<Pixel*>(pixels_.data()), width_, height_, size_t(width_)}; }
    Pixel& At(int x, int y) { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    Pixel At(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }

private:
    std::vector<Pixel> pixels_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace kv

#pragma once
// Overflow-checked size arithmetic for every allocation whose size comes from untrusted data.
// Each helper returns false (and leaves `out` untouched) when the exact result does not fit.
#include <cstddef>
#include <cstdint>
#include <limits>

namespace kv {

inline bool CheckedMul(size_t a, size_t b, size_t& out) {
    if (a != 0 && b > std::numeric_limits<size_t>::max() / a) return false;
    out = a * b;
    return true;
}

inline bool CheckedAdd(size_t a, size_t b, size_t& out) {
    if (b > std::numeric_limits<size_t>::max() - a) return false;
    out = a + b;
    return true;
}

// width * height * bytesPerPixel, refusing negative sides and anything above `cap` bytes.
inline bool CheckedImageBytes(int64_t width, int64_t height, size_t bytesPerPixel, size_t cap,
                              size_t& out) {
    if (width < 0 || height < 0) return false;
    size_t pixels = 0, bytes = 0;
    if (!CheckedMul(size_t(width), size_t(height), pixels)) return false;
    if (!CheckedMul(pixels, bytesPerPixel, bytes) || bytes > cap) return false;
    out = bytes;
    return true;
}

} // namespace kv

// Icons from the bytes of an .ico file (layouts name them as a program resource).
#include "ui/forms/Forms.h"

#include <cstdlib>
#include <cstring>

namespace {
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t U32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
constexpr size_t kHeaderBytes = 6, kEntryBytes = 16;
} // namespace

HICON IconFromIcoFile(const uint8_t* bytes, size_t size) {
    if (!bytes || size < kHeaderBytes || U16(bytes) != 0 || U16(bytes + 2) != 1) return nullptr;
    size_t count = U16(bytes + 4);
    if (count == 0 || count > (size - kHeaderBytes) / kEntryBytes) return nullptr;
    const int want = GetSystemMetrics(SM_CXICON);
    const uint8_t* best = nullptr;
    int bestScore = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = bytes + kHeaderBytes + i * kEntryBytes;
        uint32_t length = U32(e + 8), offset = U32(e + 12);
        if (length == 0 || offset > size || length > size - offset) continue;
        int width = e[0] ? e[0] : 256;
        int bits = U16(e + 6);
        // Nearest to the wanted size first, then the most colours.
        int score = 100000 - std::abs(width - want) * 100 + std::min(bits, 32);
        if (!best || score > bestScore) {
            best = e;
            bestScore = score;
        }
    }
    if (!best) return nullptr;
    uint32_t length = U32(best + 8), offset = U32(best + 12);
    // The image data is copied: CreateIconFromResourceEx wants writable, aligned bytes.
    std::vector<uint8_t> image(bytes + offset, bytes + offset + length);
    return CreateIconFromResourceEx(image.data(), length, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
}

#include "base/IcoDirectory.h"

#include "base/ByteCursor.h"

#include <algorithm>
#include <cstdlib>

namespace kv {
namespace {
constexpr size_t kHeaderBytes = 6, kEntryBytes = 16;
} // namespace

std::optional<std::span<const uint8_t>> BestIcoImage(std::span<const uint8_t> file,
                                                     int wantedWidth) {
    ByteCursor header(file.data(), file.size());
    const uint16_t reserved = header.U16(), type = header.U16(), count = header.U16();
    if (!header.Ok() || reserved != 0 || type != 1) return std::nullopt;
    if (count == 0 || count > (file.size() - kHeaderBytes) / kEntryBytes) return std::nullopt;
    std::optional<std::span<const uint8_t>> best;
    int bestScore = 0;
    for (size_t i = 0; i < count; ++i) {
        ByteCursor e(file.data() + kHeaderBytes + i * kEntryBytes, kEntryBytes);
        const uint8_t widthByte = e.U8();
        e.Skip(5);
        const uint16_t bits = e.U16();
        const uint32_t length = e.U32(), offset = e.U32();
        if (length == 0 || offset > file.size() || length > file.size() - offset) continue;
        const int width = widthByte ? widthByte : 256;
        // Nearest to the wanted size first, then the most colours.
        const int score = 100000 - std::abs(width - wantedWidth) * 100 + std::min<int>(bits, 32);
        if (!best || score > bestScore) {
            best = file.subspan(offset, length);
            bestScore = score;
        }
    }
    return best;
}

} // namespace kv

#include "agent/player/logic/TrayIconImage.h"

#include "base/ByteCursor.h"

namespace kv::agent::player {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;

// One part: header checked, colour table and rows located inside the part's bytes.
struct Dib {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<uint32_t> table; // 0x00RRGGBB
    const uint8_t* rows = nullptr;
    size_t stride = 0;

    // The pixel's value (its colour table index, or its bit for a mask).
    unsigned At(int x, int y) const {
        const uint8_t* row = rows + stride * static_cast<size_t>(height - 1 - y); // bottom-up
        size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
        unsigned byte = row[bit / 8];
        unsigned shift = 8 - static_cast<unsigned>(bits) - static_cast<unsigned>(bit % 8);
        return (byte >> shift) & ((1u << bits) - 1u);
    }
};

std::optional<Dib> ReadDib(const std::vector<uint8_t>& bytes, bool mask) {
    ByteCursor in(bytes.data(), bytes.size());
    uint32_t size = in.U32();
    int32_t width = in.I32();
    int32_t height = in.I32();
    uint16_t planes = in.U16();
    uint16_t bits = in.U16();
    uint32_t compression = in.U32();
    in.Skip(12); // image size, resolution
    uint32_t used = in.U32();
    in.Skip(4); // important colours
    if (!in.Ok() || size != kInfoHeaderSize || planes != 1 || compression != 0) return {};
    if (width <= 0 || height <= 0 || width > kMaxTrayIconSide || height > kMaxTrayIconSide)
        return {};
    bool depthOk = mask ? bits == 1 : (bits == 1 || bits == 4 || bits == 8);
    if (!depthOk) return {};
    uint32_t maxColours = 1u << bits;
    uint32_t colours = used == 0 ? maxColours : used;
    if (colours > maxColours) return {};
    Dib dib;
    dib.width = width;
    dib.height = height;
    dib.bits = bits;
    for (uint32_t i = 0; i < colours; ++i) {
        dib.table.push_back(in.U32() & 0xFFFFFF); // blue, green, red, 0 is 0x00RRGGBB
    }
    dib.stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    std::span<const uint8_t> rows = in.Take(dib.stride * static_cast<size_t>(height));
    if (!in.Ok()) return {};
    dib.rows = rows.data();
    return dib;
}

} // namespace

std::optional<TrayIconImage> DecodeTrayIcon(const AcsTrayIcon& icon) {
    std::optional<Dib> mask = ReadDib(icon.mask, true);
    std::optional<Dib> color = ReadDib(icon.color, false);
    if (!mask || !color || mask->width != color->width || mask->height != color->height)
        return {};
    TrayIconImage out;
    out.width = color->width;
    out.height = color->height;
    size_t count = static_cast<size_t>(out.width) * static_cast<size_t>(out.height);
    out.colors.reserve(count);
    out.transparent.reserve(count);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            unsigned index = color->At(x, y);
            // An index past a short colour table draws black rather than reading beyond it.
            out.colors.push_back(index < color->table.size() ? color->table[index] : 0);
            out.transparent.push_back(static_cast<uint8_t>(mask->At(x, y)));
        }
    }
    return out;
}

} // namespace kv::agent::player

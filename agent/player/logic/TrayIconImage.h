#pragma once
// The character's tray icon, decoded from the file's two plain DIBs (acs-format §3.4): a
// 1-bit AND mask and a 1-, 4- or 8-bit colour image of the same size, rows bottom-up.
//
// Contract
// - DecodeTrayIcon returns the icon as top-down rows, or nothing when the block is damaged:
//   a header that is not the 40-byte one, a size of 0 or above kMaxTrayIconSide, a negative
//   (top-down) height, planes other than 1, a mask that is not 1 bit, a colour depth other
//   than 1, 4 or 8, any DIB compression, a colour table larger than the depth allows, parts
//   of different sizes, or a header, colour table and rows that do not fit in the part's
//   bytes. Nothing is read outside the given bytes.
// - `colors` holds width x height pixels 0x00RRGGBB; `transparent` holds width x height flags
//   (1 where the mask keeps the background).
#include "agent/acs/AcsCharacter.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kv::agent::player {

// Real files use 16 to 26 pixels; anything beyond a large icon is damage.
inline constexpr int kMaxTrayIconSide = 256;

struct TrayIconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> colors;
    std::vector<uint8_t> transparent;
};

std::optional<TrayIconImage> DecodeTrayIcon(const AcsTrayIcon& icon);

} // namespace kv::agent::player

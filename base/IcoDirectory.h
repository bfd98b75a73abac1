#pragma once
// The directory of an .ico file: which of its images to use.
//
// BestIcoImage reads the 6-byte header (reserved 0, type 1, count) and the 16-byte entries
// from untrusted bytes and returns the bytes of the image nearest in width to `wantedWidth`
// (ties: the most bits per pixel, then the first), or nothing when the header is wrong, the
// count is 0 or the entries do not fit, or no entry's data lies wholly inside the file. Entries
// with no data or data outside the file are skipped. A width byte of 0 means 256. The returned
// span points into `file`; nothing else is checked (the system decodes the image itself).
#include <cstdint>
#include <optional>
#include <span>

namespace kv {

std::optional<std::span<const uint8_t>> BestIcoImage(std::span<const uint8_t> file,
                                                     int wantedWidth);

} // namespace kv

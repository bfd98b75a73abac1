#pragma once
// The bodies of the packed-skin fuzz targets, shared by the libFuzzer programs and the corpus
// replay test. Each aborts on a broken promise (wrong output size, a failed round trip).
#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace kv::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// Streamed in reads of at most 5 bytes: the same status and, on success, the same bytes.
inline void CheckStreamedLikeUnpack(const uint8_t* data, size_t size, LzhStatus status,
                                    const std::vector<uint8_t>& expected) {
    size_t pos = 0;
    std::vector<uint8_t> out;
    auto read = [&](std::span<uint8_t> buffer) {
        size_t n = std::min({buffer.size(), size - pos, size_t(5)});
        std::copy_n(data + pos, n, buffer.data());
        pos += n;
        return n;
    };
    auto write = [&](std::span<const uint8_t> piece) {
        out.insert(out.end(), piece.begin(), piece.end());
        return true;
    };
    Check(TLZH::UnpackStream(read, write) == status);
    Check(status != LzhStatus::Ok || out == expected);
}

// Any bytes as a packed stream, from memory and streamed.
inline void DecodePacked(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    LzhStatus status = TLZH::Unpack({data, size}, out);
    CheckStreamedLikeUnpack(data, size, status, out);
    if (status != LzhStatus::Ok) return Check(out.empty());
    int32_t declared = size >= 4 ? int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 |
                                           uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24)
                                 : 0;
    Check(out.size() == size_t(declared > 0 ? declared : 0));
}

inline void ReadEverything(const TSkinReader& r) {
    std::vector<uint8_t> dest;
    for (size_t i = 0; i < r.Count(); i++) {
        auto entry = r.Entry(i);
        Check(!entry || entry->size() == r.EntrySize(i));
        bool found = r.ExtractEntry(r.Names()[i], dest);
        Check(found || dest.empty());
    }
    std::string name;
    r.ExtractEntryContaining(".ini", dest, name);
}

// Any bytes as an unpacked package, and as a packed skin.
inline void ReadPackage(const uint8_t* data, size_t size) {
    TSkinReader r;
    if (r.OpenUnpacked(std::vector<uint8_t>(data, data + size)))
        ReadEverything(r);
    else
        Check(r.Count() == 0);
    if (r.OpenPackage({data, size}))
        ReadEverything(r);
    else
        Check(r.Count() == 0);
}

inline void RoundTrip(const uint8_t* data, size_t size) {
    std::vector<uint8_t> packed = TLZH::Pack({data, size}), out;
    Check(TLZH::Unpack(packed, out) == LzhStatus::Ok);
    Check(out.size() == size && std::equal(out.begin(), out.end(), data));
}

} // namespace kv::fuzz

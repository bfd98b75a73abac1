// The encoder half of AcsCompression.h: greedy LZ77 with hash chains.
#include "agent/acs/AcsCompression.h"

#include <algorithm>

namespace kv {
namespace {

class BitWriter {
public:
    BitWriter() { bytes_.push_back(0x00); } // the stream's leading byte

    void Bit(uint32_t b) {
        if (bit_ == 0) bytes_.push_back(0);
        bytes_.back() |= uint8_t((b & 1u) << bit_);
        bit_ = (bit_ + 1) & 7;
    }
    void Bits(uint32_t v, int n) {
        for (int i = 0; i < n; ++i) Bit(v >> i);
    }
    // Fills the last byte with 1-bits and appends six 0xFF: together they form the end marker.
    std::vector<uint8_t> Finish() {
        while (bit_ != 0) Bit(1);
        bytes_.insert(bytes_.end(), 6, 0xFF);
        return std::move(bytes_);
    }

private:
    std::vector<uint8_t> bytes_;
    int bit_ = 0;
};

constexpr size_t kMaxDistance = 1053247;
constexpr size_t kWindow = 65536; // a wider window finds little more in character images
constexpr size_t kMaxLength = 4096;
constexpr int kChainDepth = 48;
constexpr int kHashBits = 15;

int LengthPrefixBits(size_t e) {
    int k = 0;
    while (e > (size_t(2) << k) - 2) ++k;
    return k;
}

// Bits a copy costs; literals cost 9 bits a byte.
size_t CopyBits(size_t length, size_t distance) {
    const size_t e = length - (distance > 4672 ? 3 : 2);
    const size_t form = distance <= 64 ? 8 : distance <= 576 ? 12 : distance <= 4672 ? 16 : 24;
    return form + 2 * size_t(LengthPrefixBits(e)) + 1;
}

void WriteCopy(BitWriter& w, size_t length, size_t distance) {
    w.Bit(1);
    size_t e = length - 2;
    if (distance <= 64) {
        w.Bits(0b0, 1);
        w.Bits(uint32_t(distance - 1), 6);
    } else if (distance <= 576) {
        w.Bits(0b01, 2);
        w.Bits(uint32_t(distance - 65), 9);
    } else if (distance <= 4672) {
        w.Bits(0b011, 3);
        w.Bits(uint32_t(distance - 577), 12);
    } else {
        w.Bits(0b111, 3);
        w.Bits(uint32_t(distance - 4673), 20);
        e = length - 3;
    }
    const int k = LengthPrefixBits(e);
    w.Bits((1u << k) - 1, k);
    w.Bit(0);
    w.Bits(uint32_t(e - ((size_t(1) << k) - 1)), k);
}

uint32_t Hash3(const uint8_t* p) {
    const uint32_t v = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
}

struct Match {
    size_t length = 0;
    size_t distance = 0;
};

class Matcher {
public:
    explicit Matcher(std::span<const uint8_t> in)
        : in_(in), head_(size_t(1) << kHashBits, kNone), prev_(in.size(), kNone) {}

    void Insert(size_t pos) {
        if (in_.size() - pos < 3) return;
        const uint32_t h = Hash3(&in_[pos]);
        prev_[pos] = head_[h];
        head_[h] = uint32_t(pos);
    }

    Match Best(size_t pos) const {
        Match best;
        const size_t limit = std::min(kMaxLength, in_.size() - pos);
        if (limit < 2) return best;
        // Two-byte copies are worth it only close by, where they cost 9 bits.
        if (pos >= 1) Consider(pos, 1, limit, best);
        if (limit < 3) return best;
        uint32_t cand = head_[Hash3(&in_[pos])];
        for (int depth = 0; cand != kNone && depth < kChainDepth; ++depth, cand = prev_[cand]) {
            const size_t distance = pos - cand;
            if (distance > kWindow || distance > kMaxDistance) break;
            Consider(pos, distance, limit, best);
            if (best.length == limit) break;
        }
        return best;
    }

private:
    static constexpr uint32_t kNone = 0xFFFFFFFF;

    void Consider(size_t pos, size_t distance, size_t limit, Match& best) const {
        const size_t cap = distance > 4672 ? std::min(limit, kMaxLength + 1) : limit;
        size_t n = 0;
        while (n < cap && in_[pos + n] == in_[pos + n - distance]) ++n;
        const size_t minimum = distance > 4672 ? 3 : 2;
        if (n < minimum || n <= best.length) return;
        if (CopyBits(n, distance) >= 9 * n) return;
        best = {n, distance};
    }

    std::span<const uint8_t> in_;
    std::vector<uint32_t> head_;
    std::vector<uint32_t> prev_;
};

} // namespace

std::vector<uint8_t> AcsCompress(std::span<const uint8_t> in) {
    if (in.size() > kAcsMaxCompressInput) return {};
    BitWriter w;
    Matcher m(in);
    size_t pos = 0;
    while (pos < in.size()) {
        const Match best = m.Best(pos);
        if (best.length == 0) {
            w.Bit(0);
            w.Bits(in[pos], 8);
            m.Insert(pos++);
            continue;
        }
        WriteCopy(w, best.length, best.distance);
        for (size_t i = 0; i < best.length; ++i) m.Insert(pos++);
    }
    return w.Finish();
}

} // namespace kv

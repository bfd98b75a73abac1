#include "agent/acs/AcsCompression.h"

#include <algorithm>
#include <array>

namespace kv {
namespace {

// Bits are taken least significant first from each byte; a read past the end fails and sticks.
class BitReader {
public:
    explicit BitReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool Ok() const { return ok_; }

    uint32_t Bit() {
        if (pos_ >= bytes_.size()) {
            ok_ = false;
            return 0;
        }
        const uint32_t b = (bytes_[pos_] >> bit_) & 1u;
        if (++bit_ == 8) {
            bit_ = 0;
            ++pos_;
        }
        return b;
    }

    uint32_t Bits(int n) {
        uint32_t v = 0;
        for (int i = 0; i < n && ok_; ++i) v |= Bit() << i;
        return v;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    int bit_ = 0;
    bool ok_ = true;
};

struct OffsetForm {
    int bits;
    uint32_t base;
};
constexpr std::array<OffsetForm, 4> kOffsetForms = {{{6, 1}, {9, 65}, {12, 577}, {20, 4673}}};
constexpr uint32_t kEndMarker = 0xFFFFF;
constexpr int kMaxLengthPrefix = 11;

int ReadOffsetForm(BitReader& r) {
    int ones = 0;
    while (ones < 3 && r.Bit() == 1) ++ones;
    return ones;
}

// Decodes the length prefix; -1 when twelve 1-bits appear.
int64_t ReadLength(BitReader& r) {
    int k = 0;
    while (r.Bit() == 1) {
        if (++k > kMaxLengthPrefix || !r.Ok()) return -1;
    }
    return ((int64_t(1) << k) - 1) + r.Bits(k);
}

} // namespace

AcsDecodeStatus AcsDecompress(std::span<const uint8_t> in, std::span<uint8_t> out,
                              size_t& written) {
    written = 0;
    if (out.empty()) return AcsDecodeStatus::Ok;
    if (in.empty()) return AcsDecodeStatus::Malformed;
    BitReader r(in.subspan(1)); // the leading byte is not part of the bit stream
    size_t w = 0;
    const size_t cap = out.size();
    auto finish = [&](AcsDecodeStatus s) {
        written = w;
        return s;
    };
    while (w < cap) {
        if (r.Bit() == 0) {
            const uint32_t v = r.Bits(8);
            if (!r.Ok()) return finish(AcsDecodeStatus::Malformed);
            out[w++] = uint8_t(v);
            continue;
        }
        const OffsetForm form = kOffsetForms[size_t(ReadOffsetForm(r))];
        const uint32_t raw = r.Bits(form.bits);
        if (!r.Ok()) return finish(AcsDecodeStatus::Malformed);
        int64_t count = 2;
        if (form.bits == 20) {
            if (raw == kEndMarker) return finish(AcsDecodeStatus::Ok);
            count = 3;
        }
        const size_t distance = size_t(raw) + form.base;
        const int64_t extra = ReadLength(r);
        if (extra < 0 || !r.Ok() || distance > w) return finish(AcsDecodeStatus::Malformed);
        const size_t n = std::min(size_t(count + extra), cap - w);
        // One byte at a time: overlapping copies repeat their own output.
        for (size_t i = 0; i < n; ++i, ++w) out[w] = out[w - distance];
    }
    return finish(AcsDecodeStatus::Ok);
}

} // namespace kv

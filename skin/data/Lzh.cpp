// LZHUF decoding.
//
// Built for speed the way fast LZ decoders are: the limits are computed before the loop, the
// bit reader keeps up to 64 bits in a register and refills eight bytes at a time while the
// source has them (one checked, zero-padding tail path after that), and the output is one
// linear buffer instead of a 4 KB ring. The ring's starting contents (4036 spaces, then bytes
// that a valid stream never refers to, which we make zero) sit in front of the output, so a
// match is a plain backwards copy of at most 4096 bytes and the buffer keeps a named margin
// behind the end for a match that crosses the declared size.
#include "skin/data/Lzh.h"
#include "skin/data/LzhModel.h"

#include <cstring>
#include <memory>
#include <new>

namespace kv {
namespace {

using lzh::kPositionTables;

constexpr size_t kPrefix = kLzhRingSize;                 // the ring's starting contents
constexpr size_t kTailMargin = kLzhMaxMatch + 4;         // a match may run past the declared end
constexpr int kFirstWrite = kLzhRingSize - kLzhMaxMatch; // ring position of the first output
constexpr int kRefillBelow = 57; // after a refill at least this many bits are held
constexpr int kLongestPositionCode = 14;

// Bits most significant first; past the end of the source, zero bytes up to a limit.
class BitReader {
public:
    explicit BitReader(std::span<const uint8_t> src)
        : p_(src.data()), end_(src.data() + src.size()),
          limitBits_((uint64_t(src.size()) + kLzhSourceSlack) * 8) {}

    int Count() const { return count_; }

    // Tops the buffer up to at least kRefillBelow bits. False once the stream has been read
    // further past its end than the slack allows.
    bool Refill() {
        if (end_ - p_ >= 8) {
            RefillFast();
            return true;
        }
        return RefillTail();
    }

    unsigned Bit() {
        unsigned b = unsigned(buf_ >> 63);
        buf_ <<= 1;
        count_--;
        return b;
    }

    unsigned Byte() {
        unsigned b = unsigned(buf_ >> 56);
        buf_ <<= 8;
        count_ -= 8;
        return b;
    }

private:
    void RefillFast() {
        uint64_t v = 0;
        for (int i = 0; i < 8; i++) v = (v << 8) | p_[i];
        int bytes = (63 - count_) >> 3;
        int filled = count_ + bytes * 8;
        v >>= count_;
        v &= ~((uint64_t(1) << (64 - filled)) - 1); // keep whole bytes only
        buf_ |= v;
        p_ += bytes;
        loadedBits_ += uint64_t(bytes) * 8;
        count_ = filled;
    }

    bool RefillTail() {
        if (loadedBits_ - uint64_t(count_) > limitBits_) return false;
        while (count_ <= 56) {
            uint64_t byte = p_ < end_ ? *p_++ : 0;
            buf_ |= byte << (56 - count_);
            count_ += 8;
            loadedBits_ += 8;
        }
        return true;
    }

    const uint8_t* p_;
    const uint8_t* end_;
    uint64_t buf_ = 0;
    int count_ = 0;
    uint64_t loadedBits_ = 0;
    uint64_t limitBits_;
};

std::unique_ptr<lzh::Model> NewModel() {
    try {
        auto model = std::make_unique<lzh::Model>();
        model->Start();
        return model;
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
}

void AllocateOutput(std::vector<uint8_t>& work, size_t size) {
    try {
        work.assign(kPrefix + size + kTailMargin, 0);
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    std::memset(work.data() + (kPrefix - kFirstWrite), ' ', size_t(kFirstWrite));
}

// Reads one symbol by walking the tree from the root, one bit per level.
inline bool ReadSymbol(BitReader& in, const lzh::Model& m, unsigned& symbol) {
    unsigned c = m.child[lzh::R];
    while (c < unsigned(lzh::T)) {
        if (in.Count() == 0 && !in.Refill()) return false;
        c = m.child[c + in.Bit()];
    }
    symbol = c - lzh::T;
    return true;
}

inline unsigned ReadPosition(BitReader& in) {
    unsigned b = in.Byte();
    unsigned upper = kPositionTables.code[b];
    unsigned v = b;
    for (int j = kPositionTables.len[b] - 2; j > 0; j--) v = (v << 1) + in.Bit();
    return (upper << 6) | (v & 0x3F);
}

inline uint8_t* CopyMatch(uint8_t* out, unsigned distance, unsigned length) {
    const uint8_t* src = out - distance;
    if (distance >= length) {
        std::memcpy(out, src, length);
    } else {
        for (unsigned i = 0; i < length; i++) out[i] = src[i]; // overlaps its own output
    }
    return out + length;
}

LzhStatus DecodeInto(BitReader& in, lzh::Model& model, uint8_t* out, const uint8_t* outEnd) {
    while (out < outEnd) {
        if (in.Count() < kRefillBelow && !in.Refill()) return LzhStatus::SourceOverrun;
        unsigned symbol = 0;
        if (!ReadSymbol(in, model, symbol)) return LzhStatus::SourceOverrun;
        model.Update(symbol);
        if (symbol < 256) {
            *out++ = uint8_t(symbol);
            continue;
        }
        if (in.Count() < kLongestPositionCode && !in.Refill()) return LzhStatus::SourceOverrun;
        unsigned distance = ReadPosition(in) + 1;
        out = CopyMatch(out, distance, symbol - 255 + kLzhThreshold);
    }
    return LzhStatus::Ok;
}

} // namespace

const char* LzhStatusText(LzhStatus status) {
    switch (status) {
    case LzhStatus::Ok:
        return "ok";
    case LzhStatus::TooShort:
        return "the packed stream is shorter than its 4-byte size word";
    case LzhStatus::TooLarge:
        return "the declared unpacked size is beyond what the stream can hold";
    case LzhStatus::SourceOverrun:
        return "the packed stream ends before its declared size";
    }
    return "unknown";
}

uint64_t LzhMaxExpansion(size_t sourceBytes) {
    constexpr uint64_t kShortestMatchCodeBits = 10; // 1 bit of symbol, 9 of position
    uint64_t bits = (uint64_t(sourceBytes) + kLzhSourceSlack) * 8;
    return (bits / kShortestMatchCodeBits + 1) * kLzhMaxMatch;
}

LzhStatus TLZH::Decode(std::span<const uint8_t> bits, int64_t unpackedSize,
                       std::vector<uint8_t>& out) {
    out.clear();
    if (unpackedSize <= 0) return LzhStatus::Ok;
    if (unpackedSize > kLzhMaxUnpacked || uint64_t(unpackedSize) > LzhMaxExpansion(bits.size()))
        return LzhStatus::TooLarge;
    size_t size = size_t(unpackedSize);
    auto model = NewModel();
    AllocateOutput(out, size);
    BitReader in(bits);
    uint8_t* begin = out.data() + kPrefix;
    LzhStatus status = DecodeInto(in, *model, begin, begin + size);
    if (status != LzhStatus::Ok) {
        out.clear();
        return status;
    }
    out.erase(out.begin(), out.begin() + kPrefix);
    out.resize(size);
    return status;
}

LzhStatus TLZH::Unpack(std::span<const uint8_t> packed, std::vector<uint8_t>& out) {
    out.clear();
    if (packed.size() < 4) return LzhStatus::TooShort;
    int32_t declared = int32_t(uint32_t(packed[0]) | uint32_t(packed[1]) << 8 |
                               uint32_t(packed[2]) << 16 | uint32_t(packed[3]) << 24);
    return Decode(packed.subspan(4), declared, out);
}

} // namespace kv

// LZHUF decoding.
//
// Built for speed the way fast LZ decoders are: the limits are computed before the loop, the
// bit reader keeps up to 64 bits in a register and refills eight bytes at a time while the
// source has them (one checked, zero-padding tail path after that), and the output is written
// in place instead of through a 4 KB ring. Only the first 4 KB of output can refer to the
// ring's starting contents (4036 spaces, then bytes that a valid stream never refers to, which
// we make zero); they are decoded behind those contents in a small buffer and copied out, the
// rest directly into the result, where every match is a plain backwards copy of at most 4096
// bytes. The result keeps a named margin behind its end for a match that crosses the declared
// size and for copies in whole 8-byte steps.
//
// Streaming (UnpackStream) decodes the same way into a fixed window: 4 KB of history, a chunk
// and the margin. Each full chunk is handed on and its last 4 KB slide down to become the
// history of the next, so no buffer grows with the size: the first touch of a fresh page costs
// about as much as decoding a few hundred symbols. The input comes through a small buffer too,
// and window, input and model share one block whose pages are mapped in one step (about a
// twentieth of the cost of faulting them in one by one, on the virtual machines we measured).
//
// Symbols are read through a table of the tree's top kTableBits levels: one look-up settles
// the short codes and brings the long ones within a few steps of their leaf. The model changes
// after every symbol, but rarely near the root. It keeps the table current itself: a move at
// the table's last level rewrites that level's entry, and a move above it makes the table
// stale, to be refilled before the next symbol (on the benchmark's generated inputs, once per
// 500 symbols of the noisy skin, 800 of text, 1400 of the large noisy pictures; a deeper table
// would be refilled far more often).
#include "skin/data/Lzh.h"
#include "skin/data/LzhModel.h"

#include "base/Pages.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

namespace kv {
namespace {

using lzh::kPositionTables;
using lzh::kTableBits;
using lzh::Model;
using lzh::TableEntry;

constexpr size_t kHistory = kLzhRingSize;                // the ring's starting contents
constexpr size_t kCopyStep = 8;                          // matches are copied in 8-byte steps
constexpr size_t kTailMargin = kLzhMaxMatch + kCopyStep; // written past the declared end
constexpr int kFirstWrite = kLzhRingSize - kLzhMaxMatch; // ring position of the first output
constexpr int kRefillBelow = 57;  // after a refill at least this many bits are held
constexpr int kPositionBits = 14; // longest position code: an 8-bit prefix byte and 6 more
static_assert(kTableBits <= kRefillBelow, "a look-up needs no refill of its own");

// Eight bytes as one big-endian number: one load where the compilers we use can swap bytes.
inline uint64_t LoadBigEndian64(const uint8_t* p) {
#if defined(__GNUC__)
    uint64_t v;
    std::memcpy(&v, p, 8);
    return std::endian::native == std::endian::little ? __builtin_bswap64(v) : v;
#else
    uint64_t v = 0;
    for (int i = 0; i < 8; i++) v = (v << 8) | p[i];
    return v;
#endif
}

// The packed bytes of a stream, read through a fixed buffer: [p, end) is what is left unread.
class InputFeed {
public:
    static constexpr size_t kBytes = 16 * 1024;

    InputFeed(const LzhRead& read, uint8_t* buffer) : read_(read), buf_(buffer) {} // kBytes

    bool Ended() const { return ended_; }
    uint64_t Total() const { return total_; } // bytes read so far (all of them once Ended)

    // Moves the unread bytes to the front and reads behind them until at least `want` bytes
    // are unread or the stream has ended.
    void TopUp(const uint8_t*& p, const uint8_t*& end, size_t want) {
        size_t left = size_t(end - p);
        if (left) std::memmove(buf_, p, left);
        while (left < want && !ended_) {
            size_t got = std::min(read_(std::span(buf_ + left, kBytes - left)), kBytes - left);
            ended_ = got == 0;
            left += got;
            total_ += got;
        }
        p = buf_;
        end = p + left;
    }

private:
    const LzhRead& read_;
    uint8_t* buf_;
    uint64_t total_ = 0;
    bool ended_ = false;
};

// Bits most significant first; past the end of the source, zero bytes up to a limit. The
// source is a span, or a feed that the reader tops up when its bytes run short.
class BitReader {
public:
    explicit BitReader(std::span<const uint8_t> src)
        : p_(src.data()), end_(src.data() + src.size()),
          limitBits_((uint64_t(src.size()) + kLzhSourceSlack) * 8) {}
    explicit BitReader(InputFeed& feed) : feed_(&feed) {}

    int Count() const { return count_; }

    // Tops the buffer up to at least kRefillBelow bits. False once the stream has been read
    // further past its end than the slack allows.
    bool Refill() {
        if (end_ - p_ >= 8) {
            RefillFast();
            return true;
        }
        return RefillSlow();
    }

    // The next n bits (1..32, at most Count()) without taking them.
    unsigned Peek(int n) const { return unsigned(buf_ >> (64 - n)); }

    void Skip(int n) {
        buf_ <<= n;
        count_ -= n;
    }

    unsigned Bit() {
        unsigned b = unsigned(buf_ >> 63);
        Skip(1);
        return b;
    }

    // Takes `n` whole bytes from a feed before any bit has been read (the size word).
    bool TakeBytes(uint8_t* dest, size_t n) {
        if (feed_) feed_->TopUp(p_, end_, n);
        if (size_t(end_ - p_) < n) return false;
        std::memcpy(dest, p_, n);
        p_ += n;
        return true;
    }

private:
    // Loads eight bytes behind the held bits but counts only the whole bytes that fit. The
    // bits below the held ones are then the stream's next bits, and the next load ors the
    // same bits onto them, so they need no masking.
    void RefillFast() {
        buf_ |= LoadBigEndian64(p_) >> count_;
        int bytes = (63 - count_) >> 3;
        p_ += bytes;
        loadedBits_ += uint64_t(bytes) * 8;
        count_ |= 56; // count_ + 8 * bytes
    }

    bool RefillSlow() {
        if (feed_ && !feed_->Ended()) {
            feed_->TopUp(p_, end_, 8);
            if (end_ - p_ >= 8) {
                RefillFast();
                return true;
            }
        }
        if (feed_) limitBits_ = (feed_->Total() - 4 + kLzhSourceSlack) * 8; // past the size word
        return RefillTail();
    }

    // Byte by byte: a byte ored in here may already lie below the held bits (loaded ahead by
    // the fast path), which the same byte leaves unchanged; past the end nothing was loaded.
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

    const uint8_t* p_ = nullptr;
    const uint8_t* end_ = nullptr;
    uint64_t buf_ = 0;
    int count_ = 0;
    uint64_t loadedBits_ = 0;
    uint64_t limitBits_ = 0;
    InputFeed* feed_ = nullptr;
};

// The ring's starting contents, as the kHistory bytes before the first output byte, oldest
// first: positions 4036..4095 (zero), then 0..4035 (spaces).
void StartHistory(uint8_t* history) {
    std::memset(history, 0, kHistory - kFirstWrite);
    std::memset(history + (kHistory - kFirstWrite), ' ', size_t(kFirstWrite));
}

// Runs `allocate`: no memory becomes the decoder's own failure.
template <typename Allocate> auto WithMemory(Allocate allocate) {
    try {
        return allocate();
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
}

std::unique_ptr<Model> NewModel() {
    return WithMemory([] {
        auto model = std::make_unique<Model>();
        model->Start();
        return model;
    });
}

void AllocateOutput(std::vector<uint8_t>& out, size_t size) {
    WithMemory([&] { out.resize(size + kTailMargin); });
}

// A buffer left uninitialised: every byte is written before it is read.
std::unique_ptr<uint8_t[]> NewBuffer(size_t size) {
    return WithMemory([size] { return std::unique_ptr<uint8_t[]>(new uint8_t[size]); });
}

// Everything streaming works in, as one block whose pages are mapped at once: for a small skin,
// page faults would otherwise be a good part of the run. The buffers are left uninitialised
// (every byte is written before it is read); the model is started.
struct StreamMemory {
    Model model;
    uint8_t input[InputFeed::kBytes];
    uint8_t window[kHistory + kLzhStreamChunk + kTailMargin];
};

std::unique_ptr<StreamMemory> NewStreamMemory() {
    return WithMemory([] {
        std::unique_ptr<StreamMemory> memory(new StreamMemory);
        MapPagesNow(memory.get(), sizeof(StreamMemory));
        memory->model.Start();
        return memory;
    });
}

// A symbol as read: the code's length and the node its leaf hangs from, which the model's
// update starts from.
struct Code {
    unsigned symbol;
    unsigned slot;
    int length;
};

// Reads one symbol: the table settles the first levels, the rest is walked one bit per level.
// Needs kTableBits bits in the buffer.
inline bool ReadSymbol(BitReader& in, Model& model, Code& code) {
    if (model.tableStale) model.FillTable();
    const TableEntry& e = model.table[in.Peek(kTableBits)];
    in.Skip(e.bits);
    int length = e.bits;
    unsigned slot = e.slot;
    unsigned c = e.node;
    while (c < unsigned(lzh::T)) {
        if (in.Count() == 0 && !in.Refill()) return false;
        slot = c + in.Bit();
        c = model.child[slot];
        length++;
    }
    code = {lzh::SymbolOf(c), slot, length};
    return true;
}

// A match position: its first byte gives the upper six bits and the code's length (3..8
// bits of prefix, then 6 - (8 - length) more); the low six bits end the code. Needs
// kPositionBits bits in the buffer.
inline unsigned ReadPosition(BitReader& in) {
    unsigned window = in.Peek(kPositionBits);
    unsigned first = window >> (kPositionBits - 8);
    int bits = kPositionTables.len[first] + 6;
    in.Skip(bits);
    return (unsigned(kPositionTables.code[first]) << 6) |
           ((window >> (kPositionBits - bits)) & 0x3F);
}

// For a match distance d below a copy step: where each byte of the first step repeats from
// (i % d), and the nearest whole repeat of the pattern at least a step back.
struct ShortRepeats {
    uint8_t from[kCopyStep][kCopyStep];
    uint8_t wholeRepeat[kCopyStep];

    constexpr ShortRepeats() : from(), wholeRepeat() {
        for (unsigned d = 1; d < kCopyStep; d++) {
            for (unsigned i = 0; i < kCopyStep; i++) from[d][i] = uint8_t(i % d);
            wholeRepeat[d] = uint8_t(d * ((kCopyStep + d - 1) / d));
        }
    }
};

inline constexpr ShortRepeats kShortRepeats{};

// Copies in whole steps (the excess lands in what the next codes overwrite, or in the margin).
// A source closer than a step repeats a short pattern (a pixel, on pictures): its first step is
// gathered from the pattern's own bytes (no byte waits for one just written), then whole steps
// follow from the nearest whole repeat at least a step back.
inline uint8_t* CopyMatch(uint8_t* out, unsigned distance, unsigned length) {
    unsigned i = 0;
    if (distance < kCopyStep) {
        const uint8_t* pattern = out - distance;
        const uint8_t* from = kShortRepeats.from[distance];
        uint8_t step[kCopyStep];
        for (unsigned j = 0; j < kCopyStep; j++) step[j] = pattern[from[j]];
        std::memcpy(out, step, kCopyStep);
        i = kCopyStep;
        distance = kShortRepeats.wholeRepeat[distance];
    }
    // Two steps whatever the length: most matches are that short, and a fixed count keeps the
    // loop's end predictable for them.
    const uint8_t* src = out - distance;
    std::memcpy(out + i, src + i, kCopyStep);
    std::memcpy(out + i + kCopyStep, src + i + kCopyStep, kCopyStep);
    for (i += 2 * kCopyStep; i < length; i += kCopyStep) std::memcpy(out + i, src + i, kCopyStep);
    return out + length;
}

// Decodes from `out` until it reaches `outEnd` (the last match may run up to kLzhMaxMatch - 1
// bytes past it, plus a copy step of excess). At least kHistory bytes must lie before `out`.
//
// The output comes before the model's update, which the output does not need: when the
// processor has guessed wrong about a move in the update, the work it throws away is then only
// the update's, not the match copy's as well.
LzhStatus DecodeLoop(BitReader& in, Model& model, uint8_t*& out, const uint8_t* outEnd) {
    while (out < outEnd) {
        if (in.Count() < kRefillBelow && !in.Refill()) return LzhStatus::SourceOverrun;
        Code code;
        if (!ReadSymbol(in, model, code)) return LzhStatus::SourceOverrun;
        if (code.symbol < 256) {
            *out++ = uint8_t(code.symbol);
        } else {
            if (in.Count() < kPositionBits && !in.Refill()) return LzhStatus::SourceOverrun;
            unsigned distance = ReadPosition(in) + 1;
            out = CopyMatch(out, distance, code.symbol - 255 + kLzhThreshold);
        }
        model.Update(code.symbol, code.slot, code.length);
    }
    return LzhStatus::Ok;
}

LzhStatus DecodeInto(BitReader& source, Model& model, uint8_t*& out, const uint8_t* outEnd) {
    BitReader in = source; // local copies, so that the bit buffer and the cursor stay in registers
    uint8_t* cursor = out;
    LzhStatus status = DecodeLoop(in, model, cursor, outEnd);
    source = in;
    out = cursor;
    return status;
}

// The first kHistory bytes (or all, if fewer) behind the ring's starting contents in `start`
// (kHistory + kHistory + kTailMargin bytes), copied to `result`; then the rest in place.
// Returns the status; `result` holds size + margin bytes.
LzhStatus DecodeAll(BitReader& in, Model& model, uint8_t* start, uint8_t* result, size_t size) {
    StartHistory(start);
    uint8_t* begin = start + kHistory;
    uint8_t* out = begin;
    LzhStatus status = DecodeInto(in, model, out, begin + std::min(size, kHistory));
    if (status != LzhStatus::Ok) return status;
    size_t done = std::min(size_t(out - begin), size);
    std::memcpy(result, begin, done);
    out = result + done;
    return DecodeInto(in, model, out, result + size);
}

// Streaming: decodes `size` bytes into `window` (kHistory + kLzhStreamChunk + kTailMargin bytes),
// handing each chunk on and sliding its last kHistory bytes down as the next one's history.
LzhStatus DecodeStream(BitReader& in, Model& model, uint8_t* window, uint64_t size,
                       const LzhWrite& write) {
    StartHistory(window);
    uint8_t* begin = window + kHistory;
    while (size > 0) {
        uint8_t* out = begin;
        LzhStatus status =
            DecodeInto(in, model, out, begin + std::min<uint64_t>(size, kLzhStreamChunk));
        if (status != LzhStatus::Ok) return status;
        size_t made = size_t(std::min<uint64_t>(uint64_t(out - begin), size));
        if (!write(std::span<const uint8_t>(begin, made))) return LzhStatus::WriteFailed;
        size -= made;
        std::memmove(window, out - kHistory, kHistory); // a match may reach 4 KB back
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
    case LzhStatus::WriteFailed:
        return "the unpacked bytes could not be written";
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
    auto start = NewBuffer(kHistory + kHistory + kTailMargin);
    AllocateOutput(out, size);
    BitReader in(bits);
    LzhStatus status = DecodeAll(in, *model, start.get(), out.data(), size);
    if (status != LzhStatus::Ok) {
        out.clear();
        return status;
    }
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

LzhStatus TLZH::UnpackStream(const LzhRead& read, const LzhWrite& write) {
    auto memory = NewStreamMemory();
    InputFeed feed(read, memory->input);
    BitReader in(feed);
    uint8_t word[4];
    if (!in.TakeBytes(word, 4)) return LzhStatus::TooShort;
    int32_t declared = int32_t(uint32_t(word[0]) | uint32_t(word[1]) << 8 |
                               uint32_t(word[2]) << 16 | uint32_t(word[3]) << 24);
    if (declared <= 0) return LzhStatus::Ok;
    if (declared > kLzhMaxUnpacked) return LzhStatus::TooLarge;
    LzhStatus status = DecodeStream(in, memory->model, memory->window, uint64_t(declared), write);
    // Unpack refuses such a size before decoding; here the source's size is known only at its
    // end, which a stream declaring more than it can hold always reaches.
    if (status == LzhStatus::SourceOverrun && feed.Ended() &&
        uint64_t(declared) > LzhMaxExpansion(size_t(feed.Total() - 4)))
        return LzhStatus::TooLarge;
    return status;
}

} // namespace kv

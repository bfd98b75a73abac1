#pragma once
// TLZH: the LZHUF codec of packed skins (adaptive-Huffman LZSS, 4 KB ring, matches of 3..60).
//
// Packed stream layout (little-endian):
//   offset 0, 4 bytes: unpacked size, 32-bit signed (0 or less unpacks nothing)
//   offset 4, rest:    LZHUF bit stream, most significant bit first
//
// Contract
// - Unpack(packed, out) decodes a whole packed stream; Decode(bits, size, out) decodes a bit
//   stream whose size word has already been read. Both replace `out` with exactly the declared
//   number of bytes on success (a match that crosses the end is cut there).
// - Never reads outside the given bytes and never writes outside `out`. Bytes past the end of
//   the bit stream read as zero (a valid stream's last code ends inside a partly used byte),
//   but only up to kLzhSourceSlack of them: a stream that needs more is damaged and fails.
// - A declared size above kLzhMaxUnpacked, or above what the given number of source bytes can
//   possibly expand to, fails before anything is allocated.
// - On failure `out` is empty. Failures are reported by status, never by exception; only a
//   failed allocation of the tables or the output raises ElzhException.
// - Encode(data) / Pack(data) write the standard LZHUF encoding with the same constants;
//   Pack prefixes the size word. Inputs above kLzhMaxUnpacked are refused (ElzhException),
//   because no reader would accept them.
// - UnpackStream(read, write) decodes a packed stream pulled through `read` and hands the output
//   to `write` piece by piece, with fixed buffers whatever the sizes. It gives the same status
//   as Unpack for the same bytes (the 64 MiB cap included) and the same output, but on failure
//   `write` may already have taken part of it: the caller discards that. WriteFailed when
//   `write` refuses a piece (nothing more is read or written then).
// - Stateless and thread-compatible: every call owns its tables.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace kv {

// The method's constants.
inline constexpr int kLzhRingSize = 4096; // N
inline constexpr int kLzhMaxMatch = 60;   // F
inline constexpr int kLzhThreshold = 2;   // shortest match is THRESHOLD + 1
inline constexpr int kLzhCharCount = 256 - kLzhThreshold + kLzhMaxMatch; // 314 symbols
inline constexpr int kLzhTreeSize = 2 * kLzhCharCount - 1;               // 627 nodes
inline constexpr int kLzhRoot = kLzhTreeSize - 1;                        // 626
inline constexpr unsigned kLzhMaxFreq = 0x8000; // root frequency that triggers a rebuild

// The largest unpacked size we accept. The stored skin unpacks to about 400 KB; 64 MiB leaves
// room for big skins and still bounds what a hostile 20-byte file can make us allocate.
inline constexpr int64_t kLzhMaxUnpacked = int64_t(64) << 20;
// Zero bytes that may be read past the end of a bit stream before it counts as damaged. A valid
// stream needs at most two (the decoder looks one byte ahead of its last code).
inline constexpr size_t kLzhSourceSlack = 8;

class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class LzhStatus {
    Ok,
    TooShort,      // fewer than 4 bytes: no size word
    TooLarge,      // declared size above kLzhMaxUnpacked
    SourceOverrun, // the bit stream ended more than kLzhSourceSlack bytes before the output
    WriteFailed,   // streaming: the output could not be handed on
};

// Streaming hands the output on in pieces of about this size (a match may add up to 59 bytes).
inline constexpr size_t kLzhStreamChunk = 16 * 1024;

// Streaming: `LzhRead` fills (a prefix of) the span it is given and returns how many bytes it
// put there, 0 at the end of the stream; `LzhWrite` takes the next piece of output, false if it
// could not.
using LzhRead = std::function<size_t(std::span<uint8_t>)>;
using LzhWrite = std::function<bool(std::span<const uint8_t>)>;

const char* LzhStatusText(LzhStatus status);

class TLZH {
public:
    static LzhStatus Unpack(std::span<const uint8_t> packed, std::vector<uint8_t>& out);
    static LzhStatus Decode(std::span<const uint8_t> bits, int64_t unpackedSize,
                            std::vector<uint8_t>& out);
    static LzhStatus UnpackStream(const LzhRead& read, const LzhWrite& write);

    static std::vector<uint8_t> Encode(std::span<const uint8_t> data);
    static std::vector<uint8_t> Pack(std::span<const uint8_t> data);
};

// The most bytes `sourceBytes` bytes of bit stream can decode to (each code of a match takes at
// least 10 bits and yields at most 60 bytes). Used to refuse absurd declared sizes up front.
uint64_t LzhMaxExpansion(size_t sourceBytes);

} // namespace kv

#pragma once
// The character format's bit-level LZ77 compressor and decompressor (image pixels and regions).
//
// Contract
// - AcsDecompress reads only `in` and writes only out[0, out.size()). It decodes literals and
//   copies until the end marker or until `out` is full, whichever comes first (a stream may
//   describe a little more than its image needs; the excess is ignored). `written` receives
//   the number of bytes produced in either case.
//   It returns Ok when it stopped at the end marker or a full output, Malformed when the
//   stream ran out before either, or held a copy reaching before the start of the output, or
//   a length prefix of twelve 1-bits. Bytes written before a failure stay written. The work is
//   bounded by in.size() + out.size(): it never hangs.
// - AcsCompress returns a complete stream (leading 0x00, bits, end marker, six 0xFF bytes) that
//   AcsDecompress turns back into exactly `in`. It is deterministic: the same input always gives
//   the same bytes. Inputs above kAcsMaxCompressInput bytes are refused with an empty result.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kv {

enum class AcsDecodeStatus { Ok, Malformed };

AcsDecodeStatus AcsDecompress(std::span<const uint8_t> in, std::span<uint8_t> out, size_t& written);

// 64 MB: far above any image (4096 x 4096 at most) and below what a 32-bit process can spare.
constexpr size_t kAcsMaxCompressInput = size_t(64) * 1024 * 1024;

std::vector<uint8_t> AcsCompress(std::span<const uint8_t> in);

} // namespace kv

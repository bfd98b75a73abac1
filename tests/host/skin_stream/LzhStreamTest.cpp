// Streaming decoding: the same bytes and the same status as decoding from memory, whatever the
// pieces the input arrives in, with the output handed on in bounded pieces.
#include "skin/data/Lzh.h"
#include "tests/host/skin_stream/SkinStreamData.h"
#include "tests/host/skin_stream/bench/BenchInputs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using kv::LzhStatus;
using kv::TLZH;
using Bytes = std::vector<uint8_t>;

constexpr size_t kChunk = kv::kLzhStreamChunk;

struct Streamed {
    LzhStatus status;
    Bytes out;
    size_t largestPiece = 0;
    size_t writes = 0;
};

// Streams `packed`, handing the decoder at most `step` bytes per read; `acceptPieces` writes
// succeed, the next one fails.
Streamed Stream(const Bytes& packed, size_t step, size_t acceptPieces = SIZE_MAX) {
    Streamed r{};
    size_t pos = 0;
    auto read = [&](std::span<uint8_t> buffer) {
        size_t n = std::min({buffer.size(), packed.size() - pos, step});
        std::copy_n(packed.data() + pos, n, buffer.data());
        pos += n;
        return n;
    };
    auto write = [&](std::span<const uint8_t> piece) {
        if (r.writes++ == acceptPieces) return false;
        r.out.insert(r.out.end(), piece.begin(), piece.end());
        r.largestPiece = std::max(r.largestPiece, piece.size());
        return true;
    };
    r.status = TLZH::UnpackStream(read, write);
    return r;
}

int64_t Declared(const Bytes& packed) {
    if (packed.size() < 4) return 0;
    int32_t size = int32_t(uint32_t(packed[0]) | uint32_t(packed[1]) << 8 |
                           uint32_t(packed[2]) << 16 | uint32_t(packed[3]) << 24);
    return std::max<int64_t>(size, 0);
}

void ExpectStreamsTo(const Bytes& data, size_t step = SIZE_MAX) {
    Streamed r = Stream(TLZH::Pack(data), step);
    ASSERT_EQ(r.status, LzhStatus::Ok) << data.size();
    ASSERT_EQ(r.out.size(), data.size());
    EXPECT_TRUE(r.out == data) << data.size();
    EXPECT_LE(r.largestPiece, kChunk + kv::kLzhMaxMatch - 1);
}

// The output is handed on a chunk at a time and each chunk's end becomes the next one's history:
// sizes on both sides of chunk ends, and matches that reach back across them.
TEST(LzhStream, SizesAroundChunkEnds) {
    Bytes image = kv::benchdata::NoisyImageData(2 * kChunk + 100);
    for (size_t size : {kChunk - 1, kChunk, kChunk + 1, kChunk + 59, 2 * kChunk, 2 * kChunk + 61})
        ExpectStreamsTo(Bytes(image.begin(), image.begin() + std::ptrdiff_t(size)));
    // A run: every match overlaps its own output and straddles each chunk end.
    ExpectStreamsTo(Bytes(3 * kChunk + 7, 'x'));
    // Matches from up to 4095 bytes back, across the first chunk's end.
    Bytes block = kv::testdata::RandomBytes(5, 4095, 16);
    Bytes repeated;
    while (repeated.size() < kChunk + 3 * block.size()) {
        repeated.insert(repeated.end(), block.begin(), block.end());
        repeated.push_back(uint8_t(repeated.size()));
    }
    ExpectStreamsTo(repeated);
}

TEST(LzhStream, InputInAnyPiecesDecodesTheSame) {
    std::string text = kv::benchdata::EnglishLikeText(150000);
    Bytes data(text.begin(), text.end());
    for (size_t step : {size_t(1), size_t(3), size_t(8), size_t(4099), size_t(70000)})
        ExpectStreamsTo(data, step);
    ExpectStreamsTo(kv::benchdata::NoisyImageData(300000), 5);
    ExpectStreamsTo({});
    ExpectStreamsTo({0x41}, 1);
}

// Every status Unpack gives, for the same bytes, in every read size; a failure is the caller's
// to discard, but never more than the declared size is handed on.
TEST(LzhStream, SameStatusAsUnpackOnDamagedAndTruncatedStreams) {
    Bytes data = kv::testdata::RandomBytes(3, 90000, 40);
    Bytes packed = TLZH::Pack(data);
    Bytes huge = {0xFF, 0xFF, 0xFF, 0x7F}; // 2 GB declared by a 20-byte file
    huge.resize(20, 0);
    Bytes tooLongSize = packed;
    tooLongSize[0] ^= 0x40;
    std::vector<Bytes> cases = {{}, {1}, {1, 2, 3}, {0, 0, 0, 0}, {0, 0, 0, 0x80, 0xE6}, huge,
                                tooLongSize};
    for (size_t cut : {size_t(5), size_t(200), packed.size() / 2, packed.size() - 40})
        cases.push_back(Bytes(packed.begin(), packed.begin() + std::ptrdiff_t(cut)));
    for (const Bytes& input : cases) {
        Bytes expected;
        LzhStatus status = TLZH::Unpack(input, expected);
        for (size_t step : {size_t(1), size_t(7), SIZE_MAX}) {
            Streamed r = Stream(input, step);
            EXPECT_EQ(r.status, status) << input.size() << " bytes, step " << step;
            if (status == LzhStatus::Ok) {
                EXPECT_TRUE(r.out == expected);
            }
            EXPECT_LE(int64_t(r.out.size()), Declared(input)) << input.size();
        }
    }
}

TEST(LzhStream, OutputIsExactlyTheDeclaredSize) {
    // A 3-byte match against a declared size of 2 is cut at the size.
    Streamed r = Stream({2, 0, 0, 0, 0x8C, 0x00, 0x00}, SIZE_MAX);
    ASSERT_EQ(r.status, LzhStatus::Ok);
    EXPECT_EQ(r.out, (Bytes{' ', ' '}));
    // A declared size inside a chunk's last match: the rest of the match is not handed on.
    Bytes data(2 * kChunk, 'y');
    Bytes packed = TLZH::Pack(data);
    uint32_t size = uint32_t(kChunk + 30);
    for (int i = 0; i < 4; i++) packed[size_t(i)] = uint8_t(size >> (8 * i));
    r = Stream(packed, 1000);
    ASSERT_EQ(r.status, LzhStatus::Ok);
    EXPECT_TRUE(r.out == Bytes(size, 'y'));
}

TEST(LzhStream, AFailedWriteStopsTheDecoding) {
    Bytes data = kv::benchdata::NoisyImageData(4 * kChunk);
    Streamed r = Stream(TLZH::Pack(data), SIZE_MAX, 1);
    EXPECT_EQ(r.status, LzhStatus::WriteFailed);
    EXPECT_EQ(r.writes, 2u); // the refused piece is the last one offered
    EXPECT_STRNE(kv::LzhStatusText(r.status), "unknown");
}

} // namespace

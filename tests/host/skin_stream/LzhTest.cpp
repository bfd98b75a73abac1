#include "skin/data/Lzh.h"
#include "tests/host/skin_stream/SkinStreamData.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using kv::LzhStatus;
using kv::TLZH;
using Bytes = std::vector<uint8_t>;

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes Decode(const Bytes& bits, int64_t size, LzhStatus expect = LzhStatus::Ok) {
    Bytes out = {0xEE}; // must be replaced, not appended to
    EXPECT_EQ(TLZH::Decode(bits, size, out), expect);
    return out;
}

void ExpectRoundTrip(const Bytes& data) {
    Bytes packed = TLZH::Pack(data);
    Bytes out;
    ASSERT_EQ(TLZH::Unpack(packed, out), LzhStatus::Ok);
    ASSERT_EQ(out.size(), data.size());
    EXPECT_TRUE(out == data);
}

// Codes written by hand from the starting tree (leaf s is node s, inner node 314 + k/2 is the
// parent of node k, the root is 626), independent of the model code.
TEST(LzhDecode, HandWrittenCodesFromTheStartingTree) {
    // 'A' (65): path 111001101, then padding.
    EXPECT_EQ(Decode({0xE6, 0x80}, 1), Text("A"));
    // Symbol 256 (a 3-byte match) is 10001100; position 0 copies the space before the start.
    EXPECT_EQ(Decode({0x8C, 0x00, 0x00}, 3), Text("   "));
    // The final bits of a stream are zeros that are not stored: read past the end as zero.
    EXPECT_EQ(Decode({0x8C}, 3), Text("   "));
    // Position 4035 (upper 63: prefix 11111111, low 000011) reaches ring position 0: spaces.
    EXPECT_EQ(Decode({0x8C, 0xFF, 0x0C}, 3), Text("   "));
    // Position 4036 starts in the ring's never-written end (read as zero), then wraps to the
    // spaces at its start.
    EXPECT_EQ(Decode({0x8C, 0xFF, 0x10}, 3), (Bytes{0, ' ', ' '}));
}

TEST(LzhDecode, OutputIsExactlyTheDeclaredSize) {
    // A 3-byte match against a declared size of 2 is cut at the size.
    EXPECT_EQ(Decode({0x8C, 0x00, 0x00}, 2), Text("  "));
    Bytes data = kv::testdata::RandomBytes(7, 5000, 4);
    Bytes bits = TLZH::Encode(data);
    Bytes prefix = Decode(bits, 1234);
    EXPECT_TRUE(prefix == Bytes(data.begin(), data.begin() + 1234));
}

TEST(LzhDecode, NonPositiveSizesUnpackNothing) {
    EXPECT_TRUE(Decode({0xE6, 0x80}, 0).empty());
    EXPECT_TRUE(Decode({0xE6, 0x80}, -1).empty());
    Bytes out = {1};
    EXPECT_EQ(TLZH::Unpack(Bytes{0x00, 0x00, 0x00, 0x80, 0xE6}, out), LzhStatus::Ok);
    EXPECT_TRUE(out.empty());
}

TEST(LzhDecode, RefusesStreamsWithoutASizeWord) {
    for (size_t n = 0; n < 4; n++) {
        Bytes out = {1};
        EXPECT_EQ(TLZH::Unpack(Bytes(n, 0x10), out), LzhStatus::TooShort);
        EXPECT_TRUE(out.empty());
    }
}

TEST(LzhDecode, RefusesDeclaredSizesTheStreamCannotHoldWithoutAllocating) {
    auto start = std::chrono::steady_clock::now();
    // 2 GB declared by a 20-byte file.
    Bytes packed = {0xFF, 0xFF, 0xFF, 0x7F};
    packed.resize(20, 0);
    Bytes out = {1};
    EXPECT_EQ(TLZH::Unpack(packed, out), LzhStatus::TooLarge);
    EXPECT_TRUE(out.empty());
    // Above the cap even when the source could in principle expand that far.
    Bytes big(2 << 20, 0);
    EXPECT_EQ(TLZH::Decode(big, kv::kLzhMaxUnpacked + 1, out), LzhStatus::TooLarge);
    // Within what 16 bytes can expand to in theory, but the stream runs out: overrun.
    EXPECT_EQ(TLZH::Decode(Bytes(16, 0x55), 800, out), LzhStatus::SourceOverrun);
    EXPECT_TRUE(out.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(LzhDecode, TruncatedStreamsFailInsteadOfInventingZeros) {
    Bytes data = kv::testdata::RandomBytes(3, 20000);
    Bytes bits = TLZH::Encode(data);
    // Far too short to hold 20000 bytes: refused before decoding.
    Decode(Bytes(bits.begin(), bits.begin() + 1), int64_t(data.size()), LzhStatus::TooLarge);
    for (size_t cut : {bits.size() / 2, bits.size() - 40}) {
        Bytes shortBits(bits.begin(), bits.begin() + cut);
        EXPECT_TRUE(Decode(shortBits, int64_t(data.size()), LzhStatus::SourceOverrun).empty());
    }
    // A size word promising more than the stream holds.
    Decode(bits, int64_t(data.size()) + 5000, LzhStatus::SourceOverrun);
}

TEST(LzhDecode, DamagedStreamsNeverReadOrWriteOutOfBounds) {
    Bytes data = kv::testdata::RandomBytes(11, 30000, 6);
    Bytes bits = TLZH::Encode(data);
    uint32_t s = 99;
    for (int round = 0; round < 40; round++) {
        Bytes damaged = bits;
        for (int k = 0; k < 3; k++)
            damaged[kv::testdata::NextRandom(s) % damaged.size()] ^= uint8_t(1 + round);
        Bytes out;
        LzhStatus status = TLZH::Decode(damaged, int64_t(data.size()), out);
        if (status == LzhStatus::Ok)
            EXPECT_EQ(out.size(), data.size());
        else
            EXPECT_TRUE(out.empty());
    }
}

TEST(LzhRoundTrip, SmallAndEdgeInputs) {
    ExpectRoundTrip({});
    ExpectRoundTrip({0x41});
    ExpectRoundTrip(Text("ab"));
    ExpectRoundTrip(Bytes(3, ' '));
    ExpectRoundTrip(Bytes(61, 'x'));
    ExpectRoundTrip(Bytes(100000, 0));
    ExpectRoundTrip(Text("abcabcabcabcabcabcabcabc the quick brown fox jumps over the dog"));
}

TEST(LzhRoundTrip, RandomAndStructuredData) {
    for (unsigned alphabet : {2u, 16u, 256u})
        ExpectRoundTrip(kv::testdata::RandomBytes(alphabet, 70000, alphabet));
    // Repeats 4095 and 4096 bytes apart, at the edge of the window.
    Bytes block = kv::testdata::RandomBytes(5, 4095);
    Bytes twice = block;
    twice.insert(twice.end(), block.begin(), block.end());
    twice.push_back(9);
    twice.insert(twice.end(), block.begin(), block.end());
    ExpectRoundTrip(twice);
}

TEST(LzhRoundTrip, PatternsRepeatingAtEveryShortDistance) {
    // Periods around the copy step, each run long enough to be a match of every length; a
    // fresh pattern per run, so the match is its own repeat rather than an older copy.
    Bytes data;
    uint8_t next = 1;
    for (size_t period = 1; period <= 17; period++) {
        for (size_t run : {3u, 7u, 8u, 9u, 16u, 17u, 60u, 200u}) {
            size_t start = data.size();
            for (size_t i = 0; i < period; i++) data.push_back(next += 37);
            for (size_t i = 0; i < run; i++) data.push_back(data[start + i % period]);
        }
    }
    Bytes packed = TLZH::Pack(data);
    EXPECT_LT(packed.size(), data.size() / 2);
    Bytes out;
    ASSERT_EQ(TLZH::Unpack(packed, out), LzhStatus::Ok);
    ASSERT_EQ(out.size(), data.size());
    for (size_t i = 0; i < data.size(); i++) ASSERT_EQ(out[i], data[i]) << "at byte " << i;
}

TEST(LzhRoundTrip, SkinLikeDataCompressesAndSurvivesModelRebuilds) {
    Bytes package;
    std::string error;
    ASSERT_TRUE(kv::BuildSkinPackage(kv::testdata::SkinLikeEntries(), package, error)) << error;
    Bytes packed = TLZH::Pack(package);
    EXPECT_LT(packed.size(), package.size() / 2); // gradients and flat areas pack well
    ExpectRoundTrip(package);
}

TEST(LzhEncode, IsDeterministicAndWritesTheSizeWord) {
    Bytes data = kv::testdata::RandomBytes(21, 3000, 8);
    Bytes a = TLZH::Pack(data), b = TLZH::Pack(data);
    EXPECT_TRUE(a == b);
    ASSERT_GE(a.size(), 4u);
    EXPECT_EQ(a[0] | a[1] << 8 | a[2] << 16 | a[3] << 24, 3000);
}

} // namespace

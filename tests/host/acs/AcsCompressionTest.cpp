#include "agent/acs/AcsCompression.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using kv::AcsCompress;
using kv::AcsDecodeStatus;
using kv::AcsDecompress;

// Decodes into a buffer of `capacity` bytes followed by canary bytes that must stay untouched.
std::vector<uint8_t> Decode(const std::vector<uint8_t>& in, size_t capacity,
                            AcsDecodeStatus* status = nullptr) {
    constexpr uint8_t kCanary = 0xA5;
    std::vector<uint8_t> out(capacity + 16, kCanary);
    size_t written = 0;
    const AcsDecodeStatus s = AcsDecompress(in, std::span(out.data(), capacity), written);
    for (size_t i = capacity; i < out.size(); ++i) EXPECT_EQ(out[i], kCanary) << "at " << i;
    EXPECT_LE(written, capacity);
    if (status) *status = s;
    out.resize(written);
    return out;
}

// A stream from a text of bits in reading order (blanks ignored), after the leading 0x00.
std::vector<uint8_t> Stream(const std::string& bits) {
    std::vector<uint8_t> out = {0x00};
    int n = 0;
    for (char ch : bits) {
        if (ch == ' ') continue;
        if (n % 8 == 0) out.push_back(0);
        if (ch == '1') out.back() |= uint8_t(1 << (n % 8));
        ++n;
    }
    return out;
}

TEST(AcsDecompress, DecodesTheWorkedExamples) {
    const std::vector<uint8_t> abab = {0x00, 0x82, 0x08, 0x15, 0x8C, 0xFF,
                                       0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    AcsDecodeStatus status;
    EXPECT_EQ(Decode(abab, 7, &status), std::vector<uint8_t>({'A', 'B', 'A', 'B', 'A', 'B', 'A'}));
    EXPECT_EQ(status, AcsDecodeStatus::Ok);

    const std::vector<uint8_t> region = {0x00, 0x40, 0x00, 0x04, 0x10, 0xD0, 0x90, 0x80, 0x42, 0xED,
                                         0x98, 0x01, 0xB7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::vector<uint8_t> expected(32, 0);
    expected[0] = 0x20;
    expected[4] = 0x01;
    expected[12] = 0xA8;
    EXPECT_EQ(Decode(region, 32, &status), expected);
    EXPECT_EQ(status, AcsDecodeStatus::Ok);
}

TEST(AcsDecompress, StopsAtAFullOutputAndAtTheEndMarker) {
    const std::vector<uint8_t> abab = {0x00, 0x82, 0x08, 0x15, 0x8C, 0xFF,
                                       0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    AcsDecodeStatus status;
    // A stream that describes more than the image needs: the excess is dropped.
    EXPECT_EQ(Decode(abab, 4, &status), std::vector<uint8_t>({'A', 'B', 'A', 'B'}));
    EXPECT_EQ(status, AcsDecodeStatus::Ok);
    // A bigger output than the stream describes: the marker ends it early.
    EXPECT_EQ(Decode(abab, 100, &status).size(), 7u);
    EXPECT_EQ(status, AcsDecodeStatus::Ok);
    EXPECT_TRUE(Decode(abab, 0, &status).empty());
    EXPECT_EQ(status, AcsDecodeStatus::Ok);
}

TEST(AcsDecompress, RejectsMalformedStreamsWithoutOverrun) {
    AcsDecodeStatus status;
    // Cut before the marker.
    Decode({0x00, 0x82, 0x08, 0x15}, 100, &status);
    EXPECT_EQ(status, AcsDecodeStatus::Malformed);
    // A copy as the first item reaches before the start of the output.
    Decode({0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 100, &status);
    EXPECT_EQ(status, AcsDecodeStatus::Malformed);
    // Literal 'A', then a copy at distance 1 whose length prefix has twelve 1-bits.
    Decode(Stream("0 10000010 1 0 000000 111111111111 0"), 100, &status);
    EXPECT_EQ(status, AcsDecodeStatus::Malformed);
    // The same with eleven 1-bits is the longest legal copy: 2 + 2047 + 2047 = 4096 bytes.
    std::vector<uint8_t> longest =
        Decode(Stream("0 10000010 1 0 000000 11111111111 0 11111111111 1 111 11111111111111111111"),
               5000, &status);
    EXPECT_EQ(status, AcsDecodeStatus::Ok);
    EXPECT_EQ(longest, std::vector<uint8_t>(4097, 'A'));
    // A copy from further back than what was written.
    Decode(Stream("0 10000010 1 0 100000 0"), 100, &status);
    EXPECT_EQ(status, AcsDecodeStatus::Malformed);
    Decode({}, 10, &status);
    EXPECT_EQ(status, AcsDecodeStatus::Malformed);
    Decode({0x00}, 10, &status);
    EXPECT_EQ(status, AcsDecodeStatus::Malformed);
}

TEST(AcsDecompress, SurvivesRandomGarbage) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> in(rng() % 64);
        for (auto& b : in) b = uint8_t(rng());
        Decode(in, rng() % 300);
    }
}

std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& in) {
    const std::vector<uint8_t> packed = AcsCompress(in);
    EXPECT_GE(packed.size(), 7u);
    EXPECT_EQ(packed.front(), 0x00);
    for (size_t i = packed.size() - 6; i < packed.size(); ++i) EXPECT_EQ(packed[i], 0xFF);
    AcsDecodeStatus status;
    std::vector<uint8_t> out = Decode(packed, in.size() + 8, &status);
    EXPECT_EQ(status, AcsDecodeStatus::Ok);
    return out;
}

TEST(AcsCompress, RoundTripsEveryKindOfInput) {
    EXPECT_EQ(AcsCompress({}), std::vector<uint8_t>({0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    std::mt19937 rng(3);
    std::vector<std::vector<uint8_t>> inputs;
    inputs.push_back({42});
    inputs.push_back(std::vector<uint8_t>(10000, 7)); // one long run
    inputs.push_back(std::vector<uint8_t>(5000));     // random: literals only
    for (auto& b : inputs.back()) b = uint8_t(rng());
    std::vector<uint8_t> far(200000); // repeats at every distance form
    for (size_t i = 0; i < far.size(); ++i) far[i] = uint8_t(rng() % 4);
    for (size_t d : {30u, 300u, 3000u, 30000u})
        for (size_t i = 0; i < 40; ++i) far[100000 + d + i] = far[100000 + i];
    inputs.push_back(far);
    std::vector<uint8_t> image(160 * 120); // a typical character picture: flat areas, edges
    for (size_t y = 0; y < 120; ++y)
        for (size_t x = 0; x < 160; ++x)
            image[y * 160 + x] = uint8_t((x - 80) * (x - 80) + (y - 60) * (y - 60) < 2500 ? 5 : 10);
    inputs.push_back(image);
    for (const auto& in : inputs) EXPECT_EQ(RoundTrip(in), in) << "size " << in.size();
    EXPECT_LT(AcsCompress(image).size(), image.size() / 10); // copies are really used
}

TEST(AcsCompress, IsDeterministic) {
    std::vector<uint8_t> in(20000);
    for (size_t i = 0; i < in.size(); ++i) in[i] = uint8_t((i * 7) % 13);
    EXPECT_EQ(AcsCompress(in), AcsCompress(in));
}

} // namespace

// The decoder on inputs like real skins (noisy pictures, text): byte for byte the original, and
// the same as the classic decoder (bench/classic_lzhuf.cpp) run as a program.
#include "skin/data/Lzh.h"
#include "skin/data/SkinWrite.h"
#include "tests/host/skin_stream/bench/BenchInputs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using kv::LzhStatus;
using kv::TLZH;

Bytes NoisySkinPackage() {
    Bytes package;
    std::string error;
    EXPECT_TRUE(kv::BuildSkinPackage(kv::benchdata::NoisySkinEntries(), package, error)) << error;
    return package;
}

Bytes EnglishText(size_t bytes) {
    std::string text = kv::benchdata::EnglishLikeText(bytes);
    return Bytes(text.begin(), text.end());
}

void ExpectRoundTrip(const Bytes& data) {
    Bytes packed = TLZH::Pack(data);
    Bytes out;
    ASSERT_EQ(TLZH::Unpack(packed, out), LzhStatus::Ok);
    ASSERT_EQ(out.size(), data.size());
    EXPECT_TRUE(out == data);
}

// The model changes all the time on noisy pictures, now and then near the root: every change
// the symbol table has to follow shows up here as a wrong byte.
TEST(LzhLikeRealSkins, RoundTripsByteForByte) {
    Bytes package = NoisySkinPackage();
    EXPECT_GT(package.size(), 400000u);
    ExpectRoundTrip(package);
    ExpectRoundTrip(kv::benchdata::NoisyImageData(1 << 20));
    ExpectRoundTrip(EnglishText(600 * 1024));
}

// The first 4 KB are decoded behind the ring's starting contents and the rest in place: sizes
// and matches on both sides of that seam.
TEST(LzhLikeRealSkins, SizesAroundTheFirstFourKilobytes) {
    Bytes text = EnglishText(4300);
    Bytes image = kv::benchdata::NoisyImageData(4300);
    for (size_t size = 4030; size <= 4300; size += 3) {
        ExpectRoundTrip(Bytes(text.begin(), text.begin() + std::ptrdiff_t(size)));
        ExpectRoundTrip(Bytes(image.begin(), image.begin() + std::ptrdiff_t(size)));
    }
    // A long run: every match overlaps its own output, across the seam.
    ExpectRoundTrip(Bytes(9000, 'x'));
}

class LzhClassicDecoder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) / "lzh_classic";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // What the classic decoder makes of `packed`, run as a program.
    Bytes Classic(const Bytes& packed) {
        fs::path in = dir_ / "in.packed", out = dir_ / "out.raw";
        std::ofstream(in, std::ios::binary)
            .write(reinterpret_cast<const char*>(packed.data()), std::streamsize(packed.size()));
        std::string cmd = std::string("\"") + KV_CLASSIC_LZHUF_EXE + "\" \"" + in.string() +
                          "\" \"" + out.string() + "\"";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        std::ifstream f(out, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(f), {});
    }

    void ExpectSameAsClassic(const Bytes& data) {
        Bytes packed = TLZH::Pack(data);
        Bytes ours;
        ASSERT_EQ(TLZH::Unpack(packed, ours), LzhStatus::Ok);
        Bytes classic = Classic(packed);
        EXPECT_TRUE(classic == data);
        EXPECT_TRUE(ours == classic);
    }

    fs::path dir_;
};

TEST_F(LzhClassicDecoder, AgreesOnNoisyPicturesAndText) {
    ExpectSameAsClassic(NoisySkinPackage());
    ExpectSameAsClassic(EnglishText(600 * 1024));
}

} // namespace

#include "AcsTestCharacters.h"

#include "agent/acs/AcsCompose.h"
#include "agent/acs/AcsReader.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace kv;

bool Reads(const std::vector<uint8_t>& bytes, std::string* error = nullptr) {
    AcsCharacter c;
    std::string why;
    const bool ok = ReadAcs(bytes, c, why);
    EXPECT_EQ(ok, why.empty()) << why;
    if (ok) {
        // Whatever loads must be consistent and drawable.
        EXPECT_EQ(AcsValidate(c), "");
        AcsFrameComposer composer(c);
        PixelBuffer out;
        for (const auto& a : c.animations)
            for (const auto& f : a.frames) composer.Compose(f, out, {AcsMouth::Closed, 0});
    } else {
        EXPECT_EQ(c, AcsCharacter{}); // a failed load leaves nothing behind
    }
    if (error) *error = why;
    return ok;
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

TEST(AcsHostile, EveryTruncationFailsCleanly) {
    const std::vector<uint8_t> full = test::Written(test::FullCharacter());
    for (size_t n = 0; n < full.size(); ++n) {
        const std::vector<uint8_t> cut(full.begin(), full.begin() + ptrdiff_t(n));
        EXPECT_FALSE(Reads(cut)) << "cut at " << n;
    }
    EXPECT_TRUE(Reads(full));
}

TEST(AcsHostile, RecognisesOtherFileKindsByName) {
    std::string error;
    std::vector<uint8_t> compound = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    compound.resize(512);
    EXPECT_FALSE(Reads(compound, &error));
    EXPECT_NE(error.find("1.5"), std::string::npos);
    std::vector<uint8_t> web = test::Written(test::MinimalCharacter());
    web[0] = 0xC4;
    EXPECT_FALSE(Reads(web, &error));
    EXPECT_NE(error.find("web"), std::string::npos);
    EXPECT_FALSE(Reads(std::vector<uint8_t>(100, 0), &error));
    EXPECT_NE(error.find("not a character"), std::string::npos);
}

TEST(AcsHostile, BadLocatorsCountsAndSizesFail) {
    const std::vector<uint8_t> good = test::Written(test::FullCharacter());
    std::string error;
    for (size_t field : {4u, 12u, 20u, 28u}) {
        std::vector<uint8_t> b = good;
        Put32(b, field, 0xFFFFFFF0); // offset far past the end, must not wrap
        EXPECT_FALSE(Reads(b, &error)) << field;
        b = good;
        Put32(b, field + 4, 0xFFFFFFFF); // size far past the end
        EXPECT_FALSE(Reads(b, &error)) << field;
    }
    // Counts claiming billions of items.
    for (size_t field : {12u, 20u, 28u}) {
        std::vector<uint8_t> b = good;
        const uint32_t list = uint32_t(b[field]) | uint32_t(b[field + 1]) << 8 |
                              uint32_t(b[field + 2]) << 16 | uint32_t(b[field + 3]) << 24;
        Put32(b, list, 0xFFFFFFFF);
        EXPECT_FALSE(Reads(b, &error)) << field;
    }
}

TEST(AcsHostile, ScrambledBodiesFailAndRandomFlipsNeverCrash) {
    const std::vector<uint8_t> good = test::Written(test::FullCharacter());
    std::mt19937 rng(11);
    std::vector<uint8_t> scrambled = good;
    for (size_t i = 36; i < scrambled.size(); ++i) scrambled[i] = uint8_t(rng());
    EXPECT_FALSE(Reads(scrambled));
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> b = good;
        for (int k = 0; k < 1 + round % 4; ++k) b[rng() % b.size()] = uint8_t(rng());
        Reads(b);
    }
}

TEST(AcsHostile, AbsurdSizesAreRefusedBeforeAllocating) {
    AcsCharacter c = test::MinimalCharacter();
    std::vector<uint8_t> b = test::Written(c);
    const uint32_t info = uint32_t(b[4]) | uint32_t(b[5]) << 8 | uint32_t(b[6]) << 16;
    std::string error;
    std::vector<uint8_t> wide = b;
    wide[info + 28] = 0xFF; // width 0xFFFF... beyond the cap
    wide[info + 29] = 0xFF;
    EXPECT_FALSE(Reads(wide, &error));
    EXPECT_NE(error.find("size"), std::string::npos);
    std::vector<uint8_t> zero = b;
    zero[info + 28] = zero[info + 29] = 0;
    EXPECT_FALSE(Reads(zero, &error));
    // An image claiming 4097 x 4097 pixels.
    const uint32_t imageList = uint32_t(b[20]) | uint32_t(b[21]) << 8 | uint32_t(b[22]) << 16;
    const uint32_t image = uint32_t(b[imageList + 4]) | uint32_t(b[imageList + 5]) << 8 |
                           uint32_t(b[imageList + 6]) << 16;
    std::vector<uint8_t> huge = b;
    huge[image + 1] = 0x01;
    huge[image + 2] = 0x10;
    EXPECT_FALSE(Reads(huge, &error));
    EXPECT_NE(error.find("size limit"), std::string::npos);
    // A one-byte image entry is an empty image that frames may still name.
    std::vector<uint8_t> oneByte = b;
    Put32(oneByte, imageList + 8, 1);
    oneByte[image] = 0;
    AcsCharacter back;
    ASSERT_TRUE(ReadAcs(oneByte, back, error)) << error;
    EXPECT_TRUE(back.images[0].Empty());
    EXPECT_EQ(back.animations[0].frames[0].images.size(), 1u);
}

TEST(AcsHostile, SharedBlocksCannotMultiplyMemoryWithoutBound) {
    // 4096 animations all pointing at one block of 65535 frames: the model budget must stop it.
    std::vector<uint8_t> b = test::Written(test::MinimalCharacter());
    const size_t block = b.size();
    b.insert(b.end(), {0, 0, 0, 0, 2, 0, 0, 0, 0, 0xFF, 0xFF});
    for (int i = 0; i < 0xFFFF; ++i) b.insert(b.end(), {0, 0, 0xFF, 0xFF, 1, 0, 0xFF, 0xFF, 0, 0});
    const size_t list = b.size();
    Put32(b, 12, uint32_t(list));
    b.resize(b.size() + 4);
    Put32(b, list, 4096);
    for (int i = 0; i < 4096; ++i) {
        const size_t at = b.size();
        b.resize(at + 12);
        Put32(b, at + 4, uint32_t(block));
        Put32(b, at + 8, uint32_t(list - block));
    }
    Put32(b, 16, uint32_t(b.size() - list));
    std::string error;
    EXPECT_FALSE(Reads(b, &error));
    EXPECT_NE(error.find("limits"), std::string::npos) << error;
}

} // namespace

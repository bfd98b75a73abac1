#include "AcsTestCharacters.h"

#include "agent/acs/AcsCompose.h"
#include "agent/acs/AcsCompression.h"
#include "agent/acs/AcsReader.h"
#include "tests/host/CorpusFiles.h"
#include "tests/host/acs/fuzz/AcsRegionInput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using namespace kv;

std::filesystem::path CorpusDir() {
    const char* dir = std::getenv("KV_SOURCE_DIR");
    return std::filesystem::path(dir ? dir : ".") / "tests/host/acs/corpus";
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Replays every seed through the reader, the composer and the decompressor, as the fuzz
// targets do, so that the corpus is exercised without libFuzzer.
TEST(AcsCorpus, EverySeedLoadsOrFailsCleanly) {
    size_t seeds = 0, loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
        if (!entry.is_regular_file()) continue; // region/ holds the region target's seeds
        const std::vector<uint8_t> bytes = FileBytes(entry.path());
        ++seeds;
        AcsCharacter c;
        std::string error;
        if (ReadAcs(bytes, c, error)) {
            ++loaded;
            EXPECT_EQ(AcsValidate(c), "") << entry.path();
            AcsFrameComposer composer(c);
            PixelBuffer out;
            for (const auto& a : c.animations)
                for (const auto& f : a.frames) composer.Compose(f, out, {AcsMouth::Closed, 0});
        } else {
            EXPECT_FALSE(error.empty()) << entry.path();
        }
        std::vector<uint8_t> out(4096);
        size_t written = 0;
        AcsDecompress(bytes, out, written);
        EXPECT_LE(written, out.size());
    }
    EXPECT_GE(seeds, 4u);
    EXPECT_GE(loaded, 2u);
}

TEST(AcsCorpus, EveryRegionSeedThroughTheRegionTarget) {
    const auto seeds = test::CorpusFiles("tests/host/acs/corpus/region");
    for (const auto& f : seeds) {
        SCOPED_TRACE(f.name);
        fuzz::DecodeStoredRegion(f.bytes);
        fuzz::RegionOfPicture(f.bytes);
    }
    EXPECT_GE(seeds.size(), 3u);
}

// Rewrites the seeds from the test characters: KV_WRITE_ACS_CORPUS=1 acs_tests
TEST(AcsCorpus, WriteSeedsWhenAsked) {
    if (!std::getenv("KV_WRITE_ACS_CORPUS")) GTEST_SKIP();
    auto put = [](const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(CorpusDir() / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    };
    const std::vector<uint8_t> full = test::Written(test::FullCharacter());
    put("minimal.acs", test::Written(test::MinimalCharacter()));
    put("full.acs", full);
    put("truncated.acs",
        std::vector<uint8_t>(full.begin(), full.begin() + ptrdiff_t(full.size() / 2)));
    std::vector<uint8_t> flipped = full;
    flipped[40] ^= 0xFF;
    put("flipped.acs", flipped);
    put("abab.lz", {0x00, 0x82, 0x08, 0x15, 0x8C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    // Region seeds: width, height, flags, size, data (see AcsRegionInput.h).
    auto region = [](uint16_t w, uint16_t h, bool compressed, const std::vector<uint8_t>& data,
                     uint32_t size) {
        std::vector<uint8_t> out = {uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8),
                                    uint8_t(compressed ? 1 : 0)};
        for (int i = 0; i < 4; ++i) out.push_back(uint8_t(size >> (8 * i)));
        out.insert(out.end(), data.begin(), data.end());
        return out;
    };
    std::vector<uint8_t> pixels = {0, 1, 1, 0, 2, 2, 2, 2, 0, 0, 3, 0};
    const std::vector<uint8_t> built = AcsBuildRegion(4, 3, pixels, 0);
    const std::string dir = "tests/host/acs/corpus/region";
    test::WriteCorpusFile(dir, "plain.rgn", region(4, 3, false, built, uint32_t(built.size())));
    test::WriteCorpusFile(dir, "packed.rgn",
                          region(4, 3, true, AcsCompress(built), uint32_t(built.size())));
    test::WriteCorpusFile(dir, "short.rgn", region(4, 3, false, built, uint32_t(built.size() + 9)));
    std::vector<uint8_t> picture = {4, 3};
    picture.insert(picture.end(), pixels.begin(), pixels.end());
    test::WriteCorpusFile(dir, "picture.rgn", picture);
}

} // namespace

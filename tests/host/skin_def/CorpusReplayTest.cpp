// Replays the checked-in fuzz corpus of the definition parser, so every build runs it.
#include "skin/data/SkinWrite.h"
#include "tests/host/CorpusFiles.h"
#include "tests/host/skin_def/fuzz/DefinitionInput.h"
#include "tests/host/skin_def/fuzz/SkinLoadInput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

TEST(DefinitionCorpus, EveryInputParsesWithoutFault) {
    const char* root = std::getenv("KV_SOURCE_DIR");
    ASSERT_TRUE(root);
    const auto dir = std::filesystem::path(root) / "tests/host/skin_def/corpus";
    size_t count = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        if (!e.is_regular_file()) continue; // load/ holds the whole-load target's seeds
        std::ifstream in(e.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        skindef_fuzz::RunDefinitionInput(bytes);
        ++count;
    }
    EXPECT_GE(count, 5u);
}

TEST(SkinLoadCorpus, EverySeedLoadsWithoutFault) {
    const auto seeds = kv::test::CorpusFiles("tests/host/skin_def/corpus/load");
    size_t loaded = 0;
    for (const auto& f : seeds) {
        SCOPED_TRACE(f.name);
        skinload_fuzz::LoadAnySkin(f.bytes);
        loaded += kv::LoadPackedSkin(f.bytes) != nullptr;
    }
    EXPECT_GE(seeds.size(), 3u);
    EXPECT_GE(loaded, 1u);
}

// Rewrites the whole-load seeds: KV_WRITE_FUZZ_SEEDS=1 skin_def_tests
TEST(SkinLoadCorpus, WriteSeedsWhenAsked) {
    if (!std::getenv("KV_WRITE_FUZZ_SEEDS")) GTEST_SKIP();
    const std::string ini =
        "[TitlebarSkin]\r\nSkinName=Seed\r\n"
        "[Personality]\r\nLeft=left.bmp\r\nLeftTopHeight=2\r\nLeftFrame=2\r\n"
        "Top=top.bmp\r\nTextBack=back.bmp\r\nmenuBar=menubar.bmp\r\nTileMenu=1\r\n"
        "[Colours]\r\nWindowText=255 0 0\r\nMenu=$00FF00\r\n"
        "[Colour1]\r\ncolor=0 0 255\r\n"
        "[Button0]\r\nAction=0\r\nAlign=1\r\nXcoord=-20\r\nButtonImage=close.bmp\r\n"
        "[Buttons]\r\nBitmap=button.bmp\r\nLeftWidth=3\r\nCheckButton=check.bmp\r\n"
        "[Scrollbar]\r\nImage=scrollbar.bmp\r\nTile=1\r\n"
        "[ComboButton]\r\nImage=button.bmp\r\n"
        "[MDICONTROLS]\r\nImage=mdi.bmp\r\n";
    kv::PixelBuffer small(6, 2);
    for (int x = 0; x < 6; ++x) small.At(x, 1) = kv::RgbPixel(uint8_t(40 * x), 0, 255);
    const std::vector<uint8_t> bmp = kv::EncodeBmp24(small.View());
    std::vector<kv::SkinEntry> entries = {{"seed.ini", std::vector<uint8_t>(ini.begin(), ini.end())}};
    for (const char* name : {"left.bmp", "top.bmp", "back.bmp", "menubar.bmp", "close.bmp",
                             "button.bmp", "check.bmp", "scrollbar.bmp", "mdi.bmp"})
        entries.push_back({name, bmp});
    std::vector<uint8_t> package, packed;
    std::string error;
    ASSERT_TRUE(kv::BuildSkinPackage(entries, package, error)) << error;
    ASSERT_TRUE(kv::PackSkin(entries, packed, error)) << error;
    const std::string dir = "tests/host/skin_def/corpus/load";
    kv::test::WriteCorpusFile(dir, "seed.pkg", package);
    kv::test::WriteCorpusFile(dir, "seed.skn", packed);
    kv::test::WriteCorpusFile(dir, "truncated.skn",
                              std::vector<uint8_t>(packed.begin(), packed.end() - 20));
    entries.resize(1);
    ASSERT_TRUE(kv::BuildSkinPackage(entries, package, error)) << error;
    kv::test::WriteCorpusFile(dir, "no-images.pkg", package);
}

} // namespace

// Runs the checked-in fuzz corpus through every fuzz target body, so CI covers them without
// libFuzzer.
#include "tests/host/skin_stream/fuzz/SkinStreamFuzz.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

TEST(SkinStreamCorpus, EveryFileThroughEveryTarget) {
    const char* root = std::getenv("KV_SOURCE_DIR");
    ASSERT_NE(root, nullptr) << "KV_SOURCE_DIR is not set";
    fs::path corpus = fs::path(root) / "tests/host/skin_stream/corpus";
    size_t files = 0;
    for (const auto& item : fs::recursive_directory_iterator(corpus)) {
        if (!item.is_regular_file()) continue;
        std::ifstream f(item.path(), std::ios::binary);
        std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(f), {});
        SCOPED_TRACE(item.path().string());
        kv::fuzz::DecodePacked(bytes.data(), bytes.size());
        kv::fuzz::ReadPackage(bytes.data(), bytes.size());
        kv::fuzz::RoundTrip(bytes.data(), bytes.size());
        files++;
    }
    EXPECT_GE(files, 10u);
}

TEST(SkinStreamCorpus, KnownFilesGiveTheirOutcome) {
    fs::path corpus = fs::path(std::getenv("KV_SOURCE_DIR")) / "tests/host/skin_stream/corpus";
    auto read = [&](const char* name) {
        std::ifstream f(corpus / name, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
    };
    kv::TSkinReader r;
    ASSERT_TRUE(r.OpenPackage(read("package/valid-dup.skn")));
    std::vector<uint8_t> dest;
    EXPECT_TRUE(r.ExtractEntry("BUTTON.bmp", dest));
    EXPECT_EQ(dest, (std::vector<uint8_t>{'B', 'M'}));
    EXPECT_TRUE(r.OpenUnpacked(read("package/valid-dup.pkg")));
    EXPECT_FALSE(r.OpenUnpacked(read("package/negative-list.pkg")));
    EXPECT_FALSE(r.OpenUnpacked(read("package/older.pkg")));
    std::vector<uint8_t> out;
    EXPECT_EQ(kv::TLZH::Unpack(read("lzh/text-truncated.lzh"), out), kv::LzhStatus::SourceOverrun);
    EXPECT_EQ(kv::TLZH::Unpack(read("lzh/huge-declared.lzh"), out), kv::LzhStatus::TooLarge);
}

} // namespace

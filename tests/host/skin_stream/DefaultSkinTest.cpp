// The packed default skin that the build draws and packs.
#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::vector<uint8_t> ReadDefaultSkin() {
    const char* dir = std::getenv("KV_BINARY_DIR");
    if (!dir) return {};
    std::ifstream f(std::filesystem::path(dir) / "assets/skin/Default.skin", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

TEST(DefaultSkin, UnpacksToTheStoredSkinsShape) {
    std::vector<uint8_t> packed = ReadDefaultSkin();
    if (packed.empty()) GTEST_SKIP() << "default skin not built";
    std::vector<uint8_t> package;
    ASSERT_EQ(kv::TLZH::Unpack(packed, package), kv::LzhStatus::Ok);
    EXPECT_EQ(package.size(), 409971u);
    kv::TSkinReader r;
    ASSERT_TRUE(r.OpenPackage(packed));
    EXPECT_EQ(r.PackageVersion(), 20000);
    ASSERT_EQ(r.Count(), 34u);
    uint64_t total = 0;
    for (size_t i = 0; i < r.Count(); i++) total += r.EntrySize(i);
    EXPECT_EQ(total, r.Data().size());
    EXPECT_EQ(std::count(r.Names().begin(), r.Names().end(), "button.bmp"), 3);
    std::vector<uint8_t> dest;
    EXPECT_TRUE(r.ExtractEntry("Combo-Arrows.bmp", dest));
    std::string name;
    EXPECT_TRUE(r.ExtractEntryContaining(".ini", dest, name));
    EXPECT_EQ(name, r.Names().back());
}

} // namespace

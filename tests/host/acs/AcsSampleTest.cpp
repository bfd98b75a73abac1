#include "agent/acs/AcsReader.h"
#include "agent/acs/AcsWriter.h"
#include "tools/acsgen/gen/PipGenerator.h"
#include "tools/acstool/build/AcsBuild.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using namespace kv;

std::filesystem::path SourceDir() {
    const char* dir = std::getenv("KV_SOURCE_DIR");
    return dir ? dir : ".";
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(AcsSample, RegeneratingGivesTheCheckedInFile) {
    const auto dir = std::filesystem::temp_directory_path() / "kv_acs_sample_test";
    std::filesystem::remove_all(dir);
    std::string error;
    ASSERT_TRUE(pip::GeneratePip(dir, error)) << error;
    AcsCharacter c;
    ASSERT_TRUE(BuildAcsFromFolder(dir, c, error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(WriteAcs(c, bytes, error)) << error;
    std::filesystem::remove_all(dir);
    const std::vector<uint8_t> checkedIn = FileBytes(SourceDir() / "assets/sample/Pip.acs");
    EXPECT_TRUE(bytes == checkedIn) << "assets/sample/Pip.acs is stale: run acsgen DIR && acstool "
                                       "build DIR assets/sample/Pip.acs";
}

TEST(AcsSample, HasWhatTheViewerAndPlayerNeed) {
    AcsCharacter c;
    std::string error;
    ASSERT_TRUE(ReadAcsFile(SourceDir() / "assets/sample/Pip.acs", c, error)) << error;
    for (const char* name :
         {"Show", "Hide", "Greet", "Wave", "Blink", "Idle1_1", "Explain", "Congratulate", "Think",
          "Surprised", "Sad", "GestureLeft", "GestureRight", "MoveLeft", "MoveRight"})
        EXPECT_NE(c.FindAnimation(std::string_view(name)), nullptr) << name;
    EXPECT_EQ(c.FindAnimation(std::string_view("Search")), nullptr); // a standard name it lacks
    ASSERT_TRUE(c.balloon.has_value());
    ASSERT_NE(c.FindState(u"Showing"), nullptr);
    ASSERT_NE(c.FindState(u"IdlingLevel1"), nullptr);
    bool overlays = false, branches = false, exits = false, compressed = !c.images.empty();
    for (const auto& a : c.animations)
        for (const auto& f : a.frames) {
            overlays |= f.overlays.size() == 7;
            branches |= !f.branches.empty();
            exits |= f.exitFrame >= 0;
        }
    for (const auto& img : c.images) compressed &= img.compressed && img.regionCompressed;
    EXPECT_TRUE(overlays && branches && exits && compressed);
    EXPECT_LT(FileBytes(SourceDir() / "assets/sample/Pip.acs").size(), 300u * 1024);
}

} // namespace

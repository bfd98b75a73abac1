#include "tools/acstool/build/AcsBuild.h"

#include "agent/acs/AcsCompose.h"
#include "base/Bmp.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace kv;

struct Files {
    std::map<std::string, std::vector<uint8_t>> files;
    AcsFileLoader Loader() const {
        return [this](const std::string& name, std::vector<uint8_t>& bytes) {
            auto it = files.find(name);
            if (it == files.end()) return false;
            bytes = it->second;
            return true;
        };
    }
};

Files TwoImages() {
    Files f;
    PixelBuffer a(2, 2, kMagenta);
    a.At(0, 0) = RgbPixel(10, 20, 30);
    PixelBuffer b(3, 1, RgbPixel(200, 0, 0));
    f.files["a.bmp"] = EncodeBmp24(a.View());
    f.files["b.bmp"] = EncodeBmp24(b.View());
    return f;
}

bool Parse(const Files& f, const std::string& text, AcsCharacter& c, std::string& error) {
    return ParseAcsDescription(text, f.Loader(), c, error);
}

TEST(AcsBuild, BuildsFramesBranchesMouthsAndTheSharedPalette) {
    const Files f = TwoImages();
    AcsCharacter c;
    std::string error;
    ASSERT_TRUE(Parse(f,
                      "size 4 3 # frame\nname 0x0409 \"Two Words\" \"desc\"\n"
                      "balloon 3 30 #000000 #FFFFE1 #102030 \"Tahoma\" -11 700 italic\n"
                      "state SHOWING Wave\nanimation Wave exit\n"
                      "frame 10 a.bmp@1,1 b.bmp@0,0\nexit 1\nbranch 1 25\n"
                      "mouth wide2 b.bmp@0,2 replace\nframe 0\nexit end\n"
                      "animation Back return wave\nframe 5 b.bmp\n",
                      c, error))
        << error;
    EXPECT_EQ(c.localized[0].name, u"Two Words");
    EXPECT_EQ(c.balloon->borderColor, 0x302010u); // COLORREF
    EXPECT_TRUE(c.balloon->italic);
    EXPECT_EQ(c.palette, std::vector<uint32_t>({0xFF00FF, 0x0A141E, 0xC80000}));
    ASSERT_EQ(c.images.size(), 2u); // b.bmp used three times, stored once
    const AcsAnimation& wave = *c.FindAnimation(u"wave");
    EXPECT_EQ(wave.transition, AcsTransition::ExitBranches);
    EXPECT_EQ(wave.frames[0].exitFrame, 1);
    EXPECT_EQ(wave.frames[1].exitFrame, kAcsExitEnds);
    EXPECT_EQ(wave.frames[0].branches[0].probability, 25);
    EXPECT_EQ(wave.frames[0].overlays[0].mouth, AcsMouth::WideOpen2);
    EXPECT_EQ(c.FindAnimation(u"Back")->returnAnimation, u"WAVE");
    EXPECT_EQ(c.states[0].animations[0], u"WAVE");
    std::vector<uint8_t> idx;
    AcsFrameComposer(c).ComposeIndices(wave.frames[0], idx);
    EXPECT_EQ(idx, std::vector<uint8_t>({2, 2, 2, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(AcsBuild, ReportsTheLineOfEachMistake) {
    const Files f = TwoImages();
    AcsCharacter c;
    std::string error;
    const std::string head = "size 4 3\nname 0x0409 \"N\" \"D\"\n";
    EXPECT_FALSE(Parse(f, head + "frame 10 a.bmp\n", c, error));
    EXPECT_NE(error.find(":3:"), std::string::npos) << error;
    EXPECT_FALSE(Parse(f, head + "animation A\nframe 10 missing.bmp\n", c, error));
    EXPECT_NE(error.find("missing.bmp"), std::string::npos) << error;
    EXPECT_FALSE(Parse(f, head + "animation A\nframe 10 a.bmp@1\n", c, error));
    EXPECT_FALSE(Parse(f, head + "animation A\nframe 10\nbranch 5 50\n", c, error));
    EXPECT_NE(error.find("branch target"), std::string::npos) << error;
    EXPECT_FALSE(Parse(f, head + "animation A\nframe 10\nsound nope\n", c, error));
    EXPECT_FALSE(Parse(f, head + "animation A\nanimation a\n", c, error));
    EXPECT_FALSE(Parse(f, "name 0x0409 \"N\" \"D\"\n", c, error)); // no size
    EXPECT_FALSE(Parse(f, head + "size 0 3\n", c, error));
    EXPECT_FALSE(Parse(f, head + "bogus 1\n", c, error));
}

} // namespace

#include "AcsTestCharacters.h"

#include "agent/acs/AcsImage.h"
#include "agent/acs/AcsReader.h"
#include "agent/acs/AcsWriter.h"
#include "base/ByteCursor.h"

#include <gtest/gtest.h>

namespace {

using namespace kv;

AcsCharacter Read(const std::vector<uint8_t>& bytes) {
    AcsCharacter c;
    std::string error;
    EXPECT_TRUE(ReadAcs(bytes, c, error)) << error;
    return c;
}

TEST(AcsReader, ReadsBackWhatTheWriterWroteWithAndWithoutOptionalBlocks) {
    const AcsCharacter minimal = test::MinimalCharacter();
    EXPECT_EQ(Read(test::Written(minimal)), minimal);
    const AcsCharacter full = test::FullCharacter();
    const AcsCharacter back = Read(test::Written(full));
    EXPECT_EQ(back, full);
    ASSERT_TRUE(back.voice && back.balloon && back.trayIcon);
    EXPECT_EQ(back.voice->style, u"Business");
    EXPECT_EQ(back.balloon->backColor, 0xE1FFFFu);
    EXPECT_EQ(back.animations[1].frames[2].overlays[1].region, std::vector<uint8_t>({9, 9, 9}));
    // Writing what was read gives the same bytes again.
    EXPECT_EQ(test::Written(back), test::Written(full));
}

TEST(AcsReader, ReadsEachOptionalBlockAlone) {
    AcsCharacter c = test::MinimalCharacter();
    c.voice = AcsVoiceInfo{}; // without the extra data
    c.flags = kAcsFlagVoiceEnabled | kAcsFlagBalloonDisabled;
    EXPECT_EQ(Read(test::Written(c)), c);
    c.voice.reset();
    c.balloon = AcsBalloonInfo{};
    c.balloon->fontName = u"";
    c.flags = kAcsFlagVoiceDisabled | kAcsFlagBalloonEnabled;
    EXPECT_EQ(Read(test::Written(c)), c);
    c.balloon.reset();
    c.trayIcon = AcsTrayIcon{};
    c.palette.clear();
    c.flags = kAcsFlagVoiceDisabled | kAcsFlagBalloonDisabled;
    EXPECT_EQ(Read(test::Written(c)), c);
}

TEST(AcsReader, WriterSetsExactlyOneBitOfEachVoiceAndBalloonPair) {
    AcsCharacter c = test::MinimalCharacter();
    c.flags = 0x330; // both bits of both pairs: the writer must correct this
    c.balloon = AcsBalloonInfo{};
    const AcsCharacter back = Read(test::Written(c));
    EXPECT_EQ(back.flags, kAcsFlagVoiceDisabled | kAcsFlagBalloonEnabled);
    EXPECT_TRUE(back.balloon.has_value());
}

// Files with neither or both bits of a pair are read with the bits the blocks show, so that
// they write and read back unchanged (fuzzing found 0x100 coming back as 0x110).
TEST(AcsReader, DamagedVoiceAndBalloonPairsReadAsTheWriterWritesThem) {
    const struct {
        bool blocks; // voice and balloon present
        uint32_t stored, read;
    } cases[] = {{false, 0x100, 0x110}, {false, 0x000, 0x110}, {true, 0x5FFFF, 0x5FEEF},
                 {true, 0x330, 0x220}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.stored);
        AcsCharacter c = test::MinimalCharacter();
        if (k.blocks) {
            c.voice = AcsVoiceInfo{};
            c.balloon = AcsBalloonInfo{};
        }
        std::vector<uint8_t> bytes = test::Written(c);
        ByteCursor header(bytes.data() + 4, 8);
        const uint32_t info = header.U32();
        for (int i = 0; i < 4; ++i) bytes[info + 33 + i] = uint8_t(k.stored >> (8 * i));
        const AcsCharacter back = Read(bytes);
        EXPECT_EQ(back.flags, k.read);
        EXPECT_EQ(back.voice.has_value(), k.blocks);
        EXPECT_EQ(back.balloon.has_value(), k.blocks);
        EXPECT_EQ(Read(test::Written(back)), back);
    }
}

TEST(AcsReader, AcceptsTheOlderReadingOfTheVoiceBit) {
    // A file whose voice block is marked by 0x10 alone (the published description's reading).
    AcsCharacter c = test::MinimalCharacter();
    c.voice = AcsVoiceInfo{};
    std::vector<uint8_t> bytes = test::Written(c);
    ByteCursor header(bytes.data() + 4, 8);
    const uint32_t info = header.U32();
    bytes[info + 33] = 0x10; // flags: 0x120 -> 0x110
    bytes[info + 34] = 0x01;
    const AcsCharacter back = Read(bytes);
    EXPECT_TRUE(back.voice.has_value());
}

TEST(AcsReader, DropsReferencesThatPointNowhere) {
    AcsCharacter c = test::MinimalCharacter();
    AcsFrame& f = c.animations[0].frames[0];
    f.images.push_back({0, 0, 0});
    f.exitFrame = 0;
    f.branches = {{0, 60}, {0, 30}};
    std::vector<uint8_t> bytes = test::Written(c);
    // Patch the frame in place: it sits at a known place in the first animation block.
    ByteCursor header(bytes.data() + 12, 8);
    const uint32_t list = header.U32();
    ByteCursor entry(bytes.data() + list + 4 + 4 + 2 * 4 + 2, 8);
    const uint32_t block = entry.U32();
    const size_t frame = block + 4 + 2 * 4 + 2 + 1 + 4 + 2; // name, transition, return, count
    bytes[frame + 2 + 8] = 7;                               // second image -> index 7 (missing)
    bytes[frame + 2 + 16] = 3;                              // sound 3 of none
    bytes[frame + 2 + 16 + 4] = 5;                          // exit frame 5 of 1
    bytes[frame + 2 + 16 + 7] = 9;                          // first branch -> frame 9
    bytes[frame + 2 + 16 + 6 + 1 + 6] = 90;                 // second branch 90 %
    const AcsCharacter back = Read(bytes);
    const AcsFrame& g = back.animations[0].frames[0];
    EXPECT_EQ(g.images.size(), 1u);
    EXPECT_EQ(g.sound, kAcsNoSound);
    EXPECT_EQ(g.exitFrame, kAcsNoExit);
    ASSERT_EQ(g.branches.size(), 1u);
    EXPECT_EQ(g.branches[0].probability, 90);
    EXPECT_TRUE(AcsValidate(back).empty());
}

TEST(AcsReader, ClampsBranchProbabilitiesAbove100) {
    AcsCharacter c = test::MinimalCharacter();
    AcsAnimation& a = c.animations[0];
    a.frames.resize(3);
    a.frames[0].branches = {{1, 60}, {2, 40}};
    std::vector<uint8_t> bytes = test::Written(c);
    // Raise the second probability from 40 to 90 in place.
    for (size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (bytes[i] == 2 && bytes[i + 1] == 0 && bytes[i + 2] == 40 && bytes[i + 3] == 0) {
            bytes[i + 2] = 90;
            break;
        }
    const AcsCharacter back = Read(bytes);
    EXPECT_EQ(back.animations[0].frames[0].branches[1].probability, 40);
}

TEST(AcsCharacter, FindsAnimationsStatesAndLanguagesWithoutCase) {
    const AcsCharacter c = test::FullCharacter();
    ASSERT_NE(c.FindAnimation(std::string_view("WAVE")), nullptr);
    EXPECT_EQ(c.FindAnimation(u"bLiNk"), &c.animations[1]);
    EXPECT_EQ(c.FindAnimation(u"Blinks"), nullptr);
    EXPECT_EQ(c.FindAnimation(u""), nullptr);
    EXPECT_EQ(c.FindState(u"showing"), &c.states[0]);
    EXPECT_EQ(c.Localized(0x0407)->description, u"Eine Testfigur");
    EXPECT_EQ(c.Localized(0x0807)->langId, 0x0407); // same primary language
    EXPECT_EQ(c.Localized(0x0411)->langId, 0x0409); // English otherwise
    EXPECT_TRUE(AcsNamesEqual(u"\u00e9t\u00e9", u"\u00c9T\u00c9"));
    EXPECT_FALSE(AcsNamesEqual(u"\u00f7", u"\u00d7"));
}

TEST(AcsCharacter, ConvertsTextAndSanitisesBrokenSurrogates) {
    EXPECT_EQ(AcsToUtf8(u"Pip \u00e9\u4e2d\U0001F600"), "Pip \xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
    EXPECT_EQ(AcsToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xef\xbf\xbdx");
    EXPECT_EQ(AcsFromUtf8("\xc3\xa9\xf0\x9f\x98\x80"), u"\u00e9\U0001F600");
    EXPECT_EQ(AcsFromUtf8("a\xff\xc0\x80z"), u"a\ufffd\ufffd\ufffdz"); // invalid and overlong
}

TEST(AcsWriter, RefusesInconsistentCharacters) {
    std::vector<uint8_t> bytes;
    std::string error;
    AcsCharacter c = test::MinimalCharacter();
    c.animations[0].frames[0].images[0].image = 5;
    EXPECT_FALSE(WriteAcs(c, bytes, error));
    EXPECT_NE(error.find("image index"), std::string::npos);
    c = test::MinimalCharacter();
    c.animations[0].frames[0].branches = {{0, 70}, {0, 40}};
    EXPECT_FALSE(WriteAcs(c, bytes, error));
    c = test::MinimalCharacter();
    c.images[0].pixels.pop_back();
    EXPECT_FALSE(WriteAcs(c, bytes, error));
    EXPECT_TRUE(bytes.empty());
}

TEST(AcsImage, EncodesDecodesAndDescribesTheOpaqueRegion) {
    // 5 x 3, top-down: a plus sign of colour 1 on transparent 0.
    const std::vector<uint8_t> plus = {0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0, 1, 0, 0};
    for (bool compress : {false, true}) {
        const AcsImage img = AcsEncodeImage(5, 3, plus, 0, compress);
        std::vector<uint8_t> pixels;
        ASSERT_TRUE(AcsDecodePixels(img, 0, pixels));
        ASSERT_EQ(pixels.size(), 8u * 3u); // rows padded to 8
        for (int y = 0; y < 3; ++y) {
            const auto row = AcsTopDownRow(img, pixels, y);
            EXPECT_TRUE(std::equal(row.begin(), row.end(), plus.begin() + y * 5)) << y;
        }
        EXPECT_EQ(pixels[0 * 8 + 2], 1); // first stored row is the bottom one
        std::vector<AcsRect> rects;
        ASSERT_TRUE(AcsDecodeRegion(img, rects));
        EXPECT_EQ(rects, std::vector<AcsRect>({{2, 0, 3, 1}, {0, 1, 5, 2}, {2, 2, 3, 3}}));
    }
    // Identical rows merge into one band.
    const AcsImage block = AcsEncodeImage(2, 4, std::vector<uint8_t>(8, 3), 0, false);
    std::vector<AcsRect> rects;
    ASSERT_TRUE(AcsDecodeRegion(block, rects));
    EXPECT_EQ(rects, std::vector<AcsRect>({{0, 0, 2, 4}}));
}

TEST(AcsImage, DamagedPixelDataFillsWithTheTransparentIndex) {
    AcsImage img = AcsEncodeImage(4, 4, std::vector<uint8_t>(16, 2), 0, true);
    img.pixels.resize(3); // the stream stops after a few bits
    std::vector<uint8_t> pixels;
    EXPECT_FALSE(AcsDecodePixels(img, 9, pixels));
    ASSERT_EQ(pixels.size(), 16u);
    EXPECT_EQ(pixels.back(), 9);
    img.width = 60000; // above the cap: refused, nothing allocated
    EXPECT_FALSE(AcsDecodePixels(img, 9, pixels));
    EXPECT_TRUE(pixels.empty());
    std::vector<AcsRect> rects;
    img = AcsEncodeImage(4, 4, std::vector<uint8_t>(16, 2), 0, false);
    img.region[8] = 0xFF; // nCount far beyond the data
    EXPECT_FALSE(AcsDecodeRegion(img, rects));
}

} // namespace

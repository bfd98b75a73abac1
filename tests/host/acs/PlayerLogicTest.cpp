// The player's pure decisions: idle level from quiet time, states by direction, word pacing,
// and the tray icon's pixels from the file's two DIBs (damaged blocks included).
#include "agent/player/logic/DirectionStates.h"
#include "agent/player/logic/IdleLevels.h"
#include "agent/player/logic/TrayIconImage.h"
#include "agent/player/logic/WordPace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kv::agent::player {
namespace {

constexpr IdleTimings kTest = {100, 1000, 5000, 10};

TEST(IdleLevels, RiseWithQuietTimeAtEachBoundary) {
    EXPECT_EQ(IdleLevelAfter(0, kTest), IdleLevel::None);
    EXPECT_EQ(IdleLevelAfter(99.9, kTest), IdleLevel::None);
    EXPECT_EQ(IdleLevelAfter(100, kTest), IdleLevel::Level1);
    EXPECT_EQ(IdleLevelAfter(999, kTest), IdleLevel::Level1);
    EXPECT_EQ(IdleLevelAfter(1000, kTest), IdleLevel::Level2);
    EXPECT_EQ(IdleLevelAfter(5000, kTest), IdleLevel::Level3);
    EXPECT_EQ(IdleLevelAfter(1e12, kTest), IdleLevel::Level3);
    EXPECT_EQ(IdleLevelAfter(-5, kTest), IdleLevel::None);
    EXPECT_EQ(IdleLevelAfter(std::nan(""), kTest), IdleLevel::None);
    EXPECT_LT(kIdleTimings.firstMs, kIdleTimings.level2Ms);
    EXPECT_LT(kIdleTimings.level2Ms, kIdleTimings.level3Ms);
    EXPECT_GT(kIdleTimings.gapMs, 0) << "idle animations of no duration must not run back to back";
}

TEST(IdleLevels, AMissingLevelFallsToTheNextLowerOne) {
    EXPECT_EQ(UsableIdleLevel(IdleLevel::Level3, {true, true, true}), IdleLevel::Level3);
    EXPECT_EQ(UsableIdleLevel(IdleLevel::Level3, {true, true, false}), IdleLevel::Level2);
    EXPECT_EQ(UsableIdleLevel(IdleLevel::Level3, {true, false, false}), IdleLevel::Level1);
    EXPECT_EQ(UsableIdleLevel(IdleLevel::Level2, {false, false, true}), IdleLevel::None)
        << "never deeper than the quiet time allows";
    EXPECT_EQ(UsableIdleLevel(IdleLevel::Level3, {false, false, false}), IdleLevel::None);
    EXPECT_EQ(UsableIdleLevel(IdleLevel::None, {true, true, true}), IdleLevel::None);
    EXPECT_EQ(IdleStateName(IdleLevel::Level2), u"IDLINGLEVEL2");
    EXPECT_TRUE(IdleStateName(IdleLevel::None).empty());
}

TEST(DirectionStates, TheLargerComponentDecides) {
    EXPECT_EQ(DirectionOf(-10, 3), Direction::Left);
    EXPECT_EQ(DirectionOf(10, -9), Direction::Right);
    EXPECT_EQ(DirectionOf(2, -9), Direction::Up);
    EXPECT_EQ(DirectionOf(0, 1), Direction::Down);
    EXPECT_EQ(DirectionOf(5, 5), Direction::Right) << "a tie goes to the horizontal";
    EXPECT_EQ(DirectionOf(0, 0), Direction::None);
    EXPECT_EQ(DirectionOf(LONG_MIN, LONG_MIN + 1), Direction::Left);
    EXPECT_EQ(MovingStateName(Direction::Up), u"MOVINGUP");
    EXPECT_EQ(GesturingStateName(Direction::Left), u"GESTURINGLEFT");
    EXPECT_TRUE(MovingStateName(Direction::None).empty());
}

std::vector<std::wstring> Words(const std::wstring& text) {
    std::vector<std::wstring> out;
    for (size_t end : WordEnds(text)) out.push_back(text.substr(0, end));
    return out;
}

TEST(WordPace, WordsEndAtBlanksAndEveryIdeographStandsAlone) {
    EXPECT_EQ(Words(L"  Hello,  can\ti\r\nhelp? "),
              (std::vector<std::wstring>{L"  Hello,", L"  Hello,  can", L"  Hello,  can\ti",
                                         L"  Hello,  can\ti\r\nhelp?"}));
    EXPECT_EQ(Words(L"Pip\u4e0d\u4f1aDoMagic1!"),
              (std::vector<std::wstring>{L"Pip", L"Pip\u4e0d", L"Pip\u4e0d\u4f1a",
                                         L"Pip\u4e0d\u4f1aDoMagic1!"}));
    EXPECT_TRUE(WordEnds(L" \t\u3000 ").empty());
    EXPECT_TRUE(WordEnds(L"").empty());
}

TEST(WordPace, AReaderCanFollowEveryWord) {
    EXPECT_GE(WordPaceMs(L"I"), kMinWordMs);
    EXPECT_GT(WordPaceMs(L"something"), WordPaceMs(L"can"));
    EXPECT_LE(WordPaceMs(std::wstring(5000, L'x')), kMaxWordMs);
    EXPECT_EQ(WordPaceMs(L"help?"), WordPaceMs(L"helps") + kSentencePauseMs);
    EXPECT_EQ(WordPaceMs(L"\u4f1a\u3002") - WordPaceMs(L"\u4f1a\u4f1a"), kSentencePauseMs);
    // Five-letter words at about 200 a minute.
    EXPECT_NEAR(60000 / WordPaceMs(L"words"), 200, 30);
}

// A DIB part: 40-byte header, colour table, bottom-up rows padded to 4 bytes.
std::vector<uint8_t> Dib(int width, int height, int bits, std::vector<uint32_t> table,
                         const std::vector<std::string>& topDownRows) {
    std::vector<uint8_t> out;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out.push_back(uint8_t(v >> (8 * i)));
    };
    put(40, 4), put(uint32_t(width), 4), put(uint32_t(height), 4), put(1, 2), put(uint32_t(bits), 2);
    put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(uint32_t(table.size()), 4), put(0, 4);
    for (uint32_t c : table) put(c, 4);
    size_t stride = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            unsigned v = unsigned(topDownRows[size_t(y)][size_t(x)] - '0');
            size_t bit = size_t(x) * size_t(bits);
            row[bit / 8] |= uint8_t(v << (8 - bits - int(bit % 8)));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

AcsTrayIcon GoodIcon() {
    AcsTrayIcon icon;
    icon.mask = Dib(3, 2, 1, {0x000000, 0xFFFFFF}, {"100", "001"});
    icon.color = Dib(3, 2, 4, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000}, {"012", "321"});
    return icon;
}

TEST(TrayIconImage, DecodesBothPartsTopDown) {
    std::optional<TrayIconImage> image = DecodeTrayIcon(GoodIcon());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->colors, (std::vector<uint32_t>{0x000000, 0x0000FF, 0x00FF00, 0xFF0000,
                                                    0x00FF00, 0x0000FF}));
    EXPECT_EQ(image->transparent, (std::vector<uint8_t>{1, 0, 0, 0, 0, 1}));
}

TEST(TrayIconImage, DamagedBlocksAreRefusedWithoutReadingPastThem) {
    auto refused = [](auto change) {
        AcsTrayIcon icon = GoodIcon();
        change(icon);
        return !DecodeTrayIcon(icon).has_value();
    };
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.color.pop_back(); })) << "rows cut short";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.mask.resize(20); })) << "header cut short";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.mask.clear(); }));
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.color[0] = 12; })) << "an old 12-byte header";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.color[14] = 3; })) << "3 bits a pixel";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.mask[14] = 4; })) << "a mask of 4 bits";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.color[16] = 1; })) << "RLE compression";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.color[32] = 17; })) << "17 colours for 4 bits";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.color[8] = 0xFF, i.color[11] = 0xFF; }))
        << "a negative height";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) {
        i.color[6] = 0x7F; // width 0x7F000003: absurd, never multiplied into a size
    }));
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.mask = Dib(2, 2, 1, {0, 0xFFFFFF}, {"00", "00"}); }))
        << "parts of different sizes";
    EXPECT_TRUE(refused([](AcsTrayIcon& i) { i.color = Dib(0, 0, 4, {0}, {}); }));
}

TEST(TrayIconImage, AnIndexPastAShortColourTableDrawsBlack) {
    AcsTrayIcon icon = GoodIcon();
    icon.color = Dib(3, 2, 4, {0x123456}, {"090", "000"});
    std::optional<TrayIconImage> image = DecodeTrayIcon(icon);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->colors[1], 0u);
    EXPECT_EQ(image->colors[0], 0x123456u);
}

} // namespace
} // namespace kv::agent::player

#include "skin/data/IniFile.h"
#include "skin/data/SkinColour.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kv::ParseColour;
using kv::TIniFile;

TEST(IniFile, NamesFoldCaseValuesTrimAndFirstMatchWins) {
    const TIniFile ini("junk before any section\r\n"
                       "[Personality]\r\n"
                       "  TopFrame =  2 \t\r\n"
                       "; TopFrame=9 is a comment\n"
                       "topframe=7\r"
                       "NoEquals\n"
                       "Empty=\n"
                       "[ToolBars]\n"
                       "Image = a = b \n"
                       "[personality]\n"
                       "Other=1\n"
                       "[Broken\n"
                       "k=v");
    EXPECT_EQ(ini.ReadInteger("PERSONALITY", "TOPFRAME", 0), 2);
    EXPECT_EQ(ini.ReadString("Personality", "noequals", "x"), "");
    EXPECT_EQ(ini.ReadString("Personality", "Empty", "x"), "");
    EXPECT_EQ(ini.ReadString("Personality", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Toolbars", "image"), "a = b");
    EXPECT_EQ(ini.ReadString("Personality", "Other", "none"), "none"); // second section shadowed
    EXPECT_EQ(ini.ReadString("Broken", "k"), "v");
    ASSERT_EQ(ini.SectionNames().size(), 4u);
    EXPECT_EQ(ini.SectionNames()[1], "ToolBars");
    EXPECT_EQ(ini.SectionNames()[2], "personality");
    EXPECT_FALSE(ini.SectionExists("junk before any section"));
}

TEST(IniFile, IntegersAreWholeDecimalValuesClampedToSixteenBits) {
    const TIniFile ini("[s]\n"
                       "a=42\nb=-7\nc=+5\nd=12px\ne=0x10\nf= 1 2\ng=-\nh=40000\ni=-40000\n"
                       "j=2147483647\nk=2147483648\nl=99999999999999999999\nm=-2147483648\n"
                       "n=-2147483649\no=\n");
    auto read = [&](const char* key) { return ini.ReadInteger("s", key, 123); };
    EXPECT_EQ(read("a"), 42);
    EXPECT_EQ(read("b"), -7);
    EXPECT_EQ(read("c"), 5);
    EXPECT_EQ(read("d"), 123);
    EXPECT_EQ(read("e"), 123);
    EXPECT_EQ(read("f"), 123);
    EXPECT_EQ(read("g"), 123);
    EXPECT_EQ(read("h"), 32767);
    EXPECT_EQ(read("i"), -32768);
    EXPECT_EQ(read("j"), 32767);
    EXPECT_EQ(read("k"), 123);
    EXPECT_EQ(read("l"), 123);
    EXPECT_EQ(read("m"), -32768);
    EXPECT_EQ(read("n"), 123);
    EXPECT_EQ(read("o"), 123);
    EXPECT_EQ(read("absent"), 123);
}

TEST(IniFile, BinaryGarbageAndHugeLinesAreJustText) {
    std::string text = "[s]\nlong=";
    text.append(1 << 20, 'x');
    text += "\n";
    for (int i = 0; i < 4096; ++i) text.push_back(char(i * 37 % 256));
    text += std::string("\0[z]\0\nkey=\0v\n", 13);
    const TIniFile ini(text);
    EXPECT_EQ(ini.ReadString("s", "long").size(), size_t(1) << 20);
    EXPECT_EQ(ini.ReadInteger("s", "long", -1), -1);
}

TEST(IniFile, HostileSectionAndKeyCountsAreBounded) {
    std::string text;
    for (size_t i = 0; i < kv::kIniMaxSections + 10; ++i) text += "[s]\n";
    const TIniFile many(text);
    EXPECT_EQ(many.SectionNames().size(), kv::kIniMaxSections);

    std::string keys = "[k]\n";
    for (size_t i = 0; i < kv::kIniMaxKeys + 10; ++i) keys += "a\n";
    keys += "last=1\n";
    const TIniFile manyKeys(keys);
    EXPECT_EQ(manyKeys.ReadInteger("k", "last", -1), -1); // beyond the cap: ignored
}

TEST(ParseColour, KeepsTheDefinitionFormatsOwnRules) {
    EXPECT_EQ(ParseColour("66 40 17"), 0x00112842u);
    EXPECT_EQ(ParseColour("0 0 0"), 0u);
    EXPECT_EQ(ParseColour("200"), 0u);            // one number: black
    EXPECT_EQ(ParseColour("10 20"), 0x0000000Au); // the second is dropped
    EXPECT_EQ(ParseColour("  1,2,3  "), 0x00030201u);
    EXPECT_EQ(ParseColour("1 2 3 4"), 0x00030201u); // a fourth number is ignored
    EXPECT_EQ(ParseColour("1 2 3 4 "), 0x00030201u);
    EXPECT_EQ(ParseColour("256 257 511"), 0x00FF0100u); // modulo 256
    EXPECT_EQ(ParseColour("r=9;g=8;b=7;"), 0x00070809u);
    EXPECT_EQ(ParseColour(""), 0u);
    EXPECT_EQ(ParseColour("blue"), 0u);
}

TEST(ParseColour, NumbersBeyondThirtyTwoBitsAreNotStored) {
    // The skipped number does not count, so the final one has too few before it.
    EXPECT_EQ(ParseColour("99999999999999999999 5 6"), 0x00000005u);
    EXPECT_EQ(ParseColour("1 2147483648 3"), 0x00000001u);
    EXPECT_EQ(ParseColour("1 2147483648 3 4"), 0x00040301u);
    EXPECT_EQ(ParseColour("1 2147483647 3"), 0x0003FF01u);
    EXPECT_EQ(ParseColour(std::string(100000, '9') + " 1 2 3"), 0x00030201u);
}

} // namespace

// Action list files and the editor's rules.
#include "app/logic/ActionList.h"
#include "app/logic/Texts.h"

#include <gtest/gtest.h>

using namespace kv::app;
using namespace std::string_literals;

TEST(ActionListLines, EveryKindOfLineEndEndsALine) {
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"})); // LF then a lone CR
    EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitLines("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("\r"), (Lines{""}));
}

TEST(ActionListLines, BytesStayAsTheyAre) {
    std::string odd = "Wave;\x00\xff\xa4\x5c \t"s;
    EXPECT_EQ(SplitLines(odd), (Lines{odd}));
    EXPECT_EQ(SplitLines("  x ; y  \r\n"), (Lines{"  x ; y  "}));
    std::string longLine(1 << 20, 'x');
    Lines lines = SplitLines(longLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), longLine.size());
}

TEST(ActionListLines, WritingPutsCrLfAfterEveryEntry) {
    EXPECT_EQ(JoinLines({"a;b", "", "c"}), "a;b\r\n\r\nc\r\n");
    EXPECT_EQ(JoinLines({}), "");
    Lines lines = {"Wave;Say bye", "x;y;z", "", "no semicolon"};
    EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
}

TEST(ActionListPairs, NameEndsAtTheFirstSemicolon) {
    ActionPair p = SplitPair("Wave;Say bye; then go");
    EXPECT_EQ(p.name, "Wave");
    EXPECT_EQ(p.description, "Say bye; then go");
    p = SplitPair("just text");
    EXPECT_EQ(p.name, "");
    EXPECT_EQ(p.description, "just text");
    p = SplitPair("");
    EXPECT_EQ(p.name, "");
    EXPECT_EQ(p.description, "");
    p = SplitPair(";");
    EXPECT_EQ(p.name, "");
    EXPECT_EQ(p.description, "");
    p = SplitPair(" Wave ; x ");
    EXPECT_EQ(p.name, " Wave ");
    EXPECT_EQ(p.description, " x ");
}

TEST(ActionListPairs, TableKeepsNamesAndDescriptionsInStep) {
    ActionTable t = TableFromLines({"Wave;Bye", "", "Plain", "Greet;"});
    EXPECT_EQ(t.names, (Lines{"Wave", "", "", "Greet"}));
    EXPECT_EQ(t.descriptions, (Lines{"Bye", "", "Plain", ""}));
}

TEST(ActionListPairs, NameWithSemicolonMovesIntoTheDescriptionOnReload) {
    std::string entry = MakeEntry(" Wa;ve ", " hand ");
    EXPECT_EQ(entry, "Wa;ve;hand");
    ActionTable t = TableFromLines(SplitLines(JoinLines({entry})));
    EXPECT_EQ(t.names, (Lines{"Wa"}));
    EXPECT_EQ(t.descriptions, (Lines{"ve;hand"}));
}

TEST(ActionListEditor, MissingFileLinesPairNamesWithShownTexts) {
    EXPECT_EQ(EditorLinesFromTable({"Wave", "Greet"}, {"Wave", "Hello"}),
              (Lines{"Wave;Wave", "Greet;Hello"}));
    EXPECT_EQ(EditorLinesFromTable({"a"}, {}), Lines{}); // never reads past the shorter list
}

TEST(ActionListEditor, TrimDropsBlanksAndControlBytesOnly) {
    EXPECT_EQ(TrimBlanks(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(TrimBlanks(" \xa4\x5c "), "\xa4\x5c"); // a Big5 character with a "\" trail byte
}

TEST(ActionListEditor, EnglishDefaultsTheDescriptionChineseRefuses) {
    InputCheck c = ValidateInput(kEnglish, "Wave", "  ");
    EXPECT_TRUE(c.valid);
    EXPECT_TRUE(c.descriptionDefaulted);
    c = ValidateInput(kEnglish, "Wave", "Bye");
    EXPECT_TRUE(c.valid);
    EXPECT_FALSE(c.descriptionDefaulted);
    EXPECT_FALSE(ValidateInput(kEnglish, " \t", "Bye").valid);
    EXPECT_FALSE(ValidateInput(kEnglish, " \t", "Bye").descriptionDefaulted);
    for (uint8_t lang : {kSimplifiedChinese, kBig5}) {
        EXPECT_FALSE(ValidateInput(lang, "Wave", " ").valid);
        EXPECT_FALSE(ValidateInput(lang, "", "Bye").valid);
        InputCheck ok = ValidateInput(lang, "Wave", "Bye");
        EXPECT_TRUE(ok.valid);
        EXPECT_FALSE(ok.descriptionDefaulted);
    }
}

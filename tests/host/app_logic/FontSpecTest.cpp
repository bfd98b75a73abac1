#include "app/logic/FontSpec.h"
#include "app/logic/Numbers.h"
#include "app/logic/Texts.h"

#include <gtest/gtest.h>

using namespace kv::app;

TEST(FontSpec, TheProgramsOwnSpecs) {
    FontSpec f = ParseFontSpec("MS Sans Serif,1,9,[],[clWindowText]");
    EXPECT_EQ(f.name, "MS Sans Serif");
    EXPECT_EQ(f.charset, 1);
    EXPECT_EQ(f.size, 9);
    EXPECT_EQ(f.styles, 0);
    EXPECT_EQ(f.colour, kColourWindowText);
    for (uint8_t lang : {kEnglish, kSimplifiedChinese, kBig5}) {
        const LanguageTexts& t = TextsFor(lang);
        for (auto spec : {t.mainFont, t.editorFont, t.aboutFont})
            EXPECT_NO_THROW(ParseFontSpec(spec));
    }
    FontSpec big5 = ParseFontSpec(TextsFor(kBig5).mainFont);
    EXPECT_EQ(big5.charset, 136);
    EXPECT_EQ(big5.name, "\xb2\xd3\xa9\xfa\xc5\xe9");
    EXPECT_EQ(ParseFontSpec(TextsFor(kEnglish).aboutFont).size, 8);
}

TEST(FontSpec, StylesAreCaseSensitiveSubstringsJoinedByBars) {
    EXPECT_EQ(ParseFontSpec("A,0,10,[Bold|Underline],[clRed]").styles,
              kStyleBold | kStyleUnderline);
    EXPECT_EQ(ParseFontSpec("A,0,10,[Italic|Strikeout],[0]").styles,
              kStyleItalic | kStyleStrikeout);
    EXPECT_EQ(ParseFontSpec("A,0,10,[bold],[0]").styles, 0);
    EXPECT_EQ(ParseFontSpec("A,0,10,[Boldest],[0]").styles, kStyleBold); // a substring test
    EXPECT_EQ(ParseFontSpec("A,0,10,[],[0]").styles, 0);
}

TEST(FontSpec, ColoursByNameOrNumber) {
    EXPECT_EQ(ParseFontSpec("A,0,10,[],[clRed]").colour, 0x0000FFu);
    EXPECT_EQ(ParseFontSpec("A,0,10,[],[CLBLUE]").colour, 0xFF0000u);
    EXPECT_EQ(ParseFontSpec("A,0,10,[],[$00FF00]").colour, 0x00FF00u);
    EXPECT_EQ(ParseFontSpec("A,0,10,[],[255]").colour, 255u);
    EXPECT_EQ(ParseFontSpec("A,0,10,[],[clBtnFace]").colour, SystemColour(15));
}

TEST(FontSpec, BadFieldsRaiseAnErrorNamingTheText) {
    try {
        ParseFontSpec("A,x1,9,[],[clWindowText]");
        FAIL() << "no error";
    } catch (const FontSpecError& e) {
        EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
    }
    EXPECT_THROW(ParseFontSpec("A,1,,[],[clWindowText]"), FontSpecError);
    EXPECT_THROW(ParseFontSpec("A,1,9,[],[clNoSuchColour]"), FontSpecError);
    EXPECT_THROW(ParseFontSpec(""), FontSpecError);
    EXPECT_THROW(ParseFontSpec("A,1,9"), FontSpecError);
    EXPECT_THROW(ParseFontSpec("A,1,9,[],"), FontSpecError);
    EXPECT_THROW(ParseFontSpec("A,99999999999,9,[],[0]"), FontSpecError);
}

TEST(Integers, FrameworkRules) {
    EXPECT_EQ(ParseInteger("12"), 12);
    EXPECT_EQ(ParseInteger("  -7"), -7);
    EXPECT_EQ(ParseInteger("+3"), 3);
    EXPECT_EQ(ParseInteger("$1F"), 31);
    EXPECT_EQ(ParseInteger("0x1f"), 31);
    EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInteger("$FF000008"), int32_t(0xFF000008u));
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInteger("12 "), std::nullopt);
    EXPECT_EQ(ParseInteger("1x"), std::nullopt);
    EXPECT_EQ(ParseInteger(""), std::nullopt);
    EXPECT_EQ(ParseInteger("-"), std::nullopt);
    EXPECT_EQ(ParseInteger("$"), std::nullopt);
    EXPECT_EQ(ParseInteger(std::string(100000, '9')), std::nullopt);
}

// A skinned glyph button: which glyph of the strip each state shows, and that it clicks like
// a push button.
#include "ControlFixture.h"

#include "skin/controls/SkinBitButton.h"
#include "ui/controls/Buttons.h"

namespace kv::test {
namespace {

TEST(GlyphFrame, OnlyAFourGlyphStripIsSlicedByState) {
    EXPECT_EQ(GlyphFrame(bsNormal, 4), 1);
    EXPECT_EQ(GlyphFrame(bsHot, 4), 1);
    EXPECT_EQ(GlyphFrame(bsPressed, 4), 3);
    EXPECT_EQ(GlyphFrame(bsDisabled, 4), 2);
    for (int count : {1, 2, 3}) {
        EXPECT_EQ(GlyphFrame(bsPressed, count), 1) << count;
        EXPECT_EQ(GlyphFrame(bsDisabled, count), 1) << count;
    }
}

class SkinnedBitButton : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        bit = Add<TBitBtn>(40, 40, 120, 32, "Glyph");
        bit->SetOnClick([this](TObject*) { ++clicks; });
        PixelBuffer strip(64, 16, 0x00FF00);
        for (int k = 0; k < 4; ++k) // glyph k: a square of its own colour on green
            for (int y = 4; y < 12; ++y)
                for (int x = 4; x < 12; ++x)
                    strip.View().Row(y)[k * 16 + x] = Pixel(0x100000 * (k + 1));
        bit->Glyph().Assign(strip.View());
        bit->SetNumGlyphs(4);
        skin = ShowSkinned();
        ASSERT_NE(skin, nullptr);
        SetFocus(form->Handle());
        MouseAt(5, 5); // away from the button: it starts neither hot nor focused
        Pump(50);
        skinned = SkinOf<TSkinBitButton>(skin, bit);
        ASSERT_NE(skinned, nullptr);
    }
    TBitBtn* bit = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinBitButton* skinned = nullptr;
    int clicks = 0;
};

TEST_F(SkinnedBitButton, PressedAndDisabledShowTheirGlyphsAndAClickClicksOnce) {
    skinned->PaintSkin(nullptr);
    EXPECT_EQ(skinned->LastState(), bsNormal);
    EXPECT_EQ(skinned->LastGlyph(), 1);
    const POINT c = CentreOf(bit->Handle());
    MouseAt(c.x, c.y);
    Button(true);
    Pump(50);
    EXPECT_EQ(skinned->LastState(), bsPressed);
    EXPECT_EQ(skinned->LastGlyph(), 3);
    Button(false);
    Pump(50);
    EXPECT_EQ(clicks, 1);
    MouseAt(10, 10);
    bit->SetEnabled(false);
    skinned->PaintSkin(nullptr);
    EXPECT_EQ(skinned->LastState(), bsDisabled);
    EXPECT_EQ(skinned->LastGlyph(), 2);
}

TEST_F(SkinnedBitButton, ATwoGlyphStripAlwaysShowsItsFirstGlyph) {
    bit->SetNumGlyphs(2);
    bit->SetEnabled(false);
    skinned->PaintSkin(nullptr);
    EXPECT_EQ(skinned->LastState(), bsDisabled);
    EXPECT_EQ(skinned->LastGlyph(), 1);
}

} // namespace
} // namespace kv::test

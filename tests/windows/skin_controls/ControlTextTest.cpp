// The shared text routines: where DrawCaptionText and DrawCenteredText put a caption, in what
// colour a disabled one goes, and that an inverted rectangle draws nothing.
#include "skin/controls/ControlText.h"
#include "skin/form/draw/win/DibSection.h"
#include "ui/graphics/GdiHandles.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    Pixel colour = 0;
};

class TextCanvas : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dib.Create(80, 24));
        font = SelectionGuard(dib.Dc(), GetStockObject(DEFAULT_GUI_FONT));
        Clear();
    }
    void Clear() {
        const RECT all{0, 0, 80, 24};
        FillRect(dib.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dib.Dc(), RGB(0, 0, 0));
    }
    Ink Read() {
        Ink ink;
        const PixelView v = dib.View();
        for (int y = 0; y < v.height; ++y)
            for (int x = 0; x < v.width; ++x) {
                const Pixel p = RgbOf(v.Row(y)[x]);
                if (p == 0xFFFFFF) continue;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ink.colour = p;
            }
        return ink;
    }
    DibSection dib;
    SelectionGuard font;
    const RECT box{0, 0, 80, 24};
};

TEST_F(TextCanvas, CenteredTextMapsZeroOneTwoToLeftRightCentre) {
    DrawCenteredText(dib.Dc(), box, L"II", 0, true);
    const Ink left = Read();
    Clear();
    DrawCenteredText(dib.Dc(), box, L"II", 1, true);
    const Ink right = Read();
    Clear();
    DrawCenteredText(dib.Dc(), box, L"II", 2, true);
    const Ink centre = Read();
    ASSERT_GE(left.right, 0);
    EXPECT_LT(left.left, 10);
    EXPECT_GT(right.right, 70);
    EXPECT_GT(centre.left, left.right);
    EXPECT_LT(centre.right, right.left);
}

TEST_F(TextCanvas, CaptionTextSitsOnePixelAboveTheCentredOne) {
    DrawCenteredText(dib.Dc(), box, L"Hg", 2, true);
    const Ink centred = Read();
    Clear();
    DrawCaptionText(dib.Dc(), box, DT_CENTER, true, L"Hg");
    const Ink caption = Read();
    ASSERT_GE(centred.bottom, 0);
    EXPECT_EQ(caption.top, centred.top - 1);
    EXPECT_EQ(caption.left, centred.left);
}

TEST_F(TextCanvas, DisabledTextTakesTheShadowColourAndTheDcKeepsItsOwn) {
    DrawCaptionText(dib.Dc(), box, DT_CENTER, false, L"I");
    EXPECT_EQ(Read().colour, ToPixel(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(GetTextColor(dib.Dc()), RGB(0, 0, 0));
}

TEST_F(TextCanvas, AnInvertedRectangleDrawsNothing) {
    const RECT inverted{40, 0, 10, 24};
    DrawCaptionText(dib.Dc(), inverted, DT_CENTER, true, L"Text");
    DrawCenteredText(dib.Dc(), inverted, L"Text", 2, true);
    DrawIconText(dib.Dc(), inverted, 1, L"Text", -1, nullptr, true);
    EXPECT_EQ(Read().right, -1);
}

} // namespace
} // namespace kv

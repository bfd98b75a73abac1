// The flat combo box look (a ComboButton whose Style is 1) read back from the screen: the shadow
// frame, the ring in the window DC's own brush, the button strip's frame for each state, and
// the caller's brush left as it was.
#include "Controls2Fixture.h"

#include "skin/controls/SkinComBox.h"
#include "skin/form/draw/SkinDraw.h"

namespace kv::test {
namespace {

class FlatCombo : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        combo = Place<TComboBox>(20, 20, 160, 24);
        combo->SetStyle(csDropDownList);
        combo->Items().Add("Alpha");
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        // A skin file cannot ask for it (a border object reads its second image, not a style):
        // the program sets the style on the skin in force.
        ASSERT_NE(data->Skin()->ComboButton, nullptr);
        const_cast<TDataSkinBorder&>(*data->Skin()->ComboButton).Style = 1;
        skinned = SkinOf<TSkinComBox>(skin, combo);
        ASSERT_NE(skinned, nullptr);
        MouseAt(5, 5);
        SetFocus(form->Handle());
        Repaint();
    }
    void Repaint() {
        RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        Pump(80); // the screen follows the window's pixels a moment later
    }

    // Pixels that differ from the flat look in `state`: the outer frame, the ring (the window
    // DC's default brush, white) and the button strip, the text area left out.
    int FlatDifferences(int state) {
        const PixelBuffer shot = ScreenShotOf(combo->Handle());
        const int w = shot.Width(), h = shot.Height();
        PixelBuffer expected = shot;
        const Pixel shadow = ToPixel(ResolveColour(data->Skin()->ButtonShadowColour));
        const Pixel ring = ToPixel(RGB(255, 255, 255));
        for (int x = 0; x < w; ++x) {
            expected.At(x, 0) = expected.At(x, h - 1) = shadow;
            expected.At(x, 1) = expected.At(x, h - 2) = ring;
        }
        for (int y = 0; y < h; ++y) {
            expected.At(0, y) = expected.At(w - 1, y) = shadow;
            if (y > 0 && y < h - 1) expected.At(1, y) = expected.At(w - 2, y) = ring;
        }
        const RECT b = skinned->LastButton();
        EXPECT_EQ(b.right, w - 2);
        EXPECT_EQ(b.right - b.left, GetSystemMetrics(SM_CYVTHUMB));
        const TDataSkinBorder& button = *data->Skin()->ComboButton;
        DrawSkinStrip(expected.View(), {b.left, b.top, b.right, b.bottom}, button.Bitmap.View(),
                      false, button.FrameCount, state);
        return Differences(shot, expected, {0, 0, w, h});
    }

    TComboBox* combo = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinComBox* skinned = nullptr;
};

TEST_F(FlatCombo, EachStateShowsItsFrameInTheFlatLook) {
    EXPECT_EQ(skinned->LastState(), 1);
    EXPECT_EQ(FlatDifferences(1), 0) << "normal";
    const POINT at = CentreOf(combo->Handle());
    MouseAt(at.x, at.y);
    EXPECT_TRUE(WaitFor([&] { return skinned->LastState() == 4; }, 1000)) << "hot";
    EXPECT_EQ(FlatDifferences(4), 0) << "hot";
    MouseAt(5, 5);
    EXPECT_TRUE(WaitFor([&] { return skinned->LastState() == 1; }, 1000));
    combo->SetEnabled(false);
    Repaint();
    EXPECT_EQ(skinned->LastState(), 3);
    EXPECT_EQ(FlatDifferences(3), 0) << "disabled";
}

// The flat look borrows the DC's brush: it stays selected and alive after a paint into it.
TEST_F(FlatCombo, ThePaintersBrushIsBorrowedNotTaken) {
    DibSection dib;
    ASSERT_TRUE(dib.Create(160, 24));
    HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
    HGDIOBJ old = SelectObject(dib.Dc(), brush);
    SendMessageW(combo->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
    EXPECT_NE(skinned->LastState(), 0);
    EXPECT_EQ(GetCurrentObject(dib.Dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetObjectType(brush), DWORD(OBJ_BRUSH)) << "not deleted";
    const PixelView pixels = dib.View();
    EXPECT_EQ(RgbOf(pixels.At(1, 12)), Pixel(0x0AC81E)) << "the ring in the caller's brush";
    SelectObject(dib.Dc(), old);
    DeleteObject(brush);
}

} // namespace
} // namespace kv::test

// What the windowless and glyph kinds draw, read back from the screen, and how they click.
#include "ControlsFixture.h"

#include "ui/controls/Buttons.h"
#include "ui/controls/ExtCtrls.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 16 x 16 icon of one colour (the mask lets every pixel through).
HICON SolidIcon(COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP colourBits = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, colourBits);
    RECT all{0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    std::vector<uint8_t> zeros(16 * 16 / 8, 0);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, zeros.data());
    ICONINFO info{TRUE, 0, 0, mask, colourBits};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colourBits);
    return icon;
}

// A glyph strip: `frames` frames of w x h, frame i filled with colours[i], bottom row magenta
// (the transparent colour, taken from the bottom-left pixel).
void FillGlyph(TBitmap& glyph, int w, int h, const std::vector<COLORREF>& colours) {
    glyph.SetSize(w * static_cast<int>(colours.size()), h);
    for (size_t i = 0; i < colours.size(); ++i) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                glyph.Canvas().SetPixel(static_cast<int>(i) * w + x, y,
                                        y == h - 1 ? kMagenta : colours[i]);
    }
}

int CountPixels(HWND hwnd, const RECT& area, COLORREF colour) {
    HDC dc = GetDC(hwnd);
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetPixel(dc, x, y) == colour) ++n;
    ReleaseDC(hwnd, dc);
    return n;
}

} // namespace

TEST_F(ControlsTest, ImageDrawsItsIconAndClicks) {
    auto* image = Add<TImage>();
    image->SetBounds(20, 20, 16, 16);
    image->Picture().SetIcon(SolidIcon(kRed));
    image->SetCursor(crHandPoint);
    int clicks = 0;
    image->OnClick = [&](TObject*) { ++clicks; };
    ShowAndPaint();
    HWND hwnd = form->Handle();
    EXPECT_EQ(PixelOf(hwnd, 28, 28), kRed);
    EXPECT_EQ(PixelOf(hwnd, 36, 28), GetSysColor(COLOR_BTNFACE)); // just right of it
    EXPECT_EQ(form->CursorAt({28, 28}), crHandPoint);

    SendMouse(hwnd, WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
    SendMouse(hwnd, WM_LBUTTONUP, 25, 25);
    EXPECT_EQ(clicks, 1);

    image->SetBounds(20, 20, 40, 40);
    image->SetStretch(true);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(hwnd, 57, 57), kRed);
}

TEST_F(ControlsTest, ImageDrawsABitmapCentredAndTransparent) {
    auto* image = Add<TImage>();
    image->SetBounds(10, 10, 40, 40);
    TBitmap bitmap(10, 10);
    FillGlyph(bitmap, 10, 10, {kGreen});
    image->Picture().SetBitmap(bitmap);
    image->SetCenter(true);
    image->SetTransparent(true);
    ShowAndPaint();
    RECT all{10, 10, 50, 50};
    EXPECT_EQ(CountPixels(form->Handle(), all, kGreen), 90);
    EXPECT_EQ(CountPixels(form->Handle(), all, kMagenta), 0);
    EXPECT_EQ(PixelOf(form->Handle(), 30, 30), kGreen);
}

TEST_F(ControlsTest, BitBtnDrawsItsGlyphBesideTheCaption) {
    auto* button = Add<TBitBtn>();
    button->SetBounds(10, 10, 100, 30);
    FillGlyph(button->Glyph(), 16, 16, {kGreen});
    ShowAndPaint();
    HWND hwnd = button->Handle();
    EXPECT_EQ(ClassNameOf(hwnd), "TBitBtn");
    RECT all{0, 0, 100, 30};
    EXPECT_EQ(CountPixels(hwnd, all, kGreen), 16 * 15);
    EXPECT_EQ(CountPixels(hwnd, all, kMagenta), 0);
    // Alone, the glyph is centred (margin and spacing automatic).
    EXPECT_EQ(PixelOf(hwnd, 50, 14), kGreen);

    button->SetKind(bkOK);
    EXPECT_EQ(button->Caption(), "OK");
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_TRUE(button->Default());
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, GlyphAndCaptionLayoutFollowsMarginAndSpacing) {
    // Glyph left, automatic margin, spacing 4: the pair is centred.
    TGlyphLayout a = LayoutGlyphAndCaption({100, 30}, {16, 16}, {40, 13}, blGlyphLeft, -1, 4);
    EXPECT_EQ(a.glyph.x, (100 - (16 + 4 + 40)) / 2);
    EXPECT_EQ(a.caption.left, a.glyph.x + 16 + 4);
    EXPECT_EQ(a.glyph.y, (30 - 16 + 1) / 2);
    TGlyphLayout b = LayoutGlyphAndCaption({100, 30}, {16, 16}, {40, 13}, blGlyphRight, 5, 4);
    EXPECT_EQ(b.glyph.x, 100 - 5 - 16);
    EXPECT_EQ(b.caption.right, b.glyph.x - 4);
    TGlyphLayout c = LayoutGlyphAndCaption({60, 60}, {16, 16}, {30, 13}, blGlyphTop, -1, -1);
    EXPECT_EQ(c.glyph.y, (60 - 29) / 3);
    EXPECT_EQ(c.caption.top, c.glyph.y + 16 + (60 - 29) / 3);
}

TEST_F(ControlsTest, SpeedButtonsLatchDownOnePerGroup) {
    std::vector<TSpeedButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* b = Add<TSpeedButton>();
        b->SetBounds(10 + i * 30, 10, 25, 25);
        b->SetGroupIndex(1);
        buttons.push_back(b);
    }
    auto* plain = Add<TSpeedButton>();
    plain->SetBounds(200, 10, 25, 25);
    int clicks = 0;
    for (auto* b : buttons) b->OnClick = [&](TObject*) { ++clicks; };
    plain->OnClick = [&](TObject*) { ++clicks; };
    ShowAndPaint();
    HWND hwnd = form->Handle();
    auto click = [&](int x, int y, int releaseX, int releaseY) {
        SendMouse(hwnd, WM_MOUSEMOVE, x, y);
        SendMouse(hwnd, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        SendMouse(hwnd, WM_MOUSEMOVE, releaseX, releaseY, MK_LBUTTON);
        SendMouse(hwnd, WM_LBUTTONUP, releaseX, releaseY);
    };
    click(45, 20, 45, 20);
    EXPECT_TRUE(buttons[1]->Down());
    click(15, 20, 15, 20);
    EXPECT_TRUE(buttons[0]->Down());
    EXPECT_FALSE(buttons[1]->Down());
    click(15, 20, 15, 20); // the down one stays down without AllowAllUp
    EXPECT_TRUE(buttons[0]->Down());
    EXPECT_EQ(clicks, 3);

    buttons[0]->SetAllowAllUp(true);
    click(15, 20, 15, 20);
    EXPECT_FALSE(buttons[0]->Down());

    click(75, 20, 300, 200); // pressed, dragged off, released elsewhere: no click
    EXPECT_FALSE(buttons[2]->Down());
    EXPECT_EQ(clicks, 4);

    click(210, 20, 210, 20);
    EXPECT_FALSE(plain->Down()); // without a group it never stays down
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    EXPECT_EQ(clicks, 5);

    SendMouse(hwnd, WM_MOUSEMOVE, 212, 20);
    EXPECT_TRUE(plain->MouseInControl());
    SendMouse(hwnd, WM_MOUSEMOVE, 300, 200);
    EXPECT_FALSE(plain->MouseInControl());
}

TEST_F(ControlsTest, SpeedButtonShowsTheLatchedGlyph) {
    auto* b = Add<TSpeedButton>();
    b->SetBounds(10, 10, 30, 30);
    FillGlyph(b->Glyph(), 16, 16, {kRed, RGB(128, 128, 128), kGreen, RGB(0, 0, 255)});
    b->SetNumGlyphs(4);
    b->SetGroupIndex(3);
    ShowAndPaint();
    RECT area{10, 10, 40, 40};
    EXPECT_EQ(CountPixels(form->Handle(), area, kRed), 16 * 15);
    b->SetDown(true);
    ShowAndPaint();
    EXPECT_EQ(CountPixels(form->Handle(), area, RGB(0, 0, 255)), 16 * 15);
    EXPECT_EQ(CountPixels(form->Handle(), area, kRed), 0);
}

TEST_F(ControlsTest, PanelFillsWithItsColourFramesAndParentsItsChildren) {
    auto* panel = Add<TPanel>();
    panel->SetBounds(10, 10, 120, 60);
    panel->SetColor(kRed);
    panel->SetCaption("");
    auto* label = Add<TLabel>(panel);
    label->SetBounds(20, 20, 10, 10);
    auto* bevel = Add<TBevel>(panel);
    bevel->SetBounds(60, 10, 40, 30);
    ShowAndPaint();
    HWND hwnd = panel->Handle();
    EXPECT_EQ(ClassNameOf(hwnd), "TPanel");
    EXPECT_EQ(PixelOf(hwnd, 30, 40), kRed);
    EXPECT_EQ(PixelOf(hwnd, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT)); // raised outer bevel
    EXPECT_EQ(PixelOf(hwnd, 60, 10), GetSysColor(COLOR_BTNSHADOW));  // lowered box bevel
    EXPECT_EQ(PixelOf(hwnd, 99, 39), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(label->Color(), kRed); // labels take their parent's colour
    panel->SetColor(kGreen);
    EXPECT_EQ(label->Color(), kGreen);
}

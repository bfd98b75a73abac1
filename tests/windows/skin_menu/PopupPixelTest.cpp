// Pixels read back from the screen: the bar, a hot button, a popup's frame and its items.
#include "MenuFixture.h"

#include "skin/form/draw/SkinDraw.h"
#include "ui/graphics/Bitmap.h"
#include "ui/graphics/ImageList.h"
#include "ui/menus/MenuDraw.h"

namespace kv::test {

namespace {

// The screen inside `r` as pixels.
PixelBuffer Snapshot(const RECT& r) {
    PixelBuffer out(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), out.Width(), -out.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, out.Width(), out.Height(), screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const Pixel*>(bits);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) out.View().At(x, y) = RgbOf(p[size_t(y) * out.Width() + x]);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return out;
}

Pixel Sys(int index) {
    return ToPixel(GetSysColor(index));
}

Pixel SkinPixel(SkinColour colour) {
    return ToPixel(ResolveColour(colour));
}

int CountColour(PixelView v, const PixelRect& r, Pixel colour) {
    int n = 0;
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, v.height); ++y)
        for (int x = std::max(r.left, 0); x < std::min(r.right, v.width); ++x)
            n += RgbOf(v.At(x, y)) == RgbOf(colour);
    return n;
}

PixelRect MarginsOf(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

} // namespace

TEST_F(MenuBarTest, BarBackgroundComesFromTheSkinAndAHotButtonGetsItsFrame) {
    ASSERT_NE(ShowBar(), nullptr);
    const TSkinDefinition& s = *data->Skin();
    ASSERT_TRUE(s.MenuBar);
    const RECT w = WindowRectOf(form->Handle());
    const PixelRect bar = skin->MenuBar()->BarRect;
    const PixelBuffer expected = BuildNineSlice({0, 0, bar.Width(), bar.Height()}, s.MenuBar->Bitmap.View(),
                                                MarginsOf(*s.MenuBar), true, false, 2, 1);
    // Past the last button the bar is the skin's image, active cell.
    for (int x : {bar.Width() - 3, bar.Width() - 40})
        for (int y : {1, bar.Height() / 2, bar.Height() - 2}) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            EXPECT_EQ(RgbOf(ToPixel(ScreenPixel(w.left + bar.left + x, w.top + bar.top + y))),
                      RgbOf(expected.View().At(x, y)));
        }
    const PixelRect b = Button(0)->BoundsRect;
    const Pixel frame = SkinPixel(s.ButtonHilightColour);
    auto corner = [&] { return RgbOf(ToPixel(ScreenPixel(w.left + b.left, w.top + b.top))); };
    EXPECT_NE(corner(), frame);
    const POINT p = ButtonCentre(0);
    MouseAt(p.x, p.y);
    ASSERT_TRUE(WaitFor([&] { return corner() == frame; }, 2000)) << "no hot frame";
    EXPECT_EQ(RgbOf(ToPixel(ScreenPixel(w.left + b.right - 1, w.top + b.bottom - 1))), frame);
    MouseAt(20, 20);
    EXPECT_TRUE(WaitFor([&] { return corner() == RgbOf(expected.View().At(b.left - bar.left, 0)); }, 2000))
        << "the hot frame stayed";
}

// A File menu with an image list, a disabled item, a checked item with and without an image,
// a separator and a shortcut.
class PopupLook : public MenuBarTest {
protected:
    void SetUp() override {
        MenuBarTest::SetUp();
        images = new TImageList(form);
        TBitmap image;
        image.SetSize(16, 16);
        image.Canvas().Brush().SetColor(clFuchsia);
        image.Canvas().FillRect(RECT{0, 0, 16, 16});
        image.Canvas().Brush().SetColor(clRed);
        image.Canvas().FillRect(RECT{4, 4, 12, 12});
        images->AddMasked(image, clFuchsia);
        menu->SetImages(images);
        disabled = AddItem(file, "&Disabled");
        disabled->SetEnabled(false);
        checked = AddItem(file, "&Checked");
        checked->SetChecked(true);
        pictured = AddItem(file, "&Pictured");
        pictured->SetChecked(true);
        pictured->SetImageIndex(0);
    }

    // Opens File (its first item selected) and takes a picture of the popup with its items.
    void TakePicture() {
        ASSERT_NE(ShowBar(), nullptr);
        MenuScript::Run({[&] {
                             popup = OpenPopupWindow();
                             if (!popup) return;
                             popupRect = WindowRectOf(popup);
                             POINT client{0, 0};
                             ClientToScreen(popup, &client);
                             clientOffset = {client.x - popupRect.left, client.y - popupRect.top};
                             for (int i = 0; i < file->Count(); ++i) {
                                 RECT r{};
                                 GetMenuItemRect(nullptr, file->Handle(), UINT(i), &r);
                                 items.push_back({r.left - popupRect.left, r.top - popupRect.top,
                                                  r.right - popupRect.left, r.bottom - popupRect.top});
                             }
                             picture = Snapshot(popupRect);
                             Key(VK_ESCAPE);
                         },
                         [] {}});
        AltKey('F');
        ASSERT_TRUE(WaitScript());
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(items.size(), 6u);
    }

    // The item as the skin composes it before the text: the popup's background under the
    // MenuItem cell.
    PixelBuffer ItemBack(int index, int cell) {
        const TSkinDefinition& s = *data->Skin();
        const PixelRect r = items[size_t(index)];
        const int pw = popupRect.right - popupRect.left, ph = popupRect.bottom - popupRect.top;
        const PixelBuffer back = BuildNineSlice({0, 0, pw, ph}, s.MenuBackground->Bitmap.View(),
                                                MarginsOf(*s.MenuBackground), false,
                                                s.MenuBackground->Tile == 1, 1, 1);
        PixelBuffer item(r.Width(), r.Height());
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x) item.View().At(x, y) = back.View().At(r.left + x, r.top + y);
        DrawNineSlice(item.View(), {0, 0, r.Width(), r.Height()}, s.MenuItem->Bitmap.View(), false,
                      s.MenuItem->Tile == 1, s.MenuItem->Trans != 0, 5, cell, MarginsOf(*s.MenuItem));
        return item;
    }

    Pixel At(int x, int y) const { return RgbOf(picture.View().At(x, y)); }

    TImageList* images = nullptr;
    TMenuItem *disabled = nullptr, *checked = nullptr, *pictured = nullptr;
    HWND popup = nullptr;
    RECT popupRect{};
    POINT clientOffset{};
    std::vector<PixelRect> items;
    PixelBuffer picture;
};

TEST_F(PopupLook, FrameAndBackgroundComeFromMenuBackground) {
    TakePicture();
    const TSkinDefinition& s = *data->Skin();
    const int pw = picture.Width(), ph = picture.Height();
    const PixelBuffer back = BuildNineSlice({0, 0, pw, ph}, s.MenuBackground->Bitmap.View(),
                                            MarginsOf(*s.MenuBackground), false, s.MenuBackground->Tile == 1, 1, 1);
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {pw - 2, ph / 2}, {pw / 2, ph - 1}, {2, ph - 3}}) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        EXPECT_EQ(At(x, y), RgbOf(back.View().At(x, y)));
    }
}

TEST_F(PopupLook, SelectedAndNormalItemsUseTheirCells) {
    TakePicture();
    for (auto [index, cell] : {std::pair{0, 4}, {2, 1}}) {
        SCOPED_TRACE(testing::Message() << "item " << index << " cell " << cell);
        const PixelRect r = items[size_t(index)];
        const PixelBuffer expected = ItemBack(index, cell);
        for (auto [x, y] : {std::pair{r.Width() - 3, r.Height() / 2}, {r.Width() / 2, 0},
                            {r.Width() / 2, r.Height() - 1}, {1, 1}}) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            EXPECT_EQ(At(r.left + x, r.top + y), RgbOf(expected.View().At(x, y)));
        }
    }
}

// The separator is the second cell's bottom rows (the item is lower than the image), its
// middle stretched across the item.
TEST_F(PopupLook, SeparatorIsTheSecondCell) {
    TakePicture();
    const TSkinDefinition& s = *data->Skin();
    const PixelRect r = items[1];
    const PixelView image = s.MenuItem->Bitmap.View();
    const PixelRect cell = StripFrame(image, false, 5, 2);
    ASSERT_LE(r.Height(), cell.Height());
    const int top = cell.bottom - r.Height();
    int compared = 0;
    for (int y = 0; y < r.Height(); ++y) {
        const Pixel want = RgbOf(image.At(cell.left + cell.Width() / 2, top + y));
        if (want == kMagenta) continue;
        EXPECT_EQ(At(r.left + r.Width() / 2, r.top + y), want) << "row " << y;
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

TEST_F(PopupLook, DisabledTextUsesTheShadowColour) {
    TakePicture();
    const TSkinDefinition& s = *data->Skin();
    ASSERT_NE(RgbOf(SkinPixel(s.ButtonShadowColour)), RgbOf(SkinPixel(s.MenuTextColour)));
    const PixelRect d = items[3], q = items[2];
    EXPECT_GT(CountColour(picture.View(), d, SkinPixel(s.ButtonShadowColour)), 5);
    EXPECT_EQ(CountColour(picture.View(), d, SkinPixel(s.MenuTextColour)), 0);
    EXPECT_GT(CountColour(picture.View(), q, SkinPixel(s.MenuTextColour)), 5);
}

TEST_F(PopupLook, CheckedItemsShowTheMarkOrTheImageOnASunkenSquare) {
    TakePicture();
    const int left = data->Skin()->MenuItem->LeftWidth;
    auto glyph = [&](int index) {
        const PixelRect r = items[size_t(index)];
        return PixelRect{r.left + 1 + left, r.top + 1, r.left + 1 + left + 16, r.top + 17};
    };
    // Without an image: the system's mark in the button-text colour; an unchecked item has none.
    EXPECT_GT(CountColour(picture.View(), glyph(4), Sys(COLOR_BTNTEXT)), 3);
    EXPECT_EQ(CountColour(picture.View(), glyph(2), Sys(COLOR_BTNTEXT)), 0);
    // With one: the image, on the checkered square with its sunken edge.
    const PixelRect g = glyph(5);
    EXPECT_EQ(At(g.left + 8, g.top + 8), RgbOf(ToPixel(RGB(255, 0, 0))));
    EXPECT_EQ(At(g.left, g.top + 8), RgbOf(Sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(At(g.right - 1, g.top + 8), RgbOf(Sys(COLOR_BTNHIGHLIGHT)));
    const Pixel inside = At(g.left + 2, g.top + 2);
    EXPECT_TRUE(inside == RgbOf(Sys(COLOR_BTNFACE)) || inside == RgbOf(Sys(COLOR_BTNHIGHLIGHT)));
}

// Blank columns between a right-aligned text's box and its last ink, in the menu font.
int InkGapAtRight(const std::wstring& text) {
    constexpr int kW = 200, kH = 40;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kW, kH);
    HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
    HGDIOBJ oldFont = SelectObject(mem, MenuFont());
    RECT all{0, 0, kW, kH};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(mem, RGB(0, 0, 0));
    SetBkMode(mem, TRANSPARENT);
    RECT box{0, 0, 150, kH};
    DrawTextW(mem, text.c_str(), -1, &box, DT_RIGHT | DT_SINGLELINE | DT_EXPANDTABS);
    int last = -1;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (GetPixel(mem, x, y) != RGB(255, 255, 255)) last = std::max(last, x);
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return 150 - 1 - last;
}

int Distance(Pixel a, Pixel b) {
    auto c = [](Pixel p, int shift) { return int((p >> shift) & 0xFF); };
    return std::abs(c(a, 16) - c(b, 16)) + std::abs(c(a, 8) - c(b, 8)) + std::abs(c(a, 0) - c(b, 0));
}

// Text pixels are smoothed at their edges: a pixel counts as text when it is nearer the text
// colour than the item's own background there.
TEST_F(PopupLook, ShortcutTextEndsElevenPixelsInsideTheItem) {
    TakePicture();
    const PixelRect r = items[0]; // Open, Ctrl+O, selected
    const PixelBuffer back = ItemBack(0, 4);
    const Pixel text = SkinPixel(data->Skin()->HilightTextColour);
    int right = -1;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = r.Width() / 2; x < r.Width(); ++x)
            if (Distance(At(r.left + x, r.top + y), text) < Distance(At(r.left + x, r.top + y), back.View().At(x, y)))
                right = std::max(right, r.left + x);
    ASSERT_GE(right, 0);
    // The text's box ends 11 pixels inside; its ink ends before that by as much as the same
    // text drawn right-aligned elsewhere leaves blank.
    const int gap = InkGapAtRight(L"Ctrl+O");
    EXPECT_NEAR(right, r.right - 11 - 1 - gap, 1) << "gap " << gap;
}

} // namespace kv::test

// Canvases over borrowed DCs put the DC's selection back and never delete what they borrowed;
// drawing objects change safely while selected; GDI counts stay flat.
#include "ui/graphics/Bitmap.h"
#include "ui/graphics/Icon.h"

#include "tests/windows/support/GuiObjects.h"
#include "ui/classes/Properties.h"

#include <gtest/gtest.h>

namespace {

// A memory DC with a bitmap and the caller's own brush, pen and font selected.
struct CallerDC {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(32, 32, 1, 32, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
    HFONT font =
        CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldBitmap, oldBrush, oldPen, oldFont;

    CallerDC() {
        oldBitmap = SelectObject(dc, bitmap);
        oldBrush = SelectObject(dc, brush);
        oldPen = SelectObject(dc, pen);
        oldFont = SelectObject(dc, font);
        SetTextColor(dc, RGB(7, 8, 9));
        SetBkMode(dc, OPAQUE);
    }
    ~CallerDC() {
        SelectObject(dc, oldBitmap);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldFont);
        DeleteDC(dc);
        DeleteObject(bitmap);
        DeleteObject(brush);
        DeleteObject(pen);
        DeleteObject(font);
    }
};

void DrawEverything(TCanvas& canvas) {
    canvas.Brush().SetColor(clBtnFace);
    canvas.Pen().SetColor(clRed);
    canvas.Font().SetStyle(fsBold);
    canvas.FillRect(RECT{0, 0, 10, 10});
    canvas.Rectangle(2, 2, 20, 20);
    canvas.MoveTo(0, 0);
    canvas.LineTo(30, 30);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(1, 1, "text");
    RECT r{0, 0, 30, 12};
    canvas.DrawText("abc", r, DT_LEFT | DT_SINGLELINE);
}

TEST(Canvas, UnbindingPutsTheDCsSelectionAndColoursBack) {
    CallerDC caller;
    {
        TCanvas canvas;
        canvas.SetHandle(caller.dc);
        DrawEverything(canvas);
        EXPECT_NE(GetCurrentObject(caller.dc, OBJ_PEN), caller.pen);
        canvas.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_BRUSH), caller.brush);
        EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_PEN), caller.pen);
        EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_FONT), caller.font);
        EXPECT_EQ(GetTextColor(caller.dc), RGB(7, 8, 9));
        EXPECT_EQ(GetBkMode(caller.dc), OPAQUE);

        canvas.SetHandle(caller.dc); // bound again, and left bound when the canvas goes away
        DrawEverything(canvas);
    }
    EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_BRUSH), caller.brush);
    EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_FONT), caller.font);
    EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_BITMAP), caller.bitmap);
}

TEST(Canvas, ABorrowedBrushIsUsedButNeverDeleted) {
    CallerDC caller;
    TCanvas canvas;
    canvas.SetHandle(caller.dc);
    HBRUSH current = static_cast<HBRUSH>(GetCurrentObject(caller.dc, OBJ_BRUSH));
    canvas.Brush().SetHandle(current);
    EXPECT_EQ(canvas.Brush().Handle(), caller.brush);
    EXPECT_EQ(canvas.Brush().Color(), TColor(RGB(1, 2, 3)));
    canvas.FrameRect(RECT{0, 0, 8, 8});
    EXPECT_EQ(GetPixel(caller.dc, 0, 0), RGB(1, 2, 3));
    canvas.Brush().SetColor(clBlue); // "restore the brush colour": a new brush of our own
    EXPECT_NE(canvas.Brush().Handle(), caller.brush);
    canvas.FrameRect(RECT{0, 0, 8, 8});
    EXPECT_EQ(GetPixel(caller.dc, 0, 0), RGB(0, 0, 255));
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetObjectType(caller.brush), DWORD(OBJ_BRUSH)) << "borrowed brush was deleted";
    EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_BRUSH), caller.brush);

    // Borrowed pens and fonts the same way.
    canvas.SetHandle(caller.dc);
    canvas.Pen().SetHandle(caller.pen);
    canvas.Font().SetHandle(caller.font);
    canvas.LineTo(5, 5);
    canvas.TextOut(0, 0, "x");
    canvas.Pen().SetWidth(2);
    canvas.Font().SetHeight(-20);
    canvas.LineTo(9, 9);
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetObjectType(caller.pen), DWORD(OBJ_PEN));
    EXPECT_EQ(GetObjectType(caller.font), DWORD(OBJ_FONT));
}

TEST(Canvas, ChangingASelectedFontNeverDeletesItWhileSelected) {
    CallerDC caller;
    TCanvas canvas;
    canvas.SetHandle(caller.dc);
    canvas.TextOut(0, 0, "a");
    HGDIOBJ first = GetCurrentObject(caller.dc, OBJ_FONT);
    EXPECT_EQ(first, canvas.Font().Handle());
    canvas.Font().SetName("Courier New"); // drops the old handle
    EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_FONT), caller.font) << "deselected before deletion";
    EXPECT_EQ(GetObjectType(first), 0u) << "the canvas's own old font is deleted";
    canvas.TextOut(0, 0, "b");
    EXPECT_EQ(GetCurrentObject(caller.dc, OBJ_FONT), canvas.Font().Handle());
}

TEST(Canvas, CanvasWithoutDCDoesNothing) {
    TCanvas canvas;
    canvas.FillRect(RECT{0, 0, 5, 5});
    canvas.TextOut(0, 0, "x");
    EXPECT_EQ(canvas.TextWidth("x"), 0);
    EXPECT_FALSE(canvas.HandleAllocated());
}

TEST(Canvas, CopyRectCopiesAndScales) {
    TBitmap source(2, 1);
    source.Pixels().At(0, 0) = kv::RgbPixel(255, 0, 0);
    source.Pixels().At(1, 0) = kv::RgbPixel(0, 255, 0);
    TBitmap target(4, 2);
    target.Canvas().CopyRect(RECT{0, 0, 4, 2}, source.Canvas(), RECT{0, 0, 2, 1});
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(1, 1)), kv::RgbPixel(255, 0, 0));
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(2, 0)), kv::RgbPixel(0, 255, 0));
    target.Canvas().SetCopyMode(NOTSRCCOPY);
    target.Canvas().CopyRect(RECT{0, 0, 1, 1}, source.Canvas(), RECT{0, 0, 1, 1});
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(0, 0)), kv::RgbPixel(0, 255, 255));
}

TEST(Font, DescriptionSizesStylesAndHandles) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Color(), clWindowText);
    font.SetSize(8);
    EXPECT_EQ(font.Height(), -MulDiv(8, ScreenPixelsPerInch(), 72));
    EXPECT_EQ(font.Size(), 8);

    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetStyle(fsBold | fsUnderline);
    font.SetStyle(fsBold | fsUnderline); // no change, no event
    EXPECT_EQ(changes, 1);
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(font.Handle(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);

    // A window's font of NULL is the default GUI font, never a null selection.
    font.SetHandle(nullptr);
    EXPECT_EQ(font.Handle(), GetStockObject(DEFAULT_GUI_FONT));
    TFont copy;
    copy.Assign(font);
    EXPECT_TRUE(copy.SameAs(font));
    EXPECT_NE(copy.Handle(), font.Handle()) << "Assign copies the description, not the handle";
}

TEST(Font, PublishedPropertiesByName) {
    TFont font;
    EXPECT_TRUE(SetStrProp(font, "Name", "Arial"));
    EXPECT_TRUE(SetOrdProp(font, "Height", -13));
    EXPECT_TRUE(SetSetProp(font, "Style", "[fsBold,fsItalic]"));
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Height(), -13);
    EXPECT_EQ(font.Style(), fsBold | fsItalic);
    const TPropInfo* color = FindPropInfo(font, "Color");
    ASSERT_NE(color, nullptr);
    int64_t value = 0;
    ASSERT_TRUE(color->identToInt("clBtnFace", value));
    EXPECT_EQ(value, int64_t(clBtnFace));
    TBrush brush;
    EXPECT_TRUE(SetEnumProp(brush, "Style", "bsClear"));
    EXPECT_EQ(brush.Style(), bsClear);
}

TEST(Colors, SystemAndNamedColours) {
    EXPECT_EQ(clBtnFace, 0xFF00000Fu);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorToRGB(clHighlight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
    TColor c = 0;
    EXPECT_TRUE(IdentToColor("CLWINDOW", c));
    EXPECT_EQ(c, clWindow);
    EXPECT_FALSE(IdentToColor("clNoSuchColour", c));
    EXPECT_EQ(ColorToIdent(clFuchsia), "clFuchsia");
    EXPECT_EQ(ColorToIdent(0x123456), "");
}

TEST(Icon, OwnedCopiesDrawAndMeasure) {
    HICON shared = LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_NE(shared, nullptr);
    TBitmap target(40, 40);
    {
        TIcon icon;
        icon.CopyHandle(shared);
        EXPECT_NE(icon.Handle(), shared);
        EXPECT_GT(icon.Width(), 0);
        EXPECT_EQ(icon.Width(), icon.Height());
        target.Canvas().Brush().SetColor(clWhite);
        target.Canvas().FillRect(RECT{0, 0, 40, 40});
        icon.Draw(target.Canvas(), 0, 0);
        TIcon second;
        second.Assign(icon);
        EXPECT_FALSE(second.Empty());
    }
    EXPECT_TRUE(DrawIconEx(target.Canvas().Handle(), 0, 0, shared, 0, 0, 0, nullptr, DI_NORMAL))
        << "the shared icon must survive its copies";
    TIcon missing;
    EXPECT_THROW(missing.LoadFromResourceName(GetModuleHandle(nullptr), "NO_SUCH_ICON"),
                 EInvalidGraphic);
}

TEST(GdiCounts, FlatOverManyCreateDrawFreeCycles) {
    CallerDC caller;
    auto cycle = [&] {
        TBitmap bitmap(32, 16);
        bitmap.Canvas().Font().SetStyle(fsItalic);
        bitmap.Canvas().TextOut(0, 0, "cycle");
        bitmap.Canvas().Pen().SetColor(clGreen);
        bitmap.Canvas().LineTo(10, 10);
        bitmap.SetSize(40, 20);
        TCanvas canvas;
        canvas.SetHandle(caller.dc);
        DrawEverything(canvas);
        canvas.Brush().SetHandle(caller.brush);
        canvas.Brush().SetColor(clYellow);
        canvas.FillRect(RECT{0, 0, 4, 4});
        canvas.Draw(0, 0, bitmap);
        TIcon icon;
        icon.CopyHandle(LoadIcon(nullptr, IDI_APPLICATION));
        canvas.Draw(0, 0, icon);
    };
    for (int i = 0; i < 5; ++i) cycle(); // caches of the system settle first
    const kv::test::GuiObjects before = kv::test::CountGuiObjects();
    ASSERT_GT(before.GdiTotal(), 0) << "no GDI object count on this system";
    for (int i = 0; i < 60; ++i) cycle();
    EXPECT_TRUE(kv::test::GrewAtMost(before, kv::test::CountGuiObjects(), 2));
    EXPECT_EQ(GetObjectType(caller.brush), DWORD(OBJ_BRUSH));
}

} // namespace

// The bitmap on the pixel core: pixels written through the view are what GDI reads, text GDI
// draws is in the view, sizes are bounded, files are validated.
#include "ui/graphics/Bitmap.h"

#include "base/Bmp.h"
#include "ui/classes/Streams.h"

#include <gtest/gtest.h>

namespace {

TEST(Bitmap, PixelsWrittenThroughTheViewReadBackThroughGdi) {
    TBitmap bitmap(8, 6);
    kv::PixelView view = bitmap.Pixels();
    ASSERT_FALSE(view.Empty());
    view.At(0, 0) = kv::RgbPixel(255, 0, 0);
    view.At(7, 5) = kv::RgbPixel(0, 0, 255);
    view.At(3, 2) = kv::RgbPixel(10, 20, 30);

    HDC dc = bitmap.Canvas().Handle();
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 7, 5), RGB(0, 0, 255)); // top-down: row 5 is the last one
    EXPECT_EQ(GetPixel(dc, 3, 2), RGB(10, 20, 30));

    // GetDIBits on a bitmap that is not selected anywhere: take a copy.
    TBitmap copy;
    copy.Assign(bitmap);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -6, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t bits[48] = {};
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(screen, copy.Handle(), 0, 6, bits, &info, DIB_RGB_COLORS), 6);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(bits[0] & 0xFFFFFF, kv::RgbPixel(255, 0, 0));
    EXPECT_EQ(bits[2 * 8 + 3] & 0xFFFFFF, kv::RgbPixel(10, 20, 30));
}

TEST(Bitmap, GdiDrawingIsVisibleInThePixelView) {
    TBitmap bitmap(60, 20);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(RECT{0, 0, 60, 20});
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(RECT{50, 0, 60, 20});
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clBlack);
    canvas.TextOut(2, 2, "Hi");

    kv::PixelView view = bitmap.Pixels();
    EXPECT_EQ(kv::RgbOf(view.At(55, 10)), kv::RgbPixel(255, 0, 0));
    int dark = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            if (kv::RgbOf(view.At(x, y)) != 0xFFFFFF) ++dark;
    EXPECT_GT(dark, 5) << "the text did not reach the pixels";
    EXPECT_GT(canvas.TextWidth("Hi"), 0);
    EXPECT_GT(canvas.TextHeight("Hi"), 0);
}

TEST(Bitmap, ResizeKeepsTheOverlapAndFillsTheRestWhite) {
    TBitmap bitmap(4, 4);
    bitmap.Pixels().At(1, 1) = kv::RgbPixel(1, 2, 3);
    bitmap.Canvas().Handle(); // resizing with the DIB selected in the canvas
    bitmap.SetSize(10, 3);
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.Height(), 3);
    kv::PixelView view = bitmap.Pixels();
    EXPECT_EQ(kv::RgbOf(view.At(1, 1)), kv::RgbPixel(1, 2, 3));
    EXPECT_EQ(kv::RgbOf(view.At(9, 2)), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 1, 1), RGB(1, 2, 3));
}

TEST(Bitmap, SizesOutsideTheCapsAreRefusedAndChangeNothing) {
    TBitmap bitmap(5, 5);
    EXPECT_THROW(bitmap.SetSize(-1, 5), EInvalidGraphic);
    EXPECT_THROW(bitmap.SetSize(kv::kMaxSide + 1, 1), EInvalidGraphic);
    EXPECT_THROW(bitmap.SetSize(kv::kMaxSide, kv::kMaxSide), EInvalidGraphic); // > kMaxPixels
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 5);
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(bitmap.Pixels().Empty());
    TBitmap target(3, 3);
    target.Canvas().Draw(0, 0, bitmap); // drawing an empty bitmap is harmless
}

TEST(Bitmap, BmpRoundTripKeepsPixelsAndPixelFormat) {
    TBitmap bitmap(3, 2);
    kv::PixelView view = bitmap.Pixels();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            view.At(x, y) = kv::RgbPixel(uint8_t(x * 80), uint8_t(y * 90), 7);
    bitmap.SetPixelFormat(pf24bit);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    ASSERT_GT(stream.Size(), 54);
    EXPECT_EQ(stream.Bytes()[28], 24); // bit count in the info header

    stream.SetPosition(0);
    TBitmap loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(loaded.Height(), 2);
    EXPECT_EQ(loaded.PixelFormat(), pf24bit);
    EXPECT_EQ(kv::RgbOf(loaded.Pixels().At(2, 1)), kv::RgbPixel(160, 90, 7));

    bitmap.SetPixelFormat(pf32bit);
    std::vector<uint8_t> bytes32 = bitmap.SaveToBytes();
    loaded.LoadFromBytes(bytes32);
    EXPECT_EQ(loaded.PixelFormat(), pf32bit);
}

TEST(Bitmap, HostileFilesRaiseAndLeaveTheBitmapUnchanged) {
    TBitmap bitmap(2, 2);
    bitmap.Pixels().At(0, 0) = kv::RgbPixel(9, 9, 9);
    std::vector<uint8_t> good = kv::EncodeBmp24(bitmap.Pixels());

    std::vector<uint8_t> huge = good; // width 100000
    huge[18] = 0xA0, huge[19] = 0x86, huge[20] = 0x01, huge[21] = 0;
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 40);
    std::vector<uint8_t> offsetPastEnd = good;
    offsetPastEnd[10] = 0xFF, offsetPastEnd[11] = 0xFF;
    std::vector<uint8_t> badBits = good;
    badBits[28] = 7;
    for (const auto& bad : {huge, truncated, offsetPastEnd, badBits, std::vector<uint8_t>{}}) {
        EXPECT_THROW(bitmap.LoadFromBytes(bad), EInvalidGraphic);
        EXPECT_EQ(bitmap.Width(), 2);
        EXPECT_EQ(kv::RgbOf(bitmap.Pixels().At(0, 0)), kv::RgbPixel(9, 9, 9));
    }
    TMemoryStream empty;
    EXPECT_THROW(bitmap.LoadFromStream(empty), EInvalidGraphic);
    EXPECT_THROW(bitmap.LoadFromFile("C:\\no\\such\\file.bmp"), EStreamError);
}

TEST(Bitmap, LoadFromHandleCopiesAForeignBitmap) {
    HDC screen = GetDC(nullptr);
    HBITMAP foreign = CreateCompatibleBitmap(screen, 5, 4);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, foreign);
    ::SetPixel(dc, 2, 3, RGB(0, 200, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    TBitmap bitmap;
    bitmap.LoadFromHandle(foreign);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 4);
    EXPECT_EQ(kv::RgbOf(bitmap.Pixels().At(2, 3)), kv::RgbPixel(0, 200, 0));
    EXPECT_NE(GetObjectType(foreign), 0u) << "the caller's bitmap must stay alive";
    DeleteObject(foreign);
    EXPECT_THROW(bitmap.LoadFromHandle(nullptr), EInvalidGraphic);
}

TEST(Bitmap, TransparentDrawLeavesKeyPixelsOutAndStretchIsNearestPixel) {
    TBitmap sprite(2, 2);
    kv::PixelView s = sprite.Pixels();
    s.At(0, 0) = kv::kMagenta;
    s.At(1, 0) = kv::RgbPixel(0, 0, 255);
    s.At(0, 1) = kv::RgbPixel(0, 255, 0);
    s.At(1, 1) = kv::kMagenta;
    sprite.SetTransparent(true);
    sprite.SetTransparentColor(clFuchsia);

    TBitmap target(4, 4);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 4, 4});
    target.Canvas().StretchDraw(RECT{0, 0, 4, 4}, sprite);
    kv::PixelView t = target.Pixels();
    EXPECT_EQ(kv::RgbOf(t.At(0, 0)), 0xFFFFFFu);
    EXPECT_EQ(kv::RgbOf(t.At(1, 1)), 0xFFFFFFu);
    EXPECT_EQ(kv::RgbOf(t.At(3, 0)), kv::RgbPixel(0, 0, 255));
    EXPECT_EQ(kv::RgbOf(t.At(2, 1)), kv::RgbPixel(0, 0, 255));
    EXPECT_EQ(kv::RgbOf(t.At(0, 3)), kv::RgbPixel(0, 255, 0));
    EXPECT_EQ(kv::RgbOf(t.At(3, 3)), 0xFFFFFFu);

    sprite.SetTransparent(false);
    target.Canvas().Draw(1, 1, sprite);
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(1, 1)), kv::kMagenta);
}

} // namespace

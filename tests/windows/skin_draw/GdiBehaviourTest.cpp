#include "tests/windows/support/GuiObjects.h"
#include "skin/form/draw/PixelOps.h"
#include "skin/form/draw/win/DibSection.h"
#include "skin/form/draw/win/SkinDrawDC.h"
#include "skin/form/draw/win/SkinRegionWin.h"

#include "tests/host/skin_draw/PixelArt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kv {
namespace {

using test::Text;

// The pixel stretch must pick the same pixels as GDI's own COLORONCOLOR StretchBlt. (GDI here
// treats a target one pixel wide specially; the routines never rely on that case.)
TEST(GdiAgreement, NearestPixelStretchMatchesStretchBlt) {
    PixelBuffer source(13, 11);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x)
            source.At(x, y) = RgbPixel(uint8_t(x * 17), uint8_t(y * 23), 7);
    DibSection from, to;
    ASSERT_TRUE(from.Create(13, 11));
    ASSERT_TRUE(to.Create(40, 40));
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x) from.View().At(x, y) = source.At(x, y);
    const int sizes[][4] = {{13, 11, 40, 40}, {13, 11, 5, 3}, {7, 9, 20, 2}, {4, 4, 9, 31},
                            {12, 10, 12, 10}, {10, 3, 37, 6}, {13, 11, 2, 2}};
    for (const auto& s : sizes) {
        PixelBuffer ours(40, 40);
        StretchCopy(ours.View(), {0, 0, s[2], s[3]}, source.View(), {0, 0, s[0], s[1]});
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) to.View().At(x, y) = 0;
        SetStretchBltMode(to.Dc(), COLORONCOLOR);
        StretchBlt(to.Dc(), 0, 0, s[2], s[3], from.Dc(), 0, 0, s[0], s[1], SRCCOPY);
        GdiFlush();
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(RgbOf(to.View().At(x, y)), RgbOf(ours.At(x, y)))
                    << s[0] << "x" << s[1] << "->" << s[2] << "x" << s[3] << " at " << x << ","
                    << y;
    }
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

TEST(WindowDC, NineSliceDrawnOnAVisibleWindowReadsBack) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KvSkinDrawProbe";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 40,
                                  40, 60, 40, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    const PixelBuffer frame = test::Art({"abcd", "efgh", "ijkl", "mnop"});
    HDC dc = GetDC(window);
    DrawNineSlice(dc, RECT{10, 5, 16, 11}, frame.View(), false, false, false, 1, 1,
                  RECT{1, 1, 1, 1});
    const char* rows[] = {"abbccd", "effggh", "effggh", "ijjkkl", "ijjkkl", "mnnoop"};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(GetPixel(dc, 10 + x, 5 + y), ToColorRef(test::Colour(rows[y][x])))
                << x << "," << y;
    ReleaseDC(window, dc);
    DestroyWindow(window);
}

TEST(GdiObjects, CountStaysFlatOverManyDraws) {
    const PixelBuffer strip = test::Art({"aMcdefgh", "iMklmnop", "qrstuMwx"});
    DibSection target;
    ASSERT_TRUE(target.Create(64, 32));
    auto draws = [&] {
        const RECT r{2, 2, 60, 30}, m{1, 1, 1, 1};
        DrawNineSlice(target.Dc(), r, strip.View(), false, true, true, 2, 1, m);
        DrawNineSlice(target.Dc(), r, strip.View(), false, false, false, 2, 2, m);
        DrawNineSliceDirect(target.Dc(), r, strip.View(), false, false, 1, 1, m);
        StretchPiece(target.Dc(), r, strip.View(), false, true, 1, 1, RECT{2, 0, 2, 0});
        DrawSkinStrip(target.Dc(), r, strip.View(), true, 4, 2);
        DrawTransparent(target.Dc(), r, strip.View(), RGB(255, 0, 255));
        TileBitmap(target.Dc(), r, strip.View(), RECT{0, 0, 3, 2});
        UniqueRegion region = BitmapToRegion(strip.View(), 1, 1, 1, 1, 1, RGB(255, 0, 255));
        EXPECT_TRUE(region);
    };
    draws(); // first use may create cached objects
    const kv::test::GuiObjects before = kv::test::CountGuiObjects();
    for (int i = 0; i < 300; ++i) draws();
    EXPECT_TRUE(kv::test::GrewAtMost(before, kv::test::CountGuiObjects(), 0));
    // The DIB section's pixels must still be reachable: nothing was left selected in its place.
    EXPECT_EQ(GetCurrentObject(target.Dc(), OBJ_BITMAP), target.Bitmap());
}

} // namespace
} // namespace kv

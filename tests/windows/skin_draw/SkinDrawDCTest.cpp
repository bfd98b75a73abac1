#include "skin/form/draw/PixelOps.h"
#include "skin/form/draw/SkinDraw.h"
#include "skin/form/draw/win/DibSection.h"
#include "skin/form/draw/win/SkinDrawDC.h"

#include "tests/host/skin_draw/PixelArt.h"

#include <gtest/gtest.h>

#include <functional>

namespace kv {
namespace {

using test::Art;
using test::Rows;
using test::Text;

const PixelBuffer kStrip = Art({"aMcdefgh", "iMklmnop", "qrstuMwx", "yz012345"});

void Fill(PixelView view, char c) {
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x) view.At(x, y) = test::Colour(c);
}

// What a fresh scratch bitmap holds before an opaque draw reaches the DC.
void Blacken(PixelView view, const PixelRect& rect) {
    const PixelRect r = IntersectRect(rect, view.Bounds());
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) view.At(x, y) = 0;
}

using DcDraw = std::function<void(HDC, const RECT&)>;
using PixelDraw = std::function<void(PixelView, const PixelRect&)>;

// Draws with the DC routine on a DIB section and with the pixel routine on a buffer, both
// pre-filled, and expects the same pixels everywhere.
void ExpectSameAsPixels(const DcDraw& onDc, const PixelDraw& onPixels, const RECT& rect,
                        const char* what) {
    DibSection dib;
    ASSERT_TRUE(dib.Create(12, 10));
    Fill(dib.View(), 'z');
    onDc(dib.Dc(), rect);
    PixelBuffer expected(12, 10);
    Fill(expected.View(), 'z');
    onPixels(expected.View(), ToPixelRect(rect));
    EXPECT_EQ(Text(dib.View()), Text(expected)) << what;
}

TEST(SkinDrawDC, EveryRoutineGivesThePixelsOfItsPixelTwin) {
    const PixelView img = kStrip.View();
    const RECT margins{1, 1, 1, 1};
    const PixelRect m = ToPixelRect(margins);
    for (RECT rect : {RECT{1, 2, 10, 9}, RECT{-3, -2, 7, 6}, RECT{5, 5, 15, 14}}) {
        for (bool flag : {false, true}) {
            ExpectSameAsPixels(
                [&](HDC dc, const RECT& r) {
                    DrawNineSlice(dc, r, img, false, flag, flag, 2, 2, margins);
                },
                [&](PixelView t, const PixelRect& r) {
                    // Opaque draws on a DC start from a fresh (black) bitmap.
                    if (!flag) Blacken(t, r);
                    DrawNineSlice(t, r, img, false, flag, flag, 2, 2, m);
                },
                rect, "nine-slice");
            ExpectSameAsPixels(
                [&](HDC dc, const RECT& r) {
                    StretchPiece(dc, r, img, true, flag, 2, 1, RECT{2, 0, 3, 0});
                },
                [&](PixelView t, const PixelRect& r) {
                    if (!flag) Blacken(t, r);
                    StretchPiece(t, r, img, true, flag, 2, 1, {2, 0, 3, 0});
                },
                rect, "three-slice");
            ExpectSameAsPixels(
                [&](HDC dc, const RECT& r) { DrawSkinStrip(dc, r, img, flag, 4, 3); },
                [&](PixelView t, const PixelRect& r) {
                    if (!flag) Blacken(t, r);
                    DrawSkinStrip(t, r, img, flag, 4, 3);
                },
                rect, "strip");
        }
        ExpectSameAsPixels(
            [&](HDC dc, const RECT& r) {
                DrawNineSliceDirect(dc, r, img, false, true, 1, 1, margins);
            },
            [&](PixelView t, const PixelRect& r) {
                DrawNineSliceDirect(t, r, img, false, true, 1, 1, m);
            },
            rect, "border only");
        ExpectSameAsPixels(
            [&](HDC dc, const RECT& r) { DrawTransparent(dc, r, img, RGB(255, 0, 255)); },
            [&](PixelView t, const PixelRect& r) { DrawTransparent(t, r, img, kMagenta); }, rect,
            "transparent");
        ExpectSameAsPixels(
            [&](HDC dc, const RECT& r) {
                TileBitmap(dc, r, img, RECT{1, 1, 4, 3});
            },
            [&](PixelView t, const PixelRect& r) {
                TileBitmap(t, r, img, {1, 1, 4, 3});
            },
            rect, "tile");
    }
}

} // namespace
} // namespace kv

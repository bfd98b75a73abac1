#include "skin/form/draw/SkinRegion.h"
#include "skin/form/draw/win/DibSection.h"
#include "skin/form/draw/win/SkinRegionWin.h"

#include "tests/host/skin_draw/PixelArt.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

using test::Art;

// Which pixels of a w x h box (from its top-left ox, oy) a list of rectangles covers.
std::vector<bool> Cover(const std::vector<RECT>& rects, int ox, int oy, int w, int h) {
    std::vector<bool> in(size_t(w * h), false);
    for (const RECT& r : rects)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (x >= ox && y >= oy && x < ox + w && y < oy + h)
                    in[size_t((y - oy) * w + x - ox)] = true;
    return in;
}

std::vector<RECT> RectsOf(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<unsigned char> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    if (size == 0 || GetRegionData(region, size, rgn) != size) return {};
    const RECT* first = reinterpret_cast<const RECT*>(rgn->Buffer);
    return std::vector<RECT>(first, first + rgn->rdh.nCount);
}

std::vector<RECT> HostRects(PixelView image, int dx, int dy) {
    std::vector<RECT> out;
    for (const RegionBatch& b : BitmapToRegionRects(image, dx, dy, 1, 1, 1, kMagenta))
        for (const PixelRect& r : b.rects) out.push_back({r.left, r.top, r.right, r.bottom});
    return out;
}

// A caption bar 300 x 30 whose top corners are cut by magenta steps.
PixelBuffer Caption() {
    PixelBuffer image(300, 30, RgbPixel(40, 90, 160));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4 - y; ++x) {
            image.At(x, y) = kMagenta;
            image.At(299 - x, y) = RgbPixel(0xFF, 0x01, 0xFE); // within the tolerance of 1
        }
    return image;
}

TEST(BitmapToRegionWin, RegionCoversExactlyTheHostRectangles) {
    const PixelBuffer caption = Caption();
    for (auto [dx, dy] : {std::pair{0, 0}, std::pair{7, -3}}) {
        UniqueRegion region = BitmapToRegion(caption.View(), dx, dy, 1, 1, 1, RGB(255, 0, 255));
        ASSERT_TRUE(region);
        const auto host = HostRects(caption.View(), dx, dy);
        EXPECT_EQ(Cover(RectsOf(region.Get()), dx - 2, dy - 2, 304, 34),
                  Cover(host, dx - 2, dy - 2, 304, 34));
        RECT box{};
        GetRgnBox(region.Get(), &box);
        EXPECT_EQ(box.left, dx);
        EXPECT_EQ(box.top, dy);
        EXPECT_EQ(box.right, dx + 300);
        EXPECT_EQ(box.bottom, dy + 30);
        EXPECT_FALSE(PtInRegion(region.Get(), dx, dy));
        EXPECT_TRUE(PtInRegion(region.Get(), dx + 4, dy));
    }
}

TEST(BitmapToRegionWin, ManyBatchesJoinIntoOneShape) {
    // A checkerboard: one rectangle per pixel pair, far more than one batch.
    PixelBuffer board(64, 100, 0x202020);
    for (int y = 0; y < board.Height(); ++y)
        for (int x = (y & 1); x < board.Width(); x += 2) board.At(x, y) = kMagenta;
    UniqueRegion region = BitmapToRegion(board.View(), 3, 4, 0, 0, 0, RGB(255, 0, 255));
    ASSERT_TRUE(region);
    EXPECT_EQ(Cover(RectsOf(region.Get()), 0, 0, 70, 110),
              Cover(HostRects(board.View(), 3, 4), 0, 0, 70, 110));
}

TEST(BitmapToRegionWin, AllKeyGivesAnEmptyRegionAndNoKeyTheFullBox) {
    const PixelBuffer magenta(20, 5, kMagenta);
    UniqueRegion empty = BitmapToRegion(magenta.View(), 0, 0, 1, 1, 1, RGB(255, 0, 255));
    ASSERT_TRUE(empty);
    RECT box{};
    EXPECT_EQ(GetRgnBox(empty.Get(), &box), NULLREGION);

    const PixelBuffer solid(20, 5, 0x123456);
    UniqueRegion full = BitmapToRegion(solid.View(), 0, 0, 1, 1, 1, RGB(255, 0, 255));
    EXPECT_EQ(GetRgnBox(full.Get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 5);
}

TEST(BitmapToRegionWin, FromAnHBitmapReadsItsPixels) {
    DibSection dib;
    ASSERT_TRUE(dib.Create(300, 30));
    const PixelBuffer caption = Caption();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 300; ++x) dib.View().At(x, y) = caption.At(x, y);
    // The bitmap may not stay selected while GDI reads it, so hand over a copy.
    HBITMAP copy = HBITMAP(CopyImage(dib.Bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(copy, nullptr);
    UniqueBitmap owned(copy);
    UniqueRegion region = BitmapToRegion(owned.Get(), 0, 0, 1, 1, 1, RGB(255, 0, 255));
    ASSERT_TRUE(region);
    EXPECT_EQ(Cover(RectsOf(region.Get()), 0, 0, 300, 30),
              Cover(HostRects(caption.View(), 0, 0), 0, 0, 300, 30));
    EXPECT_FALSE(BitmapToRegion(HBITMAP(nullptr), 0, 0, 1, 1, 1, RGB(255, 0, 255)));
}

} // namespace
} // namespace kv

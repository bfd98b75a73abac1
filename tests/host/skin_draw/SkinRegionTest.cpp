#include "skin/form/draw/SkinRegion.h"
#include "skin/form/draw/ShareBuffer.h"

#include "PixelArt.h"

#include <gtest/gtest.h>

#include <climits>

namespace kv {
namespace {

using test::Art;

std::vector<PixelRect> AllRects(const std::vector<RegionBatch>& batches) {
    std::vector<PixelRect> out;
    for (const RegionBatch& b : batches) out.insert(out.end(), b.rects.begin(), b.rects.end());
    return out;
}

bool Same(const PixelRect& a, const PixelRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::vector<RegionBatch> Shape(const PixelBuffer& image, int dx = 0, int dy = 0) {
    return BitmapToRegionRects(image.View(), dx, dy, 1, 1, 1, kMagenta);
}

TEST(BitmapToRegion, AllKeyIsEmptyAndNoKeyIsTheFullRectangle) {
    EXPECT_TRUE(Shape(PixelBuffer(7, 3, kMagenta)).empty());
    EXPECT_TRUE(Shape(PixelBuffer()).empty());
    const auto full = Shape(PixelBuffer(7, 3, 0x123456));
    ASSERT_EQ(full.size(), 1u);
    ASSERT_EQ(full[0].rects.size(), 3u);
    for (int y = 0; y < 3; ++y) EXPECT_TRUE(Same(full[0].rects[size_t(y)], {0, y, 7, y + 1}));
    EXPECT_TRUE(Same(full[0].bound, {0, 0, 7, 3}));
}

TEST(BitmapToRegion, RunsBetweenKeyPixelsRowByRow) {
    const PixelBuffer caption = Art({"MMabcMM", "MabMcdM", "abcdefg"});
    const auto rects = AllRects(Shape(caption));
    const std::vector<PixelRect> want{{2, 0, 5, 1}, {1, 1, 3, 2}, {4, 1, 6, 2}, {0, 2, 7, 3}};
    ASSERT_EQ(rects.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_TRUE(Same(rects[i], want[i])) << i;
}

TEST(BitmapToRegion, OffsetMovesTheShapeAndItsBound) {
    const PixelBuffer caption = Art({"MMabcMM", "MabMcdM"});
    const auto moved = Shape(caption, 10, -20);
    const auto plain = AllRects(Shape(caption));
    const auto rects = AllRects(moved);
    ASSERT_EQ(rects.size(), plain.size());
    for (size_t i = 0; i < rects.size(); ++i)
        EXPECT_TRUE(Same(rects[i], {plain[i].left + 10, plain[i].top - 20, plain[i].right + 10,
                                    plain[i].bottom - 20}));
    EXPECT_TRUE(Same(moved[0].bound, {11, -20, 16, -18}));
    // Offsets that would leave the int range are pulled back so no coordinate overflows.
    const auto far = AllRects(Shape(caption, INT_MAX, INT_MAX));
    for (const PixelRect& r : far) EXPECT_LE(r.left, r.right);
}

TEST(BitmapToRegion, ToleranceWidensTheKeyUpwardsOnly) {
    PixelBuffer row(4, 1);
    row.At(0, 0) = RgbPixel(0xFF, 0x00, 0xFF);
    row.At(1, 0) = RgbPixel(0xFF, 0x01, 0xFE); // blue below the key: inside the shape
    row.At(2, 0) = RgbPixel(0xFE, 0x01, 0xFF); // red below the key: inside
    row.At(3, 0) = RgbPixel(0xFF, 0x01, 0xFF); // green within +1: key
    auto rects = AllRects(BitmapToRegionRects(row.View(), 0, 0, 1, 1, 1, kMagenta));
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_TRUE(Same(rects[0], {1, 0, 3, 1}));
    rects = AllRects(BitmapToRegionRects(row.View(), 0, 0, 0, 0, 0, kMagenta));
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_TRUE(Same(rects[0], {1, 0, 4, 1}));
    // A negative tolerance accepts nothing; huge ones stop at 255.
    EXPECT_EQ(AllRects(BitmapToRegionRects(row.View(), 0, 0, -1, 0, 0, kMagenta)).size(), 1u);
    PixelBuffer grey(2, 1, RgbPixel(0x80, 0x80, 0x80));
    EXPECT_TRUE(BitmapToRegionRects(grey.View(), 0, 0, INT_MAX, INT_MAX, INT_MAX, 0).empty());
}

TEST(BitmapToRegion, BatchesHoldAtMost2000RectanglesWithTheirOwnBounds) {
    // 2 runs per row over 1500 rows: 3000 rectangles in a batch of 2000 and one of 1000.
    PixelBuffer image(3, 1500, 0x111111);
    for (int y = 0; y < image.Height(); ++y) image.At(1, y) = kMagenta;
    const auto batches = Shape(image, 5, 7);
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0].rects.size(), kRegionBatch);
    EXPECT_EQ(batches[1].rects.size(), 1000u);
    EXPECT_TRUE(Same(batches[0].bound, {5, 7, 8, 7 + 1000}));
    EXPECT_TRUE(Same(batches[1].bound, {5, 7 + 1000, 8, 7 + 1500}));
}

TEST(ShareBuffer, CountedStartAndEndMakeAndFreeItOnce) {
    EXPECT_FALSE(ShareBufferStarted());
    ShareBufferEnd();           // unbalanced end: nothing happens
    ShareBuffer().Resize(3, 3); // before start: a throwaway object
    EXPECT_TRUE(ShareBuffer().Empty());
    ShareBufferStart();
    ShareBufferStart();
    ShareBuffer().Resize(4, 2);
    ShareStrings().push_back("x");
    ShareBufferEnd();
    EXPECT_TRUE(ShareBufferStarted());
    EXPECT_EQ(ShareBuffer().Width(), 4);
    EXPECT_EQ(ShareStrings().size(), 1u);
    ShareBufferEnd();
    EXPECT_FALSE(ShareBufferStarted());
    ShareBufferStart();
    EXPECT_TRUE(ShareBuffer().Empty());
    EXPECT_TRUE(ShareStrings().empty());
    ShareBufferEnd();
}

} // namespace
} // namespace kv

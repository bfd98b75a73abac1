#include "skin/data/Transforms.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

// Builds a W x H image whose pixels are given row by row.
PixelBuffer Image(int w, int h, const std::vector<Pixel>& rows) {
    PixelBuffer image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.At(x, y) = rows[size_t(y * w + x)];
    return image;
}

std::vector<Pixel> PixelsOf(const PixelBuffer& image) {
    std::vector<Pixel> out;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) out.push_back(image.At(x, y));
    return out;
}

constexpr Pixel A = 0x112233, B = 0x445566, C = 0x778899, D = 0xAABBCC, E = 0xFF00FF, F = 0x010203;

TEST(Transforms, MirrorReversesEachRowAndTwiceRestores) {
    PixelBuffer row = Image(3, 1, {A, B, C});
    MirrorBitmap(row);
    EXPECT_EQ(PixelsOf(row), (std::vector<Pixel>{C, B, A}));

    PixelBuffer image = Image(3, 2, {A, B, C, D, E, F});
    MirrorBitmap(image);
    EXPECT_EQ(PixelsOf(image), (std::vector<Pixel>{C, B, A, F, E, D}));
    MirrorBitmap(image);
    EXPECT_EQ(PixelsOf(image), (std::vector<Pixel>{A, B, C, D, E, F}));
}

TEST(Transforms, FlipReversesRowOrderAndTwiceRestores) {
    PixelBuffer image = Image(2, 3, {A, B, C, D, E, F});
    FlipBitmap(image);
    EXPECT_EQ(PixelsOf(image), (std::vector<Pixel>{E, F, C, D, A, B}));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Height(), 3);
    FlipBitmap(image);
    EXPECT_EQ(PixelsOf(image), (std::vector<Pixel>{A, B, C, D, E, F}));

    PixelBuffer even = Image(1, 2, {A, B});
    FlipBitmap(even);
    EXPECT_EQ(PixelsOf(even), (std::vector<Pixel>{B, A}));
}

TEST(Transforms, RotationsOfATwoPixelRow) {
    PixelBuffer left = Image(2, 1, {A, B});
    RotateBitmapLeft(left);
    ASSERT_EQ(left.Width(), 1);
    ASSERT_EQ(left.Height(), 2);
    EXPECT_EQ(PixelsOf(left), (std::vector<Pixel>{B, A}));

    PixelBuffer right = Image(2, 1, {A, B});
    RotateBitmapRight(right);
    ASSERT_EQ(right.Width(), 1);
    ASSERT_EQ(right.Height(), 2);
    EXPECT_EQ(PixelsOf(right), (std::vector<Pixel>{A, B}));
}

TEST(Transforms, RotationsOfANonSquareImageFollowTheirMaps) {
    // 3 x 2:  A B C
    //         D E F
    PixelBuffer left = Image(3, 2, {A, B, C, D, E, F});
    RotateBitmapLeft(left);
    ASSERT_EQ(left.Width(), 2);
    ASSERT_EQ(left.Height(), 3);
    EXPECT_EQ(PixelsOf(left), (std::vector<Pixel>{C, F, B, E, A, D}));

    PixelBuffer right = Image(3, 2, {A, B, C, D, E, F});
    RotateBitmapRight(right);
    ASSERT_EQ(right.Width(), 2);
    ASSERT_EQ(right.Height(), 3);
    EXPECT_EQ(PixelsOf(right), (std::vector<Pixel>{D, A, E, B, F, C}));
}

TEST(Transforms, OppositeRotationsAndFourTurnsRestore) {
    const std::vector<Pixel> original{A, B, C, D, E, F};
    PixelBuffer image = Image(3, 2, original);
    RotateBitmapLeft(image);
    RotateBitmapRight(image);
    EXPECT_EQ(PixelsOf(image), original);
    RotateBitmapRight(image);
    RotateBitmapLeft(image);
    EXPECT_EQ(PixelsOf(image), original);
    for (int i = 0; i < 4; ++i) RotateBitmapLeft(image);
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(PixelsOf(image), original);
}

TEST(Transforms, AlphaByteTravelsWithThePixel) {
    PixelBuffer image = Image(2, 1, {0xFF000001, 0x7F000002});
    RotateBitmapLeft(image);
    EXPECT_EQ(PixelsOf(image), (std::vector<Pixel>{0x7F000002, 0xFF000001}));
}

TEST(Transforms, EmptyImagesStayEmpty) {
    PixelBuffer empty;
    MirrorBitmap(empty);
    FlipBitmap(empty);
    RotateBitmapLeft(empty);
    RotateBitmapRight(empty);
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 0);
}

} // namespace
} // namespace kv

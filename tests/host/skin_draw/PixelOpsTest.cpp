#include "skin/form/draw/PixelOps.h"

#include "PixelArt.h"

#include <gtest/gtest.h>

#include <climits>

namespace kv {
namespace {

using test::Art;
using test::Filled;
using test::Rows;
using test::Text;

std::vector<int> Mapping(int sw, int dw) {
    std::vector<int> out;
    for (int i = 0; i < dw; ++i) out.push_back(StretchSourceIndex(i, sw, dw));
    return out;
}

// Read back from StretchBlt with COLORONCOLOR on 32-bit DIB sections.
TEST(Stretch, SourcePixelsMatchGdiNearestPixel) {
    EXPECT_EQ(Mapping(2, 4), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(Mapping(4, 2), (std::vector<int>{1, 3}));
    EXPECT_EQ(Mapping(3, 5), (std::vector<int>{0, 0, 1, 2, 2}));
    EXPECT_EQ(Mapping(5, 3), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(Mapping(3, 7), (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
    EXPECT_EQ(Mapping(7, 3), (std::vector<int>{1, 4, 6}));
    EXPECT_EQ(Mapping(10, 4), (std::vector<int>{2, 4, 7, 9}));
    EXPECT_EQ(Mapping(4, 10), (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 2, 3, 3}));
    EXPECT_EQ(Mapping(8, 5), (std::vector<int>{1, 2, 4, 5, 7}));
    EXPECT_EQ(Mapping(2, 7), (std::vector<int>{0, 0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(Mapping(9, 6), (std::vector<int>{1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(Mapping(1, 3), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Mapping(5, 5), (std::vector<int>{0, 1, 2, 3, 4}));
}

std::vector<int> RowMapping(int sh, int dh) {
    std::vector<int> out;
    for (int i = 0; i < dh; ++i) out.push_back(StretchSourceRow(i, sh, dh));
    return out;
}

// Rows shrink keeping the first of the rows that land on a target row.
TEST(Stretch, SourceRowsMatchGdiNearestPixel) {
    EXPECT_EQ(RowMapping(2, 4), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(RowMapping(4, 6), (std::vector<int>{0, 0, 1, 2, 2, 3}));
    EXPECT_EQ(RowMapping(4, 2), (std::vector<int>{0, 2}));
    EXPECT_EQ(RowMapping(5, 3), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(RowMapping(7, 3), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(RowMapping(10, 4), (std::vector<int>{0, 3, 5, 8}));
    EXPECT_EQ(RowMapping(8, 5), (std::vector<int>{0, 2, 3, 5, 6}));
    EXPECT_EQ(RowMapping(9, 6), (std::vector<int>{0, 2, 3, 5, 6, 8}));
    EXPECT_EQ(RowMapping(11, 3), (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(RowMapping(3, 1), (std::vector<int>{0}));
    EXPECT_EQ(RowMapping(7, 2), (std::vector<int>{0, 4}));
}

TEST(Stretch, MappingStaysInsideTheSpanForLargeSizes) {
    for (long long sw : {1LL, 7LL, 16384LL, 1LL << 20})
        for (long long dw : {1LL, 3LL, 16384LL, 1LL << 20}) {
            EXPECT_EQ(StretchSourceIndex(0, sw, dw) >= 0, true);
            EXPECT_LT(StretchSourceIndex(dw - 1, sw, dw), sw);
            EXPECT_LT(StretchSourceRow(dw - 1, sw, dw), sw);
            EXPECT_GE(StretchSourceRow(1, sw, dw), 0);
        }
}

TEST(Stretch, CopiesGrowsShrinksAndClips) {
    const PixelBuffer source = Art({"abcd", "efgh"});
    PixelBuffer target = Filled(5, 3, 'z');
    StretchCopy(target.View(), {1, 0, 4, 2}, source.View(), {1, 0, 4, 2});
    EXPECT_EQ(Text(target), (Rows{"zbcdz", "zfghz", "zzzzz"}));

    target = Filled(5, 3, 'z');
    StretchCopy(target.View(), {0, 0, 4, 3}, source.View(), {0, 0, 2, 2});
    EXPECT_EQ(Text(target), (Rows{"aabbz", "aabbz", "eeffz"}));

    target = Filled(2, 1, 'z');
    StretchCopy(target.View(), {0, 0, 2, 1}, source.View(), {0, 0, 4, 2});
    EXPECT_EQ(Text(target), (Rows{"bd"})); // first row, last columns

    // Partly outside the target: only the visible part is written, with the same mapping.
    target = Filled(3, 2, 'z');
    StretchCopy(target.View(), {-2, -1, 2, 1}, source.View(), {0, 0, 2, 1});
    EXPECT_EQ(Text(target), (Rows{"bbz", "zzz"}));

    // A clip rectangle limits the writes further.
    target = Filled(4, 2, 'z');
    StretchCopy(target.View(), {0, 0, 4, 2}, source.View(), {0, 0, 4, 2}, {1, 1, 3, 2});
    EXPECT_EQ(Text(target), (Rows{"zzzz", "zfgz"}));
}

TEST(Stretch, SourceOutsideItsImageLeavesTargetPixels) {
    const PixelBuffer source = Art({"ab", "cd"});
    PixelBuffer target = Filled(4, 3, 'z');
    StretchCopy(target.View(), {0, 0, 4, 3}, source.View(), {-1, 0, 3, 3});
    EXPECT_EQ(Text(target), (Rows{"zabz", "zcdz", "zzzz"}));

    target = Filled(2, 2, 'z');
    StretchCopy(target.View(), {0, 0, 2, 2}, source.View(), {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    StretchCopy(target.View(), {0, 0, 2, 2}, source.View(), {2, 0, 1, 2}); // inverted source
    StretchCopy(target.View(), {2, 2, 0, 0}, source.View(), {0, 0, 2, 2}); // inverted target
    StretchCopy(target.View(), {0, 0, 2, 2}, PixelView{}, {0, 0, 2, 2});
    EXPECT_EQ(Text(target), (Rows{"zz", "zz"}));
}

TEST(KeyCopy, SkipsKeyPixelsWhateverTheirAlpha) {
    PixelBuffer source = Art({"aMb", "MMc"});
    source.At(2, 1) = 0xFF000000 | kMagenta;
    PixelBuffer target = Filled(4, 3, 'z');
    KeyCopy(target.View(), 1, 1, source.View(), kMagenta, target.View().Bounds());
    EXPECT_EQ(Text(target), (Rows{"zzzz", "zazb", "zzzz"}));

    target = Filled(3, 2, 'z');
    KeyCopy(target.View(), -1, 0, source.View(), kMagenta, {0, 0, 1, 2});
    EXPECT_EQ(Text(target), (Rows{"zzz", "zzz"})); // clip admits only column 0: M, M
    KeyCopy(target.View(), INT_MAX, INT_MAX, source.View(), kMagenta, target.View().Bounds());
    KeyCopy(target.View(), INT_MIN, INT_MIN, source.View(), kMagenta, target.View().Bounds());
    EXPECT_EQ(Text(target), (Rows{"zzz", "zzz"}));
}

TEST(TileCopy, RepeatsWholeTilesAndClipsTheSourceToItsImage) {
    const PixelBuffer source = Art({"abc", "def"});
    PixelBuffer target = Filled(6, 4, 'z');
    TileCopy(target.View(), {1, 1, 4, 2}, source.View(), {0, 0, 2, 2}, target.View().Bounds());
    // Two columns and one row of 2x2 tiles: the last column passes the rect.
    EXPECT_EQ(Text(target), (Rows{"zzzzzz", "zababz", "zdedez", "zzzzzz"}));

    target = Filled(5, 2, 'z');
    TileCopy(target.View(), {0, 0, 5, 2}, source.View(), {2, 1, 9, 9}, target.View().Bounds());
    EXPECT_EQ(Text(target), (Rows{"fffff", "fffff"}));

    target = Filled(3, 1, 'z');
    TileCopy(target.View(), {INT_MIN, 0, INT_MAX, 1}, source.View(), {0, 0, 2, 1},
             target.View().Bounds());
    EXPECT_EQ(Text(target), (Rows{"aba"})); // INT_MIN is even: tile starts line up at 0
}

} // namespace
} // namespace kv

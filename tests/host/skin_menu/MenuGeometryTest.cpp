#include "skin/menu/logic/MenuGeometry.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

bool Same(const PixelRect& a, const PixelRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(MenuBarGeometry, StartOffsetFollowsTheBarImageAndFallsBackForANarrowBar) {
    EXPECT_EQ(BarStartOffset(false, 40, 50, 300, false), 6);
    EXPECT_EQ(BarStartOffset(true, 5, 7, 300, false), 9);
    EXPECT_EQ(BarStartOffset(true, 5, 7, 300, true), 15);
    EXPECT_EQ(BarStartOffset(true, 30, 0, 20, false), 12); // narrower than the offset
    EXPECT_EQ(BarStartOffset(true, -50, 0, 300, false), 4); // a negative margin counts as 0
}

TEST(MenuBarGeometry, ButtonsAreLaidFromTheStartAndEmptyCaptionsTakeNoRoom) {
    const auto ltr = LayoutBarButtons({20, 0, 31}, 200, 19, 6, false);
    ASSERT_EQ(ltr.size(), 3u);
    EXPECT_TRUE(Same(ltr[0], {6, 0, 36, 18}));
    EXPECT_TRUE(Same(ltr[1], {36, 0, 36, 18}));
    EXPECT_TRUE(Same(ltr[2], {36, 0, 77, 18}));
    const auto rtl = LayoutBarButtons({20, 31}, 200, 19, 6, true);
    EXPECT_TRUE(Same(rtl[0], {164, 0, 194, 18}));
    EXPECT_TRUE(Same(rtl[1], {123, 0, 164, 18}));
    EXPECT_TRUE(LayoutBarButtons({}, 200, 19, 6, false).empty());
}

TEST(MenuBarGeometry, NeighboursWrapAtBothEnds) {
    EXPECT_EQ(NeighbourIndex(4, 5, true), 0);
    EXPECT_EQ(NeighbourIndex(0, 5, false), 4);
    EXPECT_EQ(NeighbourIndex(2, 5, true), 3);
    EXPECT_EQ(NeighbourIndex(2, 5, false), 1);
    EXPECT_EQ(NeighbourIndex(-1, 5, true), 0); // nothing open
    EXPECT_EQ(NeighbourIndex(-1, 5, false), 4);
    EXPECT_EQ(NeighbourIndex(9, 5, false), 4); // a stale index after the bar shrank
    EXPECT_EQ(NeighbourIndex(0, 0, true), -1);
}

TEST(MenuBarGeometry, AcceleratorIsTheCharacterAfterASingleAmpersand) {
    EXPECT_EQ(MenuAccelerator(L"&File"), L'F');
    EXPECT_EQ(MenuAccelerator(L"Fi&le"), L'L');
    EXPECT_EQ(MenuAccelerator(L"A&&B &c"), L'C');
    EXPECT_EQ(MenuAccelerator(L"&&&&"), 0);
    EXPECT_EQ(MenuAccelerator(L"&"), 0);
    EXPECT_EQ(MenuAccelerator(L""), 0);
    EXPECT_EQ(MenuAccelerator(L"\u6587\u4EF6(&F)"), L'F');
}

TEST(MenuItemGeometry, GlyphColumnIsTheImageWidthAndAtLeastSixteenWhenChecked) {
    EXPECT_EQ(MenuGlyphSize(0, false, false), 16);
    EXPECT_EQ(MenuGlyphSize(24, true, false), 24);
    EXPECT_EQ(MenuGlyphSize(10, true, false), 10);
    EXPECT_EQ(MenuGlyphSize(10, true, true), 16);
    EXPECT_EQ(MenuGlyphSize(-5, true, false), 0);
}

TEST(MenuItemGeometry, GlyphAndTextBoxesLeftToRightAndMirrored) {
    const PixelRect item{0, 0, 150, 20};
    const ItemBoxes ltr = MenuItemBoxes(item, 16, 4, false, false);
    EXPECT_TRUE(Same(ltr.glyph, {5, 1, 21, 17}));
    EXPECT_TRUE(Same(ltr.text, {24, 0, 149, 20}));
    const ItemBoxes rtl = MenuItemBoxes(item, 16, 4, false, true);
    EXPECT_TRUE(Same(rtl.glyph, {129, 1, 145, 17}));
    EXPECT_TRUE(Same(rtl.text, {1, 0, 126, 20}));
    const ItemBoxes line = MenuItemBoxes(item, 16, 4, true, false);
    EXPECT_TRUE(line.glyph.Empty());
    EXPECT_EQ(line.text.left, 3);
}

TEST(MenuItemGeometry, ShortcutEndsElevenPixelsInside) {
    const PixelRect item{0, 0, 150, 20};
    EXPECT_TRUE(Same(ShortCutBox(item, {24, 3, 60, 16}, false), {60, 3, 139, 16}));
    EXPECT_TRUE(Same(ShortCutBox(item, {90, 3, 126, 16}, true), {11, 3, 90, 16}));
}

TEST(MenuItemGeometry, SeparatorTakesTheCellsBottomRowsOrStretchesIt) {
    const PixelRect cell{124, 0, 248, 16};
    EXPECT_TRUE(Same(SeparatorRows(cell, 8), {124, 8, 248, 16}));
    EXPECT_TRUE(Same(SeparatorRows(cell, 16), cell));
    EXPECT_TRUE(Same(SeparatorRows(cell, 30), cell));
    EXPECT_TRUE(Same(SeparatorRows(cell, 0), {124, 16, 248, 16}));
}

TEST(MenuItemGeometry, ForeignItemsAreWidenedAndEmptyOnesAreEightHigh) {
    const MeasuredItem text = MeasureForeignItem(40, 13, 0, true, 4);
    EXPECT_EQ(text.width, 70);
    EXPECT_EQ(text.height, 17);
    EXPECT_EQ(MeasureForeignItem(40, 13, 18, true, 0).height, 22);
    const MeasuredItem empty = MeasureForeignItem(0, 13, 18, false, 4);
    EXPECT_EQ(empty.width, 30);
    EXPECT_EQ(empty.height, 8);
}

} // namespace
} // namespace kv

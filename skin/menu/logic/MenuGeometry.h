#pragma once
// Menu bar and menu item geometry as plain decisions: where the bar's buttons start and sit,
// which button the arrow keys move to, a caption's accelerator, and the boxes of an item's
// glyph, caption and shortcut.
//
// Contract
// - Rectangles are in the coordinates of their container (the bar, the item's bitmap); no
//   function reads or allocates beyond its inputs. Negative sizes and margins count as 0.
// - BarStartOffset: LeftWidth + 4 (RightWidth + 8 right to left) with a bar image, 6 without;
//   12 when that passes the bar's width.
// - LayoutBarButtons: one cell per text width, each width + 10 (0 stays 0: an empty caption
//   takes no room), laid from x0 rightwards, or from width − x0 leftwards for a right-to-left
//   bar; cells span the bar's height less one row.
// - NeighbourIndex wraps at both ends; -1 for an empty bar.
#include "base/Pixels.h"

#include <string>
#include <vector>

namespace kv {

int BarStartOffset(bool hasBarImage, int leftWidth, int rightWidth, int barWidth, bool rightToLeft);
std::vector<PixelRect> LayoutBarButtons(const std::vector<int>& textWidths, int barWidth,
                                        int barHeight, int x0, bool rightToLeft);
int NeighbourIndex(int open, int count, bool next);

// The character after the first single "&" of a caption, upper-cased; 0 without one.
wchar_t MenuAccelerator(const std::wstring& caption);

// The glyph column's side: the image width (16 without images); a checked item at least 16.
int MenuGlyphSize(int imageWidth, bool hasImages, bool checked);

struct ItemBoxes {
    PixelRect glyph; // empty for a separator
    PixelRect text;  // where the caption is measured and drawn
};
// `inset`: the MenuItem object's LeftWidth when the skin has one, else 0.
ItemBoxes MenuItemBoxes(const PixelRect& item, int glyph, int inset, bool separator, bool rightToLeft);
// The shortcut's box: from the measured caption's end to 11 pixels inside the item (mirrored
// right to left).
PixelRect ShortCutBox(const PixelRect& item, const PixelRect& measuredCaption, bool rightToLeft);
// The rows of the separator cell an item `itemHeight` high uses: the cell's bottom rows when
// the item is lower than the cell, else the whole cell (stretched).
PixelRect SeparatorRows(const PixelRect& cell, int itemHeight);

// A foreign item's measure: text width + 26 (+ the MenuItem LeftWidth); height + 4, or 8 for
// an item without text.
struct MeasuredItem {
    int width, height;
};
MeasuredItem MeasureForeignItem(int textWidth, int textHeight, int givenHeight, bool hasText, int inset);

} // namespace kv

#include "skin/menu/logic/MenuGeometry.h"

#include <algorithm>
#include <cwctype>

namespace kv {

namespace {
constexpr int kButtonPadding = 10;
constexpr int kNarrowBarStart = 12;
constexpr int kDefaultGlyph = 16;
constexpr int kShortCutInset = 11;
constexpr int kGlyphToText = 3;
} // namespace

int BarStartOffset(bool hasBarImage, int leftWidth, int rightWidth, int barWidth, bool rightToLeft) {
    if (!hasBarImage) return 6;
    const int x0 = rightToLeft ? std::max(rightWidth, 0) + 8 : std::max(leftWidth, 0) + 4;
    return x0 > barWidth ? kNarrowBarStart : x0;
}

std::vector<PixelRect> LayoutBarButtons(const std::vector<int>& textWidths, int barWidth,
                                        int barHeight, int x0, bool rightToLeft) {
    std::vector<PixelRect> cells;
    cells.reserve(textWidths.size());
    const int bottom = std::max(barHeight - 1, 0);
    int x = rightToLeft ? barWidth - x0 : x0;
    for (int text : textWidths) {
        const int w = text > 0 ? text + kButtonPadding : 0;
        if (rightToLeft) {
            cells.push_back({x - w, 0, x, bottom});
            x -= w;
        } else {
            cells.push_back({x, 0, x + w, bottom});
            x += w;
        }
    }
    return cells;
}

int NeighbourIndex(int open, int count, bool next) {
    if (count <= 0) return -1;
    if (next) return open + 1 >= count || open < -1 ? 0 : open + 1;
    return open <= 0 || open > count ? count - 1 : open - 1;
}

wchar_t MenuAccelerator(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(caption[i + 1])));
    }
    return 0;
}

int MenuGlyphSize(int imageWidth, bool hasImages, bool checked) {
    int g = hasImages ? std::max(imageWidth, 0) : kDefaultGlyph;
    if (checked) g = std::max(g, kDefaultGlyph);
    return g;
}

ItemBoxes MenuItemBoxes(const PixelRect& item, int glyph, int inset, bool separator, bool rightToLeft) {
    glyph = std::max(glyph, 0);
    inset = std::max(inset, 0);
    ItemBoxes b{};
    if (!separator) {
        const int left = rightToLeft ? item.right - 1 - inset - glyph : item.left + 1 + inset;
        b.glyph = {left, item.top + 1, left + glyph, item.top + 1 + glyph};
    }
    b.text = rightToLeft ? PixelRect{item.left + 1, item.top, b.glyph.left - kGlyphToText, item.bottom}
                         : PixelRect{b.glyph.right + kGlyphToText, item.top, item.right - 1, item.bottom};
    return b;
}

PixelRect ShortCutBox(const PixelRect& item, const PixelRect& measuredCaption, bool rightToLeft) {
    if (rightToLeft)
        return {item.left + kShortCutInset, measuredCaption.top, measuredCaption.left, measuredCaption.bottom};
    return {measuredCaption.right, measuredCaption.top, item.right - kShortCutInset, measuredCaption.bottom};
}

PixelRect SeparatorRows(const PixelRect& cell, int itemHeight) {
    PixelRect rows = cell;
    if (itemHeight >= 0 && itemHeight < cell.Height()) rows.top = cell.bottom - itemHeight;
    return rows;
}

MeasuredItem MeasureForeignItem(int textWidth, int textHeight, int givenHeight, bool hasText, int inset) {
    const int width = std::max(textWidth, 0) + 26 + std::max(inset, 0);
    if (!hasText) return {width, 8};
    return {width, std::max(givenHeight, textHeight) + 4};
}

} // namespace kv

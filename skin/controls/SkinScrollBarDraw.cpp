#include "skin/controls/SkinScrollBarDraw.h"

#include "skin/controls/ControlText.h"
#include "skin/data/win/SkinData.h"
#include "skin/form/draw/SkinDraw.h"
#include "skin/form/draw/win/DibSection.h"

#include <algorithm>

namespace kv {

namespace {

// The bar's part from `from` to `to` along its length, across its whole thickness.
PixelRect Along(const PixelView& strip, bool vertical, int from, int to) {
    return vertical ? PixelRect{0, from, strip.width, to} : PixelRect{from, 0, to, strip.height};
}

int ArrowFrame(const BarLook& look, bool second) {
    const int first = look.vertical ? (second ? 13 : 9) : (second ? 5 : 1);
    const int pressed = look.vertical ? (second ? spDownArrow : spUpArrow)
                                      : (second ? spRightArrow : spLeftArrow);
    if (second ? look.secondArrowDisabled : look.firstArrowDisabled) return first + 3;
    return look.pressedPart == pressed ? first + 1 : first;
}

void DrawThumb(PixelView strip, const TDataSkinObject& thumb, const BarLook& look,
               const BarMetrics& bar, int arrow) {
    if (bar.ThumbLength > bar.TrackLength || thumb.Bitmap.Empty()) return;
    const int from = arrow + bar.ThumbPos;
    const bool pressed = look.pressedPart == (look.vertical ? spVertThumb : spHorzThumb);
    const PixelRect margins{thumb.LeftWidth, thumb.TopHeight, thumb.RightWidth,
                            thumb.BottomHeight};
    DrawNineSlice(strip, Along(strip, look.vertical, from, from + bar.ThumbLength),
                  thumb.Bitmap.View(), false, false, thumb.Trans == 1, thumb.FrameCount,
                  pressed ? 2 : 1, margins);
}

} // namespace

void ComposeBar(PixelView strip, const TSkinDefinition& skin, const BarLook& look,
                const BarMetrics& bar) {
    if (strip.Empty()) return;
    const Pixel fill = ToPixel(ResolveColour(skin.ScrollbarColour));
    for (int y = 0; y < strip.height; ++y) std::fill_n(strip.Row(y), strip.width, fill);
    const int length = look.vertical ? strip.height : strip.width;
    const int a = bar.ArrowSize;
    const auto& track = look.vertical ? skin.VertScroll : skin.HorzScroll;
    if (track && length > 2 * a) DrawStateFrame(strip, Along(strip, look.vertical, a, length - a), 4, 1, *track);
    const int arrow = DrawnArrowLength(length, a);
    if (skin.ScrollBar) {
        const PixelView image = skin.ScrollBar->Bitmap.View();
        DrawSkinStrip(strip, Along(strip, look.vertical, 0, arrow), image, true, kScrollBarFrames,
                      ArrowFrame(look, false));
        DrawSkinStrip(strip, Along(strip, look.vertical, length - arrow, length), image, true,
                      kScrollBarFrames, ArrowFrame(look, true));
    }
    const auto& thumb = look.vertical ? skin.VertScrollThumb : skin.HorzScrollThumb;
    if (thumb) DrawThumb(strip, *thumb, look, bar, arrow);
}

void DrawBarOnDc(HDC dc, const Rect32& bar, const TSkinDefinition& skin, const BarLook& look,
                 const BarMetrics& metrics) {
    const int w = look.vertical ? kStripThickness : bar.right - bar.left;
    const int h = look.vertical ? bar.bottom - bar.top : kStripThickness;
    if (w <= 0 || h <= 0 || w > kMaxStripSide || h > kMaxStripSide) return;
    DibSection strip;
    if (!strip.Create(w, h, dc)) return;
    ComposeBar(strip.View(), skin, look, metrics);
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, strip.Dc(), 0, 0,
               w, h, SRCCOPY);
    if (oldMode) SetStretchBltMode(dc, oldMode);
}

} // namespace kv

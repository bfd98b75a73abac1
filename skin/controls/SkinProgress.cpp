#include "skin/controls/SkinProgress.h"

#include "skin/controls/ControlText.h"
#include "skin/controls/FaceBitmap.h"
#include "skin/form/draw/SkinDraw.h"
#include "ui/classes/Properties.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinProgress, TSkinControl)

namespace {

constexpr int kChunkStyle = 1;

PixelRect MarginsOf(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

} // namespace

// 64-bit: ranges set with PBM_SETRANGE32 overflow a 32-bit product.
int ProgressFillWidth(int pos, int high, int width) {
    if (pos <= 0 || high <= 0 || width <= 0) return 0;
    const int64_t fill = int64_t(pos) * width / high;
    return int(std::clamp<int64_t>(fill, 0, width));
}

int TSkinProgress::ReadFill(int width) const {
    const auto pos = int(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
    const auto high = int(SendMessageW(FHandle, PBM_GETRANGE, FALSE, 0));
    return ProgressFillWidth(pos, high, width);
}

void TSkinProgress::DrawSkin(HDC dc, const RECT& rect) {
    lastFill_ = -1;
    lastChunks_ = 0;
    const TSkinDefinition* skin = Skin();
    if (!skin || !skin->Progress || skin->Progress->Bitmap.Empty() || Inverted(rect)) return;
    const TDataSkinBorder& p = *skin->Progress;
    if (p.Style == kChunkStyle && p.Bitmap2.Empty()) return;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (!StartFace(face_, dc, w, h, FaceColour())) return;
    const int fill = ReadFill(w);
    if (p.Style == kChunkStyle)
        DrawChunks(RECT{0, 0, w, h}, fill);
    else
        DrawBar(RECT{0, 0, w, h}, fill);
    lastFill_ = fill;
    BitBlt(dc, rect.left, rect.top, w, h, face_.Dc(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawBar(const RECT& rect, int fill) {
    const TDataSkinBorder& p = *Skin()->Progress;
    const PixelView view = face_.View();
    const PixelRect all{rect.left, rect.top, rect.right, rect.bottom};
    DrawNineSlice(view, all, p.Bitmap.View(), false, p.Tile == 1, true, 2, 1, MarginsOf(p));
    if (fill <= 0) return;
    // The filled part is its own nine-slice, as wide as the fill, not a cut of the full one.
    const PixelRect filled{rect.left, rect.top, rect.left + fill, rect.bottom};
    DrawNineSlice(view, filled, p.Bitmap.View(), false, p.Tile == 1, true, 2, 2, MarginsOf(p));
}

void TSkinProgress::DrawChunks(const RECT& rect, int fill) {
    const TDataSkinBorder& p = *Skin()->Progress;
    const PixelView view = face_.View();
    const PixelRect all{rect.left, rect.top, rect.right, rect.bottom};
    DrawNineSlice(view, all, p.Bitmap.View(), false, p.Tile == 1, true, 1, 1, MarginsOf(p));
    const int cw = p.Bitmap2.Width(), ch = p.Bitmap2.Height();
    if (fill <= 0 || cw <= 0) return;
    // Copies at 0, cw, 2cw, ...: the row's edge cuts the last one.
    PixelBuffer row(fill, ch);
    TileBitmap(row.View(), PixelRect{0, 0, fill, ch}, p.Bitmap2.View(), PixelRect{0, 0, cw, ch});
    lastChunks_ = fill / cw + 1;
    const int left = rect.left + std::clamp<int>(p.LeftWidth, 0, int(rect.right - rect.left));
    const int top = rect.top + (rect.bottom - ch) / 2;
    DrawTransparent(view, PixelRect{left, top, left + fill, top + ch}, row.View(), kMagenta);
}

} // namespace kv

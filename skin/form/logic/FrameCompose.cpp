#include "skin/form/logic/FrameCompose.h"

#include "skin/form/draw/PixelOps.h"
#include "skin/form/draw/SkinDraw.h"

#include <algorithm>

namespace kv {
namespace {

constexpr int kKeyTolerance = 1;

PixelRect MarginsOf(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

RegionBatch OneRect(const PixelRect& r) {
    return {{r}, r};
}

void AddRect(std::vector<RegionBatch>& out, const PixelRect& r) {
    if (!r.Empty()) out.push_back(OneRect(r));
}

void AddShape(std::vector<RegionBatch>& out, PixelView pixels, int dx, int dy) {
    std::vector<RegionBatch> shape =
        BitmapToRegionRects(pixels, dx, dy, kKeyTolerance, kKeyTolerance, kKeyTolerance, kMagenta);
    for (RegionBatch& b : shape) out.push_back(std::move(b));
}

// A piece drawn at its own size into scratch and added as a shape at (dx, dy).
void AddPieceShape(std::vector<RegionBatch>& out, const TSkinDefinition& skin, BorderPiece piece,
                   int w, int h, int dx, int dy) {
    PixelBuffer scratch;
    if (w <= 0 || h <= 0 || !scratch.Resize(w, h, kMagenta)) return;
    ComposeBorderPiece(scratch.View(), {0, 0, w, h}, skin, piece, true);
    AddShape(out, scratch.View(), dx, dy);
}

// The caption's shape: from the painted caption bar when there is one of the right size.
void AddCaptionShape(std::vector<RegionBatch>& out, const TSkinDefinition& skin,
                     const BorderSizes& s, int w, PixelView caption) {
    const int span = w - s.left - s.right;
    PixelBuffer scratch;
    if (!scratch.Resize(span, s.caption, kMagenta)) return;
    if (!caption.Empty() && caption.width == w && caption.height == s.caption) {
        StretchCopy(scratch.View(), {0, 0, span, s.caption}, caption,
                    {s.left, 0, s.left + span, s.caption});
    } else {
        ComposeBorderPiece(scratch.View(), {0, 0, span, s.caption}, skin, BorderPiece::Top, true);
    }
    AddShape(out, scratch.View(), s.left, 0);
}

// Pieces of a window smaller than its borders reach outside it; the shape stays inside.
std::vector<RegionBatch> ClipToWindow(std::vector<RegionBatch> batches, int w, int h) {
    const PixelRect window{0, 0, w, h};
    std::vector<RegionBatch> out;
    for (RegionBatch& b : batches) {
        RegionBatch clipped;
        for (const PixelRect& r : b.rects) {
            PixelRect c = IntersectRect(r, window);
            if (c.Empty()) continue;
            clipped.bound = clipped.rects.empty()
                                ? c
                                : PixelRect{MinInt(clipped.bound.left, c.left),
                                            MinInt(clipped.bound.top, c.top),
                                            MaxInt(clipped.bound.right, c.right),
                                            MaxInt(clipped.bound.bottom, c.bottom)};
            clipped.rects.push_back(c);
        }
        if (!clipped.rects.empty()) out.push_back(std::move(clipped));
    }
    return out;
}

} // namespace

const TDataSkinBorder& PieceOf(const TSkinDefinition& skin, BorderPiece piece) {
    switch (piece) {
    case BorderPiece::Left: return skin.BorderLeft;
    case BorderPiece::Right: return skin.BorderRight;
    case BorderPiece::Top: return skin.BorderTop;
    default: return skin.BorderBottom;
    }
}

void ComposeBorderPiece(PixelView target, const PixelRect& rect, const TSkinDefinition& skin,
                        BorderPiece piece, bool active) {
    if (rect.Width() < 0 || rect.Height() < 0) return;
    const TDataSkinBorder& p = PieceOf(skin, piece);
    const bool stacked = piece == BorderPiece::Top || piece == BorderPiece::Bottom;
    const int frame = BorderFrameIndex(active, p.FrameCount);
    DrawNineSlice(target, rect, p.Bitmap.View(), stacked, p.Tile != 1, false, p.FrameCount, frame,
                  MarginsOf(p));
}

PixelRect LeftPieceRect(const BorderSizes& s, int, int h) {
    return {0, 0, s.left, h};
}
PixelRect RightPieceRect(const BorderSizes& s, int w, int h) {
    return {w - s.right, 0, w, h};
}
PixelRect BottomPieceRect(const BorderSizes& s, int w, int h) {
    return {s.left, h - s.bottom, w - s.right, h};
}
PixelRect CaptionPieceRect(const BorderSizes& s, int w) {
    return {s.left, 0, w - s.right, s.caption};
}

void ComposeCaptionBar(PixelView caption, const BorderSizes& sizes, const TSkinDefinition& skin,
                       bool active, const PixelRect& textRect, int windowHeight) {
    const int w = caption.width;
    const int h = MaxInt(windowHeight, caption.height);
    ComposeBorderPiece(caption, LeftPieceRect(sizes, w, h), skin, BorderPiece::Left, active);
    ComposeBorderPiece(caption, RightPieceRect(sizes, w, h), skin, BorderPiece::Right, active);
    ComposeBorderPiece(caption, CaptionPieceRect(sizes, w), skin, BorderPiece::Top, active);
    const TDataSkinTitle& title = skin.Title;
    if (title.Bitmap.Empty()) return;
    const PixelRect back{textRect.left, 0, textRect.right, sizes.caption};
    StretchPiece(caption, back, title.Bitmap.View(), true, true, 2, active ? 1 : 2,
                 {title.TextBackLeft, 0, title.TextBackRight, 0});
}

void ComposeCaptionButton(PixelView target, const PlacedButton& b, int state, PixelView formIcon) {
    if (!b.def) return;
    const bool mdi = b.def->Visibility == 100;
    if (IsIconButton(b.def->Action)) {
        DrawSkinStrip(target, b.bounds, formIcon, true, 1, 1);
        return;
    }
    DrawSkinStrip(target, b.bounds, b.def->Bitmap.View(), true, b.def->FrameCount,
                  StateButtonFrame(state, mdi));
}

void ComposeCaptionButtons(PixelView caption, const std::vector<PlacedButton>& buttons,
                           bool active, PixelView formIcon) {
    for (const PlacedButton& b : buttons) {
        if (!b.visible || !b.def || b.def->Visibility == 100) continue;
        if (IsIconButton(b.def->Action)) { // the form's icon, whether or not the skin has art
            DrawSkinStrip(caption, b.bounds, formIcon, true, 1, 1);
            continue;
        }
        if (b.def->Bitmap.Empty()) continue;
        DrawSkinStrip(caption, b.bounds, b.def->Bitmap.View(), true, b.def->FrameCount,
                      RestingButtonFrame(active, b.def->FrameCount));
    }
}

bool AnyPieceTransparent(const TSkinDefinition& skin) {
    return skin.BorderLeft.Trans != 0 || skin.BorderRight.Trans != 0 ||
           skin.BorderTop.Trans != 0 || skin.BorderBottom.Trans != 0;
}

std::vector<RegionBatch> FrameRegionRects(const TSkinDefinition& skin, const BorderSizes& s,
                                          int w, int h, bool frameless, PixelView caption) {
    std::vector<RegionBatch> out;
    if (w <= 0 || h <= 0) return out;
    if (!AnyPieceTransparent(skin)) {
        AddRect(out, {0, 0, w, h});
        return out;
    }
    AddRect(out, {s.left, s.caption, w - s.right, h - s.bottom});
    if (frameless) return out;
    if (skin.BorderLeft.Trans == 1 && h > 1)
        AddPieceShape(out, skin, BorderPiece::Left, s.left, h, 0, 0);
    else
        AddRect(out, LeftPieceRect(s, w, h));
    if (skin.BorderRight.Trans == 1 && h > 1)
        AddPieceShape(out, skin, BorderPiece::Right, s.right, h, w - s.right, 0);
    else
        AddRect(out, RightPieceRect(s, w, h));
    if (skin.BorderBottom.Trans == 1 && s.bottom >= 2)
        AddPieceShape(out, skin, BorderPiece::Bottom, w - s.left - s.right, s.bottom, s.left,
                      h - s.bottom);
    else
        AddRect(out, BottomPieceRect(s, w, h));
    if (skin.BorderTop.Trans == 1 && s.caption > 1 && w - s.left - s.right > 0)
        AddCaptionShape(out, skin, s, w, caption);
    else
        AddRect(out, CaptionPieceRect(s, w));
    return ClipToWindow(std::move(out), w, h);
}

} // namespace kv

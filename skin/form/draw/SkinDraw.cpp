#include "skin/form/draw/SkinDraw.h"

#include "skin/form/draw/PixelOps.h"

#include <algorithm>
#include <array>

namespace kv {

PixelRect StripFrame(PixelView image, bool stacked, int n, int k) {
    if (image.Empty()) return {};
    n = std::max(n, 1);
    if (k < 1 || k > n) return {};
    const int fw = stacked ? image.width : image.width / n;
    const int fh = stacked ? image.height / n : image.height;
    if (fw < 1 || fh < 1) return {};
    const int ox = stacked ? 0 : fw * (k - 1);
    const int oy = stacked ? fh * (k - 1) : 0;
    return {ox, oy, ox + fw, oy + fh};
}

PixelRect ClampMargins(const PixelRect& margins, const PixelRect& frame) {
    const int fw = std::max(frame.Width(), 0), fh = std::max(frame.Height(), 0);
    return {std::clamp(margins.left, 0, fw), std::clamp(margins.top, 0, fh),
            std::clamp(margins.right, 0, fw), std::clamp(margins.bottom, 0, fh)};
}

namespace {

bool Drawable(const PixelRect& rect) {
    const long long w = (long long)rect.right - rect.left;
    const long long h = (long long)rect.bottom - rect.top;
    return w >= 0 && h >= 0 && w <= kMaxDrawSide && h <= kMaxDrawSide;
}

PixelRect Offset(const PixelRect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

struct Piece {
    PixelRect to, from;
};

// The nine pieces in drawing order, relative to a W x H target: the centre is fifth-to-last
// so the bottom-right corner and the right and bottom edges cover tiles that run past it.
constexpr size_t kCentre = 5;

std::array<Piece, 9> NineSlicePieces(int w, int h, const PixelRect& frame, PixelRect m) {
    if (w < m.left + m.right) m.left = m.right = 0;
    if (h < m.top + m.bottom) m.top = m.bottom = 0;
    const int ox = frame.left, oy = frame.top, fw = frame.Width(), fh = frame.Height();
    const int l = m.left, t = m.top, r = m.right, b = m.bottom;
    return {{
        {{0, 0, l, t}, {ox, oy, ox + l, oy + t}},
        {{0, h - b, l, h}, {ox, oy + fh - b, ox + l, oy + fh}},
        {{w - r, 0, w, t}, {ox + fw - r, oy, ox + fw, oy + t}},
        {{0, t, l, h - b}, {ox, oy + t, ox + l, oy + fh - b}},
        {{l, 0, w - r, t}, {ox + l, oy, ox + fw - r, oy + t}},
        {{l, t, w - r, h - b}, {ox + l, oy + t, ox + fw - r, oy + fh - b}},
        {{w - r, h - b, w, h}, {ox + fw - r, oy + fh - b, ox + fw, oy + fh}},
        {{w - r, t, w, h - b}, {ox + fw - r, oy + t, ox + fw, oy + fh - b}},
        {{l, h - b, w - r, h}, {ox + l, oy + fh - b, ox + fw - r, oy + fh}},
    }};
}

enum class Slices { All, Borders };

// Draws the nine-slice of `frame` at `rect` of `target`, writing inside `rect` only.
void ComposeNineSlice(PixelView target, const PixelRect& rect, PixelView image,
                      const PixelRect& frame, const PixelRect& margins, bool tile, Slices which) {
    const auto pieces =
        NineSlicePieces(rect.Width(), rect.Height(), frame, ClampMargins(margins, frame));
    for (size_t i = 0; i < pieces.size(); ++i) {
        const PixelRect to = Offset(pieces[i].to, rect.left, rect.top);
        if (i == kCentre) {
            if (which == Slices::Borders) continue;
            // The tiles must not read beyond the frame into its neighbours.
            const PixelRect from = IntersectRect(pieces[i].from, frame);
            if (tile) {
                if (!to.Empty()) TileCopy(target, to, image, from, rect);
                continue;
            }
        }
        StretchCopy(target, to, image, pieces[i].from, rect);
    }
}

// Runs `draw` onto a key-filled scratch covering the visible part of `rect`, then copies the
// scratch onto `target` leaving its magenta pixels out. `draw` gets the scratch and `rect`
// moved into scratch coordinates.
template <typename Draw> void DrawThroughKey(PixelView target, const PixelRect& rect, Draw draw) {
    const PixelRect visible = IntersectRect(rect, target.Bounds());
    if (visible.Empty()) return;
    PixelBuffer scratch(visible.Width(), visible.Height(), kMagenta);
    if (scratch.Empty()) return;
    draw(scratch.View(), Offset(rect, -visible.left, -visible.top));
    KeyCopy(target, visible.left, visible.top, scratch.View(), kMagenta, visible);
}

template <typename Draw>
void DrawMaybeThroughKey(PixelView target, const PixelRect& rect, bool transparent, Draw draw) {
    if (transparent)
        DrawThroughKey(target, rect, draw);
    else
        draw(target, rect);
}

} // namespace

PixelBuffer BuildNineSlice(const PixelRect& size, PixelView image, const PixelRect& margins,
                           bool stacked, bool tile, int n, int k) {
    PixelBuffer out;
    if (!Drawable(size) || !out.Resize(size.Width(), size.Height())) return {};
    const PixelRect frame = StripFrame(image, stacked, n, k);
    if (!frame.Empty() && !out.Empty())
        ComposeNineSlice(out.View(), out.View().Bounds(), image, frame, margins, tile, Slices::All);
    return out;
}

void DrawNineSlice(PixelView target, const PixelRect& rect, PixelView image, bool stacked,
                   bool tile, bool transparent, int n, int k, const PixelRect& margins) {
    const PixelRect frame = StripFrame(image, stacked, n, k);
    if (!Drawable(rect) || frame.Empty()) return;
    DrawMaybeThroughKey(target, rect, transparent, [&](PixelView into, const PixelRect& at) {
        ComposeNineSlice(into, at, image, frame, margins, tile, Slices::All);
    });
}

void DrawNineSliceDirect(PixelView target, const PixelRect& rect, PixelView image, bool stacked,
                         bool /*tile*/, int n, int k, const PixelRect& margins) {
    const PixelRect frame = StripFrame(image, stacked, n, k);
    if (!Drawable(rect) || frame.Empty()) return;
    ComposeNineSlice(target, rect, image, frame, margins, false, Slices::Borders);
}

namespace {

void ComposeThreeSlice(PixelView target, const PixelRect& rect, PixelView image,
                       const PixelRect& frame, const PixelRect& margins) {
    const PixelRect m = ClampMargins(margins, frame);
    const int w = rect.Width(), h = rect.Height(), l = m.left, r = m.right;
    const int ox = frame.left, oy = frame.top, fw = frame.Width(), fh = frame.Height();
    auto copy = [&](int x0, int x1, int s0, int s1) {
        StretchCopy(target, Offset({x0, 0, x1, h}, rect.left, rect.top), image,
                    {s0, oy, s1, oy + fh}, rect);
    };
    copy(0, l, ox, ox + l);
    const int middle = fw - l - r;
    if (middle > 0) {
        // Copies left of the visible part change nothing; start at the first one that shows.
        const long long visibleFrom = std::max(0LL, -(long long)rect.left - middle);
        long long x = l + std::max(0LL, (visibleFrom - l) / middle) * middle;
        const long long end = std::min<long long>(w - r, (long long)target.width - rect.left);
        for (; x < end; x += middle) copy(int(x), int(x + middle), ox + l, ox + l + middle);
    }
    copy(w - r, w, ox + fw - r, ox + fw);
}

} // namespace

void StretchPiece(PixelView target, const PixelRect& rect, PixelView image, bool stacked,
                  bool transparent, int n, int k, const PixelRect& margins) {
    const PixelRect frame = StripFrame(image, stacked, n, k);
    if (!Drawable(rect) || frame.Empty()) return;
    DrawMaybeThroughKey(target, rect, transparent, [&](PixelView into, const PixelRect& at) {
        ComposeThreeSlice(into, at, image, frame, margins);
    });
}

void DrawSkinStrip(PixelView target, const PixelRect& rect, PixelView image, bool transparent,
                   int n, int k) {
    const PixelRect frame = StripFrame(image, false, n, k);
    if (!Drawable(rect) || frame.Empty()) return;
    DrawMaybeThroughKey(target, rect, transparent, [&](PixelView into, const PixelRect& at) {
        StretchCopy(into, at, image, frame, at);
    });
}

void DrawTransparent(PixelView target, const PixelRect& rect, PixelView bitmap, Pixel key) {
    if (!Drawable(rect)) return;
    KeyCopy(target, rect.left, rect.top, bitmap, key, rect);
}

void TileBitmap(PixelView target, const PixelRect& rect, PixelView bitmap,
                const PixelRect& source) {
    if (!Drawable(rect)) return;
    TileCopy(target, rect, bitmap, source, target.Bounds());
}

} // namespace kv

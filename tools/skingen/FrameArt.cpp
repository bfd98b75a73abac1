// The window frame: border pieces with rounded top corners, the caption, its buttons, the MDI
// buttons and the menu bar.
#include "tools/skingen/Canvas.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinArt.h"

#include <cmath>

namespace skingen {
namespace {

constexpr int kBorder = 4;       // side and bottom border width
constexpr int kCaption = 30;     // caption height (top image frames)
constexpr int kTitleRows = 24;   // the title band; below it the lower lip
constexpr int kCornerRadius = 7; // top corners, cut out through magenta
constexpr int kSideHeight = 60;

struct FrameColours {
    Pixel outline, highlight, frame, inner;
    Pixel captionTop, captionBottom, lipLine, lipTop, lipBottom;
};

FrameColours Colours(bool active) {
    if (active)
        return {kOutline,      Hex(0x6E4829), Hex(0x4A2E19), Hex(0x2E1B0E), Hex(0x5E3D24),
                Hex(0x3E2614), Hex(0x8A5A34), Hex(0x3A2313), Hex(0x331F10)};
    return {Hex(0x3B332D), Hex(0x7D7064), Hex(0x675A4F), Hex(0x4D433B), Hex(0x73665B),
            Hex(0x5C5047), Hex(0x857566), Hex(0x564A42), Hex(0x50453D)};
}

Pixel CaptionRow(const FrameColours& c, int y) {
    if (y <= 0) return c.outline;
    if (y == 1) return Mix(c.captionTop, 0xFFFFFF, 0.12);
    if (y < kTitleRows) return Mix(c.captionTop, c.captionBottom, double(y - 2) / (kTitleRows - 3));
    if (y == kTitleRows) return c.lipLine;
    return Mix(c.lipTop, c.lipBottom, double(y - kTitleRows - 1) / (kCaption - kTitleRows - 2));
}

// Where a window pixel lies against the rounded top corner: 0 outside (magenta), 1 on the
// outline arc, 2 inside. dx, dy are distances from the window's outer edges.
int CornerZone(int dx, int dy) {
    if (dx >= kCornerRadius || dy >= kCornerRadius) return 2;
    const double cx = kCornerRadius, cy = kCornerRadius;
    const double d = std::hypot(dx + 0.5 - cx, dy + 0.5 - cy);
    if (d > kCornerRadius) return 0;
    return d > kCornerRadius - 1.15 ? 1 : 2;
}

// One side piece frame: dx is the distance from the window's outer edge (0..3).
Pixel SidePixel(const FrameColours& c, int dx, int y) {
    const int fromBottom = kSideHeight - 1 - y;
    if (y < kTitleRows) {
        const int zone = CornerZone(dx, y);
        if (zone == 0) return kv::kMagenta;
        if (zone == 1 || dx == 0 || y == 0) return c.outline;
        return CaptionRow(c, y);
    }
    const int layer = fromBottom < kBorder ? std::min(dx, fromBottom) : dx;
    const Pixel layers[] = {c.outline, c.highlight, c.frame, c.inner};
    return layers[layer];
}

PixelBuffer DrawSide(bool left) {
    PixelBuffer img(2 * kBorder, kSideHeight);
    for (int f = 0; f < 2; ++f) {
        const FrameColours c = Colours(f == 0);
        for (int y = 0; y < kSideHeight; ++y)
            for (int i = 0; i < kBorder; ++i) {
                const int dx = left ? i : kBorder - 1 - i;
                img.At(f * kBorder + i, y) = SidePixel(c, dx, y);
            }
    }
    return img;
}

PixelBuffer DrawTop() {
    const int w = 360;
    PixelBuffer img(w, 2 * kCaption);
    for (int f = 0; f < 2; ++f) {
        const FrameColours c = Colours(f == 0);
        for (int y = 0; y < kCaption; ++y)
            for (int x = 0; x < w; ++x) {
                const int dx = std::min(x, w - 1 - x) + kBorder; // from the window's edge
                const int zone = CornerZone(dx, y);
                Pixel p = CaptionRow(c, y);
                if (zone == 0) p = kv::kMagenta;
                if (zone == 1) p = c.outline;
                img.At(x, f * kCaption + y) = p;
            }
    }
    return img;
}

PixelBuffer DrawBottom() {
    PixelBuffer img(16, 2 * kBorder);
    for (int f = 0; f < 2; ++f) {
        const FrameColours c = Colours(f == 0);
        const Pixel layers[] = {c.inner, c.frame, c.highlight, c.outline};
        for (int y = 0; y < kBorder; ++y)
            for (int x = 0; x < 16; ++x) img.At(x, f * kBorder + y) = layers[y];
    }
    return img;
}

// Caption buttons: 14 x 14 discs in six frames: normal, pressed, hot, inactive, disabled,
// inactive hot. The glyph shows on hover and press.
enum class Glyph { Close, Maximise, Minimise };

Shape GlyphShape(Glyph g, double ox, double oy) {
    switch (g) {
    case Glyph::Close:
        return Union(Segment(ox + 4.6, oy + 4.6, ox + 9.4, oy + 9.4, 0.75),
                     Segment(ox + 9.4, oy + 4.6, ox + 4.6, oy + 9.4, 0.75));
    case Glyph::Maximise:
        return Minus(RoundRect(ox + 4.2, oy + 4.2, ox + 9.8, oy + 9.8, 0.8),
                     RoundRect(ox + 5.6, oy + 5.6, ox + 8.4, oy + 8.4, 0.3));
    default:
        return RoundRect(ox + 4.2, oy + 6.3, ox + 9.8, oy + 7.7, 0.6);
    }
}

PixelBuffer DrawCaptionButton(Pixel base, Glyph glyph, int ycoord) {
    const int s = 14;
    PixelBuffer img(6 * s, s, kv::kMagenta);
    Canvas cv(img);
    for (int f = 0; f < 6; ++f) {
        const bool active = f < 3 || f == 4;
        const FrameColours fc = Colours(active);
        cv.SetMatteRows([&](int y) { return CaptionRow(fc, y + ycoord); });
        const double ox = f * s;
        Pixel fill = base;
        if (f == 1) fill = Darken(base, 0.22);
        if (f == 2) fill = Lighten(base, 0.18);
        if (f == 3 || f == 5) fill = Hex(0x9A8B7E);
        const Shape disc = Circle(ox + 7, 7, 6.3);
        if (f == 4) {
            cv.Paint(Ring(ox + 7, 7, 6.3, 1.2), f * s, 0, s, s, Hex(0x8A7262));
            continue;
        }
        cv.PaintGradient(disc, f * s, 0, s, s, Lighten(fill, 0.16), fill);
        cv.Paint(Ring(ox + 7, 7, 6.3, 0.9), f * s, 0, s, s, Darken(fill, 0.28), 0.8);
        if (f == 1 || f == 2 || f == 5)
            cv.Paint(GlyphShape(glyph, ox, 0), f * s, 0, s, s, Darken(fill, 0.62));
    }
    return img;
}

// The decorative emblem after the caption text: a small copper diamond (not clickable).
PixelBuffer DrawEmblem() {
    const int s = 10, ycoord = 7;
    PixelBuffer img(6 * s, s, kv::kMagenta);
    Canvas cv(img);
    for (int f = 0; f < 6; ++f) {
        const bool inactive = f == 3 || f == 5;
        const FrameColours fc = Colours(!inactive);
        cv.SetMatteRows([&](int y) { return CaptionRow(fc, y + ycoord); });
        const double ox = f * s;
        const Pixel c = inactive ? Hex(0x9A8B7E) : kCopper;
        const Shape diamond = Union(Triangle(ox + 5, 1, ox + 9, 5, ox + 1, 5),
                                    Triangle(ox + 1, 5, ox + 9, 5, ox + 5, 9));
        cv.PaintGradient(diamond, f * s, 0, s, s, Lighten(c, 0.3), Darken(c, 0.1));
    }
    return img;
}

// MDI child buttons in the menu bar: minimise, restore, close; four 15 x 14 frames each:
// normal, pressed, inactive, hot.
PixelBuffer DrawMdiButtons() {
    const int w = 15, h = 14;
    PixelBuffer img(12 * w, h, kv::kMagenta);
    Canvas cv(img);
    cv.SetMatteRows([](int y) { return Mix(kMenuBarTop, kMenuBarBottom, y / 19.0); });
    for (int b = 0; b < 3; ++b)
        for (int f = 0; f < 4; ++f) {
            const int x0 = (b * 4 + f) * w;
            const double ox = x0 + 0.5;
            if (f == 1) cv.Paint(RoundRect(x0 + 1, 1, x0 + 14, 13, 2.5), x0, 0, w, h, kOutline);
            if (f == 3)
                cv.Paint(RoundRect(x0 + 1, 1, x0 + 14, 13, 2.5), x0, 0, w, h, Hex(0x6A4429));
            const Pixel ink = f == 2 ? Hex(0x8C7F74) : (f == 3 ? Hex(0xFFF6EA) : kCream);
            Shape glyph = GlyphShape(b == 0 ? Glyph::Minimise : Glyph::Close, ox, 0);
            if (b == 1)
                glyph = Union(Minus(RoundRect(ox + 3.8, 5.6, ox + 8.6, 10.4, 0.5),
                                    RoundRect(ox + 5.0, 6.8, ox + 7.4, 9.2, 0.2)),
                              Minus(RoundRect(ox + 6.0, 3.6, ox + 10.6, 8.2, 0.5),
                                    Union(RoundRect(ox + 7.2, 4.8, ox + 9.4, 7.0, 0.2),
                                          RoundRect(ox + 3.8, 5.6, ox + 8.6, 10.4, 0.5))));
            cv.Paint(glyph, x0, 0, w, h, ink);
        }
    return img;
}

PixelBuffer DrawMenuBar() {
    const int w = 40, h = 20;
    PixelBuffer img(w, 2 * h);
    Canvas cv(img);
    cv.FillGradient(0, 0, w, h - 1, kMenuBarTop, kMenuBarBottom);
    cv.HLine(0, h - 1, w, kOutline);
    cv.FillGradient(0, h, w, h - 1, Hex(0x564A42), Hex(0x4C413A));
    cv.HLine(0, 2 * h - 1, w, Hex(0x3B332D));
    return img;
}

} // namespace

std::vector<Image> DrawFrameImages() {
    std::vector<Image> out;
    out.push_back({"border-left.bmp", DrawSide(true)});
    out.push_back({"border-right.bmp", DrawSide(false)});
    out.push_back({"border-top.bmp", DrawTop()});
    out.push_back({"border-bottom.bmp", DrawBottom()});
    out.push_back({"but-close.bmp", DrawCaptionButton(Hex(0xD9573B), Glyph::Close, 5)});
    out.push_back({"but-max.bmp", DrawCaptionButton(Hex(0xE0A33A), Glyph::Maximise, 5)});
    out.push_back({"but-min.bmp", DrawCaptionButton(Hex(0x93A86A), Glyph::Minimise, 5)});
    out.push_back({"but-ornament.bmp", DrawEmblem()});
    out.push_back({"mdi.bmp", DrawMdiButtons()});
    out.push_back({"menubar.bmp", DrawMenuBar()});
    return out;
}

} // namespace skingen

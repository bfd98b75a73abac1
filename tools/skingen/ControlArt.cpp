// Control images: push buttons, check and radio marks, progress, group box, tool bar, tabs,
// status bar, combo box, header, menus and scroll bars.
#include "tools/skingen/Canvas.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinArt.h"

namespace skingen {
namespace {

// A horizontal strip of `n` frames, each w x h, starting all magenta.
struct Strip {
    PixelBuffer img;
    Canvas cv;
    int w, h;
    Strip(int n, int fw, int fh, Pixel matte)
        : img(n * fw, fh, kv::kMagenta), cv(img), w(fw), h(fh) {
        cv.SetMatte(matte);
    }
    int X(int f) const { return f * w; }
    // A bordered rounded box filling frame f, with a vertical gradient inside.
    void Box(int f, double inset, double radius, Pixel border, Pixel top, Pixel bottom) {
        const double x = X(f) + inset, r = X(f) + w - inset, b = h - inset;
        cv.Paint(RoundRect(x, inset, r, b, radius), X(f), 0, w, h, border);
        cv.PaintGradient(RoundRect(x + 1, inset + 1, r - 1, b - 1, radius - 0.8), X(f), 0, w, h,
                         top, bottom);
    }
};

PixelBuffer DrawPushButton() {
    Strip s(5, 22, 22, kFace);
    s.Box(0, 0, 3.5, Hex(0xA08A74), Hex(0xFCFAF6), Hex(0xE6DDD0));
    s.Box(1, 0, 3.5, Hex(0x8A6A4E), Hex(0xD3C6B4), Hex(0xE2D8CA));
    s.Box(2, 0, 3.5, Hex(0xD0C6B9), Hex(0xF3EFE9), Hex(0xF0EBE4));
    s.Box(3, 0, 3.5, kCopper, Hex(0xFFF9F2), Hex(0xF3E3D1));
    s.cv.Paint(Minus(RoundRect(3 * 22 + 1, 1, 4 * 22 - 1, 21, 2.8),
                     RoundRect(3 * 22 + 2, 2, 4 * 22 - 2, 20, 2.0)),
               3 * 22, 0, 22, 22, Hex(0xEDC3A2));
    s.Box(4, 0, 3.5, kCopperDark, Hex(0xDE945C), Hex(0xC06A31));
    for (int f : {0, 3}) s.cv.HLine(s.X(f) + 3, 1, 16, 0xFFFFFF); // top light
    return s.img;
}

Shape CheckMark(double ox) {
    return Union(Segment(ox + 3.6, 7.2, ox + 6.0, 9.8, 1.0),
                 Segment(ox + 6.0, 9.8, ox + 10.6, 4.4, 1.0));
}

PixelBuffer DrawMarks(bool radio) {
    Strip s(4, 14, 14, kFace);
    const Pixel borders[] = {kLineDark, kCopperDark, Hex(0xCFC5B8), Hex(0xC2B2A2)};
    const Pixel fills[] = {Hex(0xFFFDF9), kCopper, Hex(0xF1ECE5), Hex(0xD8C8B8)};
    for (int f = 0; f < 4; ++f) {
        const double ox = s.X(f);
        const Shape outer =
            radio ? Circle(ox + 7, 7, 6.4) : RoundRect(ox + 0.6, 0.6, ox + 13.4, 13.4, 2.6);
        const Shape inner =
            radio ? Circle(ox + 7, 7, 5.3) : RoundRect(ox + 1.7, 1.7, ox + 12.3, 12.3, 1.8);
        s.cv.Paint(outer, s.X(f), 0, 14, 14, borders[f]);
        const Pixel fill = fills[f];
        s.cv.PaintGradient(inner, s.X(f), 0, 14, 14, f == 1 ? Lighten(fill, 0.12) : fill, fill);
        if (f % 2 == 1) {
            const Pixel ink = f == 1 ? Hex(0xFFF8EE) : Hex(0xF8F3EC);
            s.cv.Paint(radio ? Circle(ox + 7, 7, 2.5) : CheckMark(ox), s.X(f), 0, 14, 14, ink);
        }
    }
    return s.img;
}

PixelBuffer DrawProgress() {
    Strip s(2, 40, 14, kFace);
    s.Box(0, 0, 3.5, kLine, Hex(0xE0D7CA), Hex(0xEFE9E0));
    s.Box(1, 0, 3.5, Hex(0x9A5224), Hex(0xE29A62), Hex(0xB8652D));
    s.cv.HLine(s.X(1) + 3, 2, 34, Hex(0xF0B88E));
    return s.img;
}

PixelBuffer DrawChunk() {
    Strip s(1, 8, 10, kFace);
    s.cv.PaintGradient(RoundRect(0, 0, 6, 10, 1.2), 0, 0, 8, 10, Hex(0xE29A62), Hex(0xB8652D));
    return s.img;
}

PixelBuffer DrawGroupBox() {
    Strip s(2, 16, 16, kFace);
    for (int f = 0; f < 2; ++f) {
        const double ox = s.X(f);
        const Pixel c = f == 0 ? Hex(0xC4B5A2) : Hex(0xDCD3C8);
        s.cv.Paint(Minus(RoundRect(ox + 0.5, 0.5, ox + 15.5, 15.5, 3.5),
                         RoundRect(ox + 1.5, 1.5, ox + 14.5, 14.5, 2.6)),
                   s.X(f), 0, 16, 16, c);
        s.cv.Paint(Minus(RoundRect(ox + 1.5, 1.5, ox + 14.5, 14.5, 2.6),
                         RoundRect(ox + 2.5, 2.5, ox + 13.5, 13.5, 1.8)),
                   s.X(f), 0, 16, 16, Hex(0xFFFDF9), 0.8);
    }
    return s.img;
}

PixelBuffer DrawToolbar() {
    Strip s(5, 22, 22, kFace);
    s.Box(1, 0, 3, Hex(0xA68C72), Hex(0xD6C6B2), Hex(0xE0D3C2));
    s.Box(3, 0, 3, Hex(0xD9A57C), Hex(0xFBF2E8), Hex(0xF1E2D1));
    s.Box(4, 0, 3, Hex(0xB8865C), Hex(0xE9D8C4), Hex(0xE2CDB6));
    return s.img;
}

PixelBuffer DrawTabs() {
    Strip s(5, 30, 22, kFace);
    struct Look {
        Pixel border, top, bottom, accent;
        bool open; // no bottom border: merges into the page
    };
    const Look looks[] = {{kLine, Hex(0xE7DFD3), Hex(0xDBD1C3), 0, false},
                          {Hex(0xA08A74), Hex(0xFFFDF9), kPaper, kCopper, true},
                          {kLine, Hex(0xF2EBE1), Hex(0xE4DBCE), Hex(0xE3B08A), false},
                          {Hex(0xD6CCBF), Hex(0xF0EBE4), Hex(0xECE6DE), 0, false},
                          {Hex(0xA08A74), Hex(0xFFFDF9), kPaper, Hex(0xE3B08A), true}};
    for (int f = 0; f < 5; ++f) {
        const Look& l = looks[f];
        const double ox = s.X(f);
        const int top = l.open ? 0 : 2;
        s.cv.Paint(RoundRect(ox, top, ox + 30, 26, 4), s.X(f), 0, 30, 22, l.border);
        s.cv.PaintGradient(RoundRect(ox + 1, top + 1, ox + 29, 26, 3.2), s.X(f), 0, 30, 22, l.top,
                           l.bottom);
        if (l.accent)
            s.cv.Paint(RoundRect(ox + 1, top + 1, ox + 29, top + 4, 1.5), s.X(f), 0, 30, 3 + top,
                       l.accent);
        if (!l.open) s.cv.HLine(s.X(f), 21, 30, Hex(0xA08A74));
    }
    return s.img;
}

PixelBuffer DrawTabsBorder() {
    PixelBuffer img(16, 16, kPaper);
    Canvas cv(img);
    cv.Fill(0, 0, 16, 1, Hex(0xA08A74));
    cv.Fill(0, 15, 16, 1, Hex(0xA08A74));
    cv.Fill(0, 0, 1, 16, Hex(0xA08A74));
    cv.Fill(15, 0, 1, 16, Hex(0xA08A74));
    cv.Fill(1, 14, 14, 1, Hex(0xE4DBCE));
    cv.Fill(14, 1, 1, 14, Hex(0xE4DBCE));
    return img;
}

PixelBuffer DrawStatusBar() {
    Strip s(3, 12, 12, kFace);
    for (int f = 0; f < 3; ++f) s.cv.Fill(s.X(f), 0, 12, 12, f == 2 ? kFace : Hex(0xEFE9E1));
    const Pixel dark = kLine, light = 0xFFFFFF;
    for (int f = 0; f < 2; ++f) {
        const Pixel tl = f == 0 ? dark : light, br = f == 0 ? light : dark;
        s.cv.HLine(s.X(f), 0, 12, tl);
        s.cv.VLine(s.X(f), 0, 12, tl);
        s.cv.HLine(s.X(f), 11, 12, br);
        s.cv.VLine(s.X(f) + 11, 0, 12, br);
    }
    s.cv.VLine(s.X(2) + 11, 2, 8, kLineSoft);
    return s.img;
}

PixelBuffer DrawComboButton() {
    Strip s(4, 17, 20, kPaper);
    const Pixel tops[] = {Hex(0xF7F2EB), Hex(0xD9CDBD), Hex(0xF1ECE5), Hex(0xFCEFE2)};
    const Pixel bottoms[] = {Hex(0xE6DDD0), Hex(0xE2D8CA), Hex(0xEDE8E1), Hex(0xF2DFCB)};
    const Pixel lines[] = {kLineSoft, kLine, Hex(0xE2DAD0), Hex(0xE3B08A)};
    for (int f = 0; f < 4; ++f) {
        s.cv.FillGradient(s.X(f), 0, 17, 20, tops[f], bottoms[f]);
        s.cv.VLine(s.X(f), 2, 16, lines[f]);
    }
    return s.img;
}

PixelBuffer DrawSunkEdge() {
    Strip s(4, 16, 16, kFace);
    const Pixel borders[] = {kLine, Hex(0xA08A74), Hex(0xD8CEC2), kCopper};
    const Pixel fills[] = {Hex(0xFFFDF9), Hex(0xFFFDF9), Hex(0xF4F0EA), Hex(0xFFFDF9)};
    for (int f = 0; f < 4; ++f) s.Box(f, 0, 2.5, borders[f], fills[f], fills[f]);
    return s.img;
}

PixelBuffer DrawExtras() {
    Strip s(5, 11, 11, Hex(0xEEE7DD));
    const Pixel inks[] = {Hex(0x5A3A22), kInk, kDisabled, kCopper};
    for (int f = 0; f < 4; ++f) {
        const double ox = s.X(f);
        s.cv.Paint(Triangle(ox + 2, 4, ox + 9, 4, ox + 5.5, 7.6), s.X(f), 0, 11, 11, inks[f]);
    }
    s.cv.SetMatte(kFace);
    for (int i = 0; i < 3; ++i) // size grip: three rows of dots towards the corner
        for (int j = 0; j <= i; ++j) {
            const double x = s.X(4) + 9 - 3 * j, y = 9 - 3 * (i - j);
            s.cv.Paint(Circle(x + 0.6, y + 0.6, 0.9), s.X(4), 0, 11, 11, 0xFFFFFF);
            s.cv.Paint(Circle(x, y, 0.9), s.X(4), 0, 11, 11, Hex(0xA08A74));
        }
    return s.img;
}

PixelBuffer DrawHeader() {
    Strip s(5, 20, 20, kFace);
    const Pixel tops[] = {Hex(0xFBF8F3), Hex(0xE2D8CA), Hex(0xFFF6EC), Hex(0xF3EFE9),
                          Hex(0xF6EDE2)};
    for (int f = 0; f < 5; ++f) {
        s.cv.FillGradient(s.X(f), 0, 20, 19, tops[f], Hex(0xE8E0D4));
        s.cv.HLine(s.X(f), 19, 20, kLine);
        s.cv.VLine(s.X(f) + 18, 3, 13, kLineSoft);
        s.cv.VLine(s.X(f) + 19, 3, 13, 0xFFFFFF);
    }
    s.cv.HLine(s.X(2), 18, 20, kCopper);
    return s.img;
}

PixelBuffer DrawMenuItem() {
    Strip s(5, 124, 16, kPaper);
    s.cv.HLine(s.X(1) + 4, 11, 116, kLineSoft); // separator, in the rows a short item keeps
    s.cv.HLine(s.X(1) + 4, 12, 116, 0xFFFFFF);
    s.cv.Paint(RoundRect(s.X(2) + 1, 0, s.X(2) + 123, 16, 3.5), s.X(2), 0, 124, 16, Hex(0xEFE7DC));
    s.cv.PaintGradient(RoundRect(s.X(3) + 1, 0, s.X(3) + 123, 16, 3.5), s.X(3), 0, 124, 16,
                       Hex(0xD8864E), Hex(0xBF6930));
    s.cv.PaintGradient(RoundRect(s.X(4) + 1, 0, s.X(4) + 123, 16, 3.5), s.X(4), 0, 124, 16,
                       Hex(0xF6E4D4), Hex(0xEFD6C1));
    return s.img;
}

PixelBuffer DrawMenuBackground() {
    const int n = 240;
    PixelBuffer img(n, n, kPaper);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double grain = (Noise(x, y, 7) - 0.5) * 5.0;
            const Rgb p = ToRgb(kPaper);
            img.At(x, y) = ToPixel({p.r + grain, p.g + grain, p.b + grain * 1.2});
        }
    Canvas cv(img);
    cv.Fill(0, 0, n, 1, kLineDark);
    cv.Fill(0, n - 1, n, 1, kLineDark);
    cv.Fill(0, 0, 1, n, kLineDark);
    cv.Fill(n - 1, 0, 1, n, kLineDark);
    cv.Fill(1, 1, n - 2, 2, kPaper);
    cv.Fill(1, 1, 2, n - 2, kPaper);
    cv.Fill(1, n - 3, n - 2, 2, kPaper);
    cv.Fill(n - 3, 1, 2, n - 2, kPaper);
    return img;
}

// Scroll-bar arrows, 16 x 16, in four looks each: normal, pressed, hot, disabled.
enum class Dir { Left, Right, Up, Down };

Shape Arrow(Dir d, double ox, double shift) {
    const double c = 8 + shift;
    switch (d) {
    case Dir::Left:
        return Triangle(ox + c - 2.5, c, ox + c + 1.8, c - 4, ox + c + 1.8, c + 4);
    case Dir::Right:
        return Triangle(ox + c + 2.5, c, ox + c - 1.8, c - 4, ox + c - 1.8, c + 4);
    case Dir::Up:
        return Triangle(ox + c, c - 2.5, ox + c - 4, c + 1.8, ox + c + 4, c + 1.8);
    default:
        return Triangle(ox + c, c + 2.5, ox + c - 4, c - 1.8, ox + c + 4, c - 1.8);
    }
}

void ArrowButton(Strip& s, int f, Dir d, int look) {
    const Pixel borders[] = {kDisabled, Hex(0xA08A74), Hex(0xD9A57C), Hex(0xDCD3C8)};
    const Pixel tops[] = {Hex(0xF6F2EC), Hex(0xD3C5B3), Hex(0xFCF0E4), Hex(0xF1EDE8)};
    const Pixel bottoms[] = {Hex(0xE6DDD1), Hex(0xDDD1C1), Hex(0xF3E0CD), Hex(0xEDE8E2)};
    const Pixel inks[] = {Hex(0x6B5240), kInk, kCopper, kDisabled};
    s.cv.Fill(s.X(f), 0, 16, 16, kTrack);
    s.cv.SetMatte(kTrack);
    s.Box(f, 0.5, 2.5, borders[look], tops[look], bottoms[look]);
    s.cv.Paint(Arrow(d, s.X(f), look == 1 ? 0.5 : 0), s.X(f), 0, 16, 16, inks[look]);
}

PixelBuffer DrawScrollBar() {
    Strip s(23, 16, 16, kTrack);
    const Dir dirs[] = {Dir::Left, Dir::Right, Dir::Up, Dir::Down};
    for (int d = 0; d < 4; ++d)
        for (int look = 0; look < 4; ++look) ArrowButton(s, d * 4 + look, dirs[d], look);
    for (int f = 16; f < 20; ++f) s.cv.Fill(s.X(f), 0, 16, 16, f % 2 ? Hex(0xD9CFC2) : kTrack);
    s.cv.Fill(s.X(20), 0, 16, 16, kFace); // the corner between two bars
    s.cv.Fill(s.X(21), 0, 16, 16, kFace);
    for (int i = 0; i < 3; ++i) s.cv.Fill(s.X(21) + 12 - 4 * i, 12 - 4 * (2 - i), 2, 2, kLine);
    s.cv.Fill(s.X(22), 0, 16, 16, kTrack);
    return s.img;
}

PixelBuffer DrawTrack(bool vertical) {
    Strip s(4, 16, 16, kTrack);
    const Pixel fills[] = {kTrack, Hex(0xD9CFC2), Hex(0xEAE2D8), Hex(0xF0EBE4)};
    for (int f = 0; f < 4; ++f) {
        s.cv.Fill(s.X(f), 0, 16, 16, fills[f]);
        if (vertical) {
            s.cv.VLine(s.X(f), 0, 16, kLineSoft);
            s.cv.VLine(s.X(f) + 15, 0, 16, kLineSoft);
        } else {
            s.cv.HLine(s.X(f), 0, 16, kLineSoft);
            s.cv.HLine(s.X(f), 15, 16, kLineSoft);
        }
    }
    return s.img;
}

PixelBuffer DrawThumb(bool vertical) {
    const int len = 24;
    Strip s(3, vertical ? 16 : len, vertical ? len : 16, kTrack);
    const Pixel fills[] = {Hex(0xB9A58F), kCopper, Hex(0xCDB9A4)};
    const Pixel borders[] = {Hex(0x9C846D), kCopperDark, Hex(0xAE967F)};
    for (int f = 0; f < 3; ++f) {
        const double ox = s.X(f);
        const Shape outer = vertical ? RoundRect(ox + 2.5, 0.5, ox + 13.5, len - 0.5, 4.5)
                                     : RoundRect(ox + 0.5, 2.5, ox + len - 0.5, 13.5, 4.5);
        const Shape inner = vertical ? RoundRect(ox + 3.5, 1.5, ox + 12.5, len - 1.5, 3.6)
                                     : RoundRect(ox + 1.5, 3.5, ox + len - 1.5, 12.5, 3.6);
        s.cv.Paint(outer, s.X(f), 0, s.w, s.h, borders[f]);
        s.cv.PaintGradient(inner, s.X(f), 0, s.w, s.h, Lighten(fills[f], 0.15), fills[f]);
    }
    return s.img;
}

} // namespace

std::vector<Image> DrawControlImages() {
    std::vector<Image> out;
    out.push_back({"button.bmp", DrawPushButton()});
    out.push_back({"checkbox.bmp", DrawMarks(false)});
    out.push_back({"radio.bmp", DrawMarks(true)});
    out.push_back({"progress.bmp", DrawProgress()});
    out.push_back({"progress-chunk.bmp", DrawChunk()});
    out.push_back({"groupbox.bmp", DrawGroupBox()});
    out.push_back({"toolbar.bmp", DrawToolbar()});
    out.push_back({"tabs.bmp", DrawTabs()});
    out.push_back({"tabs-border.bmp", DrawTabsBorder()});
    out.push_back({"statusbar.bmp", DrawStatusBar()});
    out.push_back({"combo-arrows.bmp", DrawComboButton()});
    out.push_back({"sunkedge.bmp", DrawSunkEdge()});
    out.push_back({"extras.bmp", DrawExtras()});
    out.push_back({"header.bmp", DrawHeader()});
    out.push_back({"menu-tool.bmp", DrawMenuItem()});
    out.push_back({"menu-back.bmp", DrawMenuBackground()});
    out.push_back({"scrollbar.bmp", DrawScrollBar()});
    out.push_back({"scroll-h.bmp", DrawTrack(false)});
    out.push_back({"scroll-v.bmp", DrawTrack(true)});
    out.push_back({"thumb-h.bmp", DrawThumb(false)});
    out.push_back({"thumb-v.bmp", DrawThumb(true)});
    return out;
}

} // namespace skingen

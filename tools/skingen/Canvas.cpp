#include "tools/skingen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace skingen {

Rgb ToRgb(Pixel p) {
    return {double((p >> 16) & 255), double((p >> 8) & 255), double(p & 255)};
}

Pixel ToPixel(const Rgb& c) {
    auto q = [](double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); };
    return kv::RgbPixel(q(c.r), q(c.g), q(c.b));
}

Pixel Mix(Pixel a, Pixel b, double t) {
    const Rgb x = ToRgb(a), y = ToRgb(b);
    return ToPixel({x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t});
}

Pixel Hex(uint32_t rgb) {
    return rgb & 0xFFFFFF;
}
Pixel Lighten(Pixel p, double t) {
    return Mix(p, 0xFFFFFF, t);
}
Pixel Darken(Pixel p, double t) {
    return Mix(p, 0x000000, t);
}

Shape RoundRect(double l, double t, double r, double b, double rad) {
    return [=](double x, double y) {
        if (x < l || x > r || y < t || y > b) return false;
        const double cx = std::clamp(x, l + rad, r - rad), cy = std::clamp(y, t + rad, b - rad);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= rad * rad;
    };
}

Shape Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Ring(double cx, double cy, double r, double w) {
    return Minus(Circle(cx, cy, r), Circle(cx, cy, r - w));
}

Shape Segment(double x0, double y0, double x1, double y1, double hw) {
    return [=](double x, double y) {
        const double dx = x1 - x0, dy = y1 - y0;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double px = x0 + t * dx - x, py = y0 + t * dy - y;
        return px * px + py * py <= hw * hw;
    };
}

Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2) {
    return [=](double x, double y) {
        auto side = [&](double ax, double ay, double bx, double by) {
            return (bx - ax) * (y - ay) - (by - ay) * (x - ax);
        };
        const double a = side(x0, y0, x1, y1), b = side(x1, y1, x2, y2), c = side(x2, y2, x0, y0);
        return (a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0);
    };
}

Shape Union(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}
Shape Minus(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

void Canvas::Put(int x, int y, Pixel c) {
    if (x >= 0 && y >= 0 && x < img_.Width() && y < img_.Height()) img_.At(x, y) = c;
}

void Canvas::Fill(int x, int y, int w, int h, Pixel c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Put(i, j, c);
}

void Canvas::FillGradient(int x, int y, int w, int h, Pixel top, Pixel bottom) {
    for (int j = 0; j < h; ++j)
        Fill(x, y + j, w, 1, Mix(top, bottom, h > 1 ? double(j) / (h - 1) : 0));
}

void Canvas::Blend(int x, int y, Pixel c, double coverage) {
    if (x < 0 || y < 0 || x >= img_.Width() || y >= img_.Height() || coverage <= 0) return;
    Pixel& p = img_.At(x, y);
    if (kv::RgbOf(p) == kv::kMagenta) {
        if (coverage < 0.3) return;
        p = Mix(matteRow_ ? matteRow_(y) : matte_, c, coverage);
        return;
    }
    p = Mix(p, c, coverage);
}

void Canvas::Paint(const Shape& shape, int x, int y, int w, int h, Pixel c, double a) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += shape(i + (sx + 0.5) / 4, j + (sy + 0.5) / 4) ? 1 : 0;
            Blend(i, j, c, a * hits / 16.0);
        }
}

void Canvas::PaintGradient(const Shape& shape, int x, int y, int w, int h, Pixel top,
                           Pixel bottom) {
    for (int j = 0; j < h; ++j)
        Paint([&](double px, double py) { return py >= y + j && py < y + j + 1 && shape(px, py); },
              x, y + j, w, 1, Mix(top, bottom, h > 1 ? double(j) / (h - 1) : 0));
}

double Noise(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xFFFF) / 65535.0;
}

} // namespace skingen

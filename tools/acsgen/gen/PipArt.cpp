#include "tools/acsgen/gen/PipArt.h"

#include <algorithm>
#include <cmath>

namespace kv::pip {
namespace {

constexpr Pixel kKey = kMagenta;
constexpr Pixel kOutline = RgbPixel(0x3A, 0x2E, 0x4A);
constexpr Pixel kBody = RgbPixel(0x7B, 0xC8, 0x6C);
constexpr Pixel kShade = RgbPixel(0x5F, 0xA9, 0x57);
constexpr Pixel kBelly = RgbPixel(0xD8, 0xF0, 0xC8);
constexpr Pixel kLeaf = RgbPixel(0x4E, 0x9A, 0x3E);
constexpr Pixel kWhite = RgbPixel(0xFF, 0xFF, 0xFF);
constexpr Pixel kPupil = RgbPixel(0x2A, 0x22, 0x33);
constexpr Pixel kCheek = RgbPixel(0xF4, 0xA0, 0xA0);
constexpr Pixel kMouth = RgbPixel(0x8A, 0x2E, 0x3B);
constexpr Pixel kTongue = RgbPixel(0xE9, 0x72, 0x7E);
constexpr Pixel kStar = RgbPixel(0xFF, 0xD4, 0x47);
constexpr Pixel kStarEdge = RgbPixel(0xC9, 0x91, 0x1C);
constexpr Pixel kTear = RgbPixel(0x7F, 0xC8, 0xF8);
constexpr Pixel kRed = RgbPixel(0xE9, 0x4F, 0x4F);
constexpr Pixel kGrey = RgbPixel(0xB8, 0xB4, 0xC8);

constexpr double kPi = 3.14159265358979323846;
constexpr double kBase = 120.0; // the feet stay on this line when the body scales
constexpr double kCentreX = 64.0;

class Canvas {
public:
    explicit Canvas(const Stance& s) : s_(s), px_(kFrameSize, kFrameSize, kKey) {}

    // Frame coordinates of a point given in full-size body coordinates.
    double X(double x, double y) const {
        const double lift = (kBase - y) / 80.0; // 0 at the feet, 1 at the top of the head
        return kCentreX + (x - kCentreX) * s_.scale + s_.lean * lift;
    }
    double Y(double y) const { return kBase + (y - kBase) * s_.scale * s_.squash + s_.dy; }
    double Rx(double r) const { return r * s_.scale; }
    double Ry(double r) const { return r * s_.scale * s_.squash; }

    void Ellipse(double x, double y, double rx, double ry, Pixel c) {
        FillEllipse(X(x, y), Y(y), Rx(rx), Ry(ry), c);
    }
    void Outlined(double x, double y, double rx, double ry, Pixel c, double edge = 2.0) {
        Ellipse(x, y, rx + edge, ry + edge, kOutline);
        Ellipse(x, y, rx, ry, c);
    }
    void Line(double x0, double y0, double x1, double y1, double width, Pixel c) {
        Segment(X(x0, y0), Y(y0), X(x1, y1), Y(y1), width * s_.scale, c);
    }
    // The lower (smile) or upper (frown) half of an elliptic ring.
    void Arc(double x, double y, double rx, double ry, double width, bool lower, Pixel c);
    void Polygon(const double* xs, const double* ys, int n, Pixel c);

    Layer Crop();

private:
    void FillEllipse(double cx, double cy, double rx, double ry, Pixel c);
    void Segment(double x0, double y0, double x1, double y1, double width, Pixel c);
    template <class Inside>
    void Fill(double left, double top, double right, double bottom, Pixel c, Inside inside) {
        const int x0 = std::max(0, int(std::floor(left))),
                  x1 = std::min(kFrameSize, int(right) + 1);
        const int y0 = std::max(0, int(std::floor(top))),
                  y1 = std::min(kFrameSize, int(bottom) + 1);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (inside(x + 0.5, y + 0.5)) px_.At(x, y) = c;
    }

    Stance s_;
    PixelBuffer px_;
};

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Pixel c) {
    if (rx <= 0 || ry <= 0) return;
    Fill(cx - rx, cy - ry, cx + rx, cy + ry, c, [&](double x, double y) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    });
}

void Canvas::Segment(double x0, double y0, double x1, double y1, double width, Pixel c) {
    const double r = width / 2;
    Fill(std::min(x0, x1) - r, std::min(y0, y1) - r, std::max(x0, x1) + r, std::max(y0, y1) + r, c,
         [&](double x, double y) {
             const double vx = x1 - x0, vy = y1 - y0;
             const double len2 = vx * vx + vy * vy;
             double t = len2 > 0 ? ((x - x0) * vx + (y - y0) * vy) / len2 : 0;
             t = std::clamp(t, 0.0, 1.0);
             const double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
             return dx * dx + dy * dy <= r * r;
         });
}

void Canvas::Arc(double x, double y, double rx, double ry, double width, bool lower, Pixel c) {
    const double cx = X(x, y), cy = Y(y), ax = Rx(rx), ay = Ry(ry), w = width * s_.scale;
    Fill(cx - ax - w, cy - ay - w, cx + ax + w, cy + ay + w, c, [&](double px, double py) {
        if (lower ? py < cy : py > cy) return false;
        const double dx = (px - cx) / ax, dy = (py - cy) / ay;
        const double d = std::sqrt(dx * dx + dy * dy);
        return std::abs(d - 1.0) * std::min(ax, ay) <= w / 2;
    });
}

void Canvas::Polygon(const double* xs, const double* ys, int n, Pixel c) {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (int i = 0; i < n; ++i) {
        left = std::min(left, xs[i]), right = std::max(right, xs[i]);
        top = std::min(top, ys[i]), bottom = std::max(bottom, ys[i]);
    }
    Fill(left, top, right, bottom, c, [&](double x, double y) {
        bool in = false;
        for (int i = 0, j = n - 1; i < n; j = i++)
            if ((ys[i] > y) != (ys[j] > y) &&
                x < (xs[j] - xs[i]) * (y - ys[i]) / (ys[j] - ys[i]) + xs[i])
                in = !in;
        return in;
    });
}

Layer Canvas::Crop() {
    int left = kFrameSize, top = kFrameSize, right = 0, bottom = 0;
    for (int y = 0; y < kFrameSize; ++y)
        for (int x = 0; x < kFrameSize; ++x)
            if (px_.At(x, y) != kKey) {
                left = std::min(left, x), right = std::max(right, x + 1);
                top = std::min(top, y), bottom = std::max(bottom, y + 1);
            }
    Layer l;
    if (right <= left) return l;
    l.x = left;
    l.y = top;
    l.pixels.Resize(right - left, bottom - top);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) l.pixels.At(x - left, y - top) = px_.At(x, y);
    return l;
}

void Star(Canvas& c, double cx, double cy, double r) {
    double xs[10], ys[10], xo[10], yo[10];
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + i * kPi / 5;
        const double rr = (i % 2 == 0) ? r : r * 0.45;
        xs[i] = cx + rr * std::cos(a), ys[i] = cy + rr * std::sin(a);
        xo[i] = cx + (rr + 2) * std::cos(a), yo[i] = cy + (rr + 2) * std::sin(a);
    }
    c.Polygon(xo, yo, 10, kStarEdge);
    c.Polygon(xs, ys, 10, kStar);
}

// One arm: shoulder at (sx, 84), hand at the end of a 22-pixel limb.
void Arm(Canvas& c, double sx, int side, int angle) {
    const double a = angle * kPi / 180.0;
    const double hx = sx + side * 22 * std::sin(a), hy = 84 + 22 * std::cos(a);
    c.Line(sx, 84, hx, hy, 10, kOutline);
    c.Line(sx, 84, hx, hy, 6, kBody);
    c.Outlined(hx, hy, 5, 5, kBody);
}

} // namespace

Layer DrawBody(const Stance& s) {
    Canvas c(s);
    c.Line(64, 44, 64, 30, 5, kOutline); // stem and leaf
    c.Line(64, 44, 64, 30, 2, kLeaf);
    c.Outlined(74, 28, 10, 5, kLeaf);
    c.Ellipse(72, 27, 5, 1.5, kBody);
    c.Outlined(52, 116, 10, 5, kShade); // feet
    c.Outlined(76, 116, 10, 5, kShade);
    c.Outlined(64, 80, 34, 36, kBody);
    c.Ellipse(64, 90, 22, 22, kBelly);
    c.Ellipse(44, 86, 5, 3, kCheek);
    c.Ellipse(84, 86, 5, 3, kCheek);
    return c.Crop();
}

Layer DrawEyes(const Stance& s, Eyes eyes, int look) {
    Canvas c(s);
    for (double ex : {52.0, 76.0}) {
        switch (eyes) {
        case Eyes::Closed:
            c.Arc(ex, 70, 6, 4, 2.5, true, kOutline);
            break;
        case Eyes::Sad: {
            const double inner = ex < 64 ? 1 : -1; // brows rise towards the middle
            c.Outlined(ex, 72, 6, 6, kWhite, 1.5);
            c.Ellipse(ex, 75, 3.5, 3, kPupil);
            c.Line(ex - 8 * inner, 67, ex + 8 * inner, 61, 3, kOutline);
            break;
        }
        case Eyes::Half:
            c.Outlined(ex, 72, 7, 5, kWhite, 1.5);
            c.Ellipse(ex + look, 73, 3.5, 3.5, kPupil);
            c.Line(ex - 8, 68, ex + 8, 68, 3, kOutline);
            break;
        default: {
            const double r = eyes == Eyes::Wide ? 10 : 8;
            const double py = eyes == Eyes::Up ? 64 : 70;
            c.Outlined(ex, 68, 7, r, kWhite, 1.5);
            c.Ellipse(ex + look, py, 4, 4.5, kPupil);
            c.Ellipse(ex + look + 1.5, py - 2, 1.5, 1.5, kWhite);
        }
        }
    }
    return c.Crop();
}

Layer DrawMouth(const Stance& s, Mouth mouth) {
    Canvas c(s);
    auto open = [&](double rx, double ry) {
        c.Outlined(64, 90, rx, ry, kMouth, 1.5);
        if (ry >= 4) c.Ellipse(64, 90 + ry * 0.45, rx * 0.6, ry * 0.45, kTongue);
    };
    switch (mouth) {
    case Mouth::Smile:
        c.Arc(64, 86, 9, 6, 3, true, kOutline);
        break;
    case Mouth::Frown:
        c.Arc(64, 96, 8, 5, 3, false, kOutline);
        break;
    case Mouth::Closed:
        c.Arc(64, 88, 7, 3, 2.5, true, kOutline);
        break;
    case Mouth::Oh:
        open(4.5, 6);
        break;
    case Mouth::Wide1:
        open(7, 3);
        break;
    case Mouth::Wide2:
        open(8, 5);
        break;
    case Mouth::Wide3:
        open(9, 7);
        break;
    case Mouth::Wide4:
        open(10, 8);
        break;
    case Mouth::Medium:
        open(6, 4.5);
        break;
    case Mouth::Narrow:
        open(3.5, 3);
        break;
    }
    return c.Crop();
}

Layer DrawArms(const Stance& s, const Arms& arms) {
    Canvas c(s);
    Arm(c, 34, -1, arms.left);
    if (arms.chin) {
        c.Line(94, 84, 80, 98, 10, kOutline);
        c.Line(94, 84, 80, 98, 6, kBody);
        c.Outlined(76, 98, 5, 5, kBody);
    } else {
        Arm(c, 94, 1, arms.right);
    }
    return c.Crop();
}

Layer DrawExtra(const Stance& s, Extra extra, int phase) {
    Canvas c(Stance{1.0, 0, 0, 1.0}); // extras stay put while the body moves
    const double bob = (phase % 2) * 3;
    switch (extra) {
    case Extra::None:
        break;
    case Extra::Stars:
        Star(c, 18, 30 - bob, 8 + phase % 3);
        Star(c, 108, 22 + bob, 7 + (phase + 1) % 3);
        Star(c, 100, 56 - bob, 5);
        break;
    case Extra::Sparkle:
        Star(c, 110, 30 - bob, 5 + phase % 2);
        break;
    case Extra::Bubble:
        c.Outlined(92, 50, 3, 3, kWhite, 1.5);
        if (phase > 0) c.Outlined(100, 36, 5, 4, kWhite, 1.5);
        if (phase > 1) {
            c.Outlined(112, 16, 14, 11, kWhite, 1.5);
            c.Ellipse(106, 16, 2, 2, kGrey);
            c.Ellipse(112, 16, 2, 2, kGrey);
            c.Ellipse(118, 16, 2, 2, kGrey);
        }
        break;
    case Extra::Exclaim:
        c.Line(104, 14 + s.dy, 102, 34 + s.dy, 7, kOutline);
        c.Line(104, 14 + s.dy, 102, 34 + s.dy, 4, kRed);
        c.Outlined(101, 42 + s.dy, 2.5, 2.5, kRed, 1.5);
        break;
    case Extra::Tear:
        c.Outlined(46, 80 + phase * 5, 2.5, 4, kTear, 1.5);
        break;
    }
    return c.Crop();
}

} // namespace kv::pip

#pragma once
// Drawing helpers for the default skin's art: colours, gradients and anti-aliased shapes on a
// PixelBuffer. Shapes are sampled 4 x 4 per pixel. Where a shape's soft edge falls on the
// magenta key colour it is blended with a known matte colour instead (the colour the image is
// drawn over), so edges never leave pink fringes; pixels the shape barely touches stay magenta.
#include "base/Pixels.h"

#include <functional>

namespace skingen {

using kv::Pixel;
using kv::PixelBuffer;

struct Rgb {
    double r = 0, g = 0, b = 0;
};
Rgb ToRgb(Pixel p);
Pixel ToPixel(const Rgb& c);
Pixel Mix(Pixel a, Pixel b, double t); // t = 0: a, t = 1: b
Pixel Hex(uint32_t rgb);               // 0xRRGGBB
Pixel Lighten(Pixel p, double t);      // towards white
Pixel Darken(Pixel p, double t);       // towards black

// A point-in-shape test in pixel coordinates (pixel centres at +0.5).
using Shape = std::function<bool(double x, double y)>;

Shape RoundRect(double left, double top, double right, double bottom, double radius);
Shape Circle(double cx, double cy, double r);
Shape Ring(double cx, double cy, double r, double width);
Shape Segment(double x0, double y0, double x1, double y1, double halfWidth);
Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2);
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);

class Canvas {
public:
    explicit Canvas(PixelBuffer& img) : img_(img) {}

    void SetMatte(Pixel matte) { matte_ = matte, matteRow_ = nullptr; }
    // A matte that changes by row, for shapes drawn over a gradient.
    void SetMatteRows(std::function<Pixel(int y)> matte) { matteRow_ = std::move(matte); }
    void Fill(int x, int y, int w, int h, Pixel c);
    void FillGradient(int x, int y, int w, int h, Pixel top, Pixel bottom);
    void HLine(int x, int y, int w, Pixel c) { Fill(x, y, w, 1, c); }
    void VLine(int x, int y, int h, Pixel c) { Fill(x, y, 1, h, c); }
    void Put(int x, int y, Pixel c);
    // Paints `shape` inside the box (x, y, w, h) in colour c (opacity a).
    void Paint(const Shape& shape, int x, int y, int w, int h, Pixel c, double a = 1.0);
    // Paints with a colour that varies by row (a vertical gradient inside the shape).
    void PaintGradient(const Shape& shape, int x, int y, int w, int h, Pixel top, Pixel bottom);

private:
    void Blend(int x, int y, Pixel c, double coverage);
    PixelBuffer& img_;
    Pixel matte_ = 0;
    std::function<Pixel(int y)> matteRow_;
};

// Deterministic noise in 0..1 for texture (a hash of the coordinates and a seed).
double Noise(int x, int y, uint32_t seed);

} // namespace skingen

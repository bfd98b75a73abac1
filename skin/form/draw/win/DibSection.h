#pragma once
// A 32-bit top-down DIB section selected into its own memory DC: pixels the portable routines
// compose on (PixelView) and a DC that GDI can draw text into or blit from.
//
// Contract: Create() makes a width x height section (both 1..kMaxSide, at most kMaxPixels)
// compatible with `reference` (null: the screen), zero-filled; false and empty otherwise, or
// when GDI refuses (the section, the DC, or the select of one into the other). The section,
// the DC and the selection are released by the destructor or the next Create(). Call
// GdiFlush() (View() does) before touching pixels after GDI drew.
#include "base/Pixels.h"
#include "ui/graphics/GdiHandles.h"

namespace kv {

class DibSection {
public:
    DibSection() = default;
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;
    ~DibSection() { Destroy(); }

    bool Create(int width, int height, HDC reference = nullptr);
    void Destroy();

    bool Empty() const { return bits_ == nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    PixelView View() const;

private:
    // Declared in this order so that the selection goes first: the bitmap must leave the DC
    // before either is deleted.
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    SelectionGuard selection_;
    Pixel* bits_ = nullptr;
    int width_ = 0, height_ = 0;
};

} // namespace kv

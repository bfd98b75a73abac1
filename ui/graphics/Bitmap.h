#pragma once
// A bitmap on the pixel core: a 32-bit top-down DIB section that GDI can draw into and that
// pixel routines read and write through a kv::PixelView of its bits.
//
// Contract:
//  - Sizes are bounded by kv::kMaxSide per side and kv::kMaxPixels in all; SetSize outside
//    them (or with a negative side) raises EInvalidGraphic and leaves the bitmap as it was.
//    A side of 0 gives an empty bitmap (no DIB; drawing it does nothing).
//  - Resizing keeps the pixels of the overlapping area; new pixels are white.
//  - Pixels() flushes GDI's batch and returns a view of the bits, valid until the next
//    SetSize/Load/Assign. The alpha byte is carried but GDI ignores it.
//  - PixelFormat is a property only: pixels stay 32-bit inside; it decides what SaveToBytes
//    writes (pf32bit: 32 bits per pixel, everything else: 24) and is set by a load from the
//    file's bit count.
//  - Canvas() is a canvas over a memory DC with the bitmap selected; the DC is made on first
//    use and lives as long as the bitmap.
//  - Loads validate the whole file first (base/Bmp.h); a refused file raises EInvalidGraphic
//    with the reason and leaves the bitmap unchanged.
//  - With Transparent set, a canvas draws the bitmap without the pixels of TransparentColor
//    (clDefault: the colour of the bottom-left pixel).
#include "base/Pixels.h"
#include "ui/graphics/Canvas.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TStream;

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};

class TBitmap : public TObject {
    KV_CLASS(TBitmap, TObject)

public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);
    bool Empty() const { return width_ == 0 || height_ == 0; }

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format) { pixelFormat_ = format; }

    kv::PixelView Pixels();
    TCanvas& Canvas();
    HBITMAP Handle() const { return dib_.Get(); }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor color) { transparentColor_ = color; }

    // Copies the image, size, pixel format and transparency of `other`.
    void Assign(const TBitmap& other);
    // Copies pixels in (e.g. from a host-side PixelBuffer).
    void Assign(const kv::PixelView& pixels);
    // Copies the image of a bitmap made elsewhere; `bitmap` stays the caller's.
    void LoadFromHandle(HBITMAP bitmap);
    void LoadFromResourceName(HINSTANCE instance, const char* name);
    void LoadFromResourceID(HINSTANCE instance, int id);

    void LoadFromBytes(std::span<const uint8_t> bytes);
    std::vector<uint8_t> SaveToBytes();
    // One BMP file from the stream's position to its end; writing appends one file.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path);

private:
    class BitmapCanvas;

    void ReplaceDib(kv::UniqueBitmap dib, uint32_t* bits, int width, int height);

    kv::UniqueBitmap dib_;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat pixelFormat_ = pf32bit;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<BitmapCanvas> canvas_; // after dib_: goes first, deselecting the DIB
};

#pragma once
// A drawing surface over a device context, with its own font, brush and pen.
//
// Contract:
//  - SetHandle(dc) binds a DC the canvas does not own. The canvas selects its font, pen and
//    brush into it as operations need them; when the DC is unbound (SetHandle of another DC or
//    of nullptr, Refresh, destruction) the objects the DC had selected before, its text colour,
//    background colour and mode and its mix mode are put back. The DC itself is never deleted
//    or released by TCanvas.
//  - A change of Font, Brush or Pen while selected first puts the DC's own object back, so the
//    old GDI object is never deleted while selected; the next operation selects the new one.
//  - Brush.Style bsClear makes text and hatch backgrounds transparent.
//  - Subclasses that make their own DC (a bitmap's memory DC) override CreateHandle, which
//    Handle() calls when no DC is bound.
//  - Operations on a canvas without a DC do nothing (and return zero sizes).
//  - Text is ANSI in the code page of the system (the *W forms take UTF-16).
#include "ui/graphics/GraphicsObjects.h"

#include <string>
#include <vector>

class TBitmap;
class TIcon;

class TCanvas : public TObject {
    KV_CLASS(TCanvas, TObject)

public:
    TCanvas();
    ~TCanvas() override;

    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Puts the DC's own objects back (they are selected again on the next operation).
    void Refresh();

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    void SetBrush(const TBrush& brush) { brush_.Assign(brush); }
    void SetPen(const TPen& pen) { pen_.Assign(pen); }

    // The raster operation of Draw, StretchDraw and CopyRect (SRCCOPY by default).
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos();
    void Polyline(const std::vector<POINT>& points);
    void Polygon(const std::vector<POINT>& points);
    void DrawFocusRect(const RECT& rect);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    void TextOut(int x, int y, const std::string& text);
    void TextOutW(int x, int y, const std::wstring& text);
    // Text at (x, y), clipped to `rect`; with a non-clear brush the rectangle is filled first.
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    // DrawTextA with the canvas font and colours; returns the text height, updates `rect` when
    // `format` has DT_CALCRECT.
    int DrawText(const std::string& text, RECT& rect, UINT format);
    int DrawTextW(const std::wstring& text, RECT& rect, UINT format);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // A bitmap at (x, y): with its Transparent flag, pixels of its transparent colour are left
    // out; otherwise copied with CopyMode.
    void Draw(int x, int y, TBitmap& bitmap);
    void Draw(int x, int y, TIcon& icon);
    // A bitmap scaled into `rect` by nearest pixel (COLORONCOLOR), transparency as Draw.
    void StretchDraw(const RECT& rect, TBitmap& bitmap);
    // `source` of `from` into `dest` of this canvas with CopyMode, scaled when sizes differ.
    void CopyRect(const RECT& dest, TCanvas& from, const RECT& source);

protected:
    virtual void CreateHandle() {}

private:
    enum : uint8_t { kFontSelected = 1, kPenSelected = 2, kBrushSelected = 4 };

    void RequireFont();
    void RequirePen();
    void RequireBrush();
    void FontChanged();
    void PenChanged();
    void BrushChanged();
    void Unbind();

    TFont font_;
    TBrush brush_;
    TPen pen_;
    DWORD copyMode_ = SRCCOPY;

    HDC dc_ = nullptr;
    uint8_t selected_ = 0;
    // What the DC had before this canvas touched it (borrowed, put back on unbind).
    HGDIOBJ savedFont_ = nullptr;
    HGDIOBJ savedPen_ = nullptr;
    HGDIOBJ savedBrush_ = nullptr;
    COLORREF savedTextColor_ = 0;
    COLORREF savedBkColor_ = 0;
    int savedBkMode_ = 0;
    int savedRop2_ = 0;
};

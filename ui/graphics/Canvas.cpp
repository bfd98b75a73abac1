#include "ui/graphics/Canvas.h"

#include "ui/classes/Properties.h"

#include "ui/graphics/Bitmap.h"
#include "ui/graphics/Icon.h"

KV_DEFINE_PLAIN_CLASS(TCanvas, TObject)

TCanvas::TCanvas() {
    font_.OnChange = [this] { FontChanged(); };
    pen_.OnChange = [this] { PenChanged(); };
    brush_.OnChange = [this] { BrushChanged(); };
}

TCanvas::~TCanvas() {
    Unbind();
}

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    Unbind();
    if (!dc) return;
    dc_ = dc;
    savedTextColor_ = GetTextColor(dc);
    savedBkColor_ = GetBkColor(dc);
    savedBkMode_ = GetBkMode(dc);
    savedRop2_ = GetROP2(dc);
}

void TCanvas::Refresh() {
    if (!dc_) return;
    if (selected_ & kFontSelected) SelectObject(dc_, savedFont_);
    if (selected_ & kPenSelected) SelectObject(dc_, savedPen_);
    if (selected_ & kBrushSelected) SelectObject(dc_, savedBrush_);
    selected_ = 0;
}

void TCanvas::Unbind() {
    if (!dc_) return;
    Refresh();
    SetTextColor(dc_, savedTextColor_);
    SetBkColor(dc_, savedBkColor_);
    if (savedBkMode_) SetBkMode(dc_, savedBkMode_);
    if (savedRop2_) SetROP2(dc_, savedRop2_);
    dc_ = nullptr;
}

// Selecting replaces whatever this canvas selected before; only the DC's very first object
// is remembered, so the DC gets back what it had when it was bound.
void TCanvas::RequireFont() {
    HGDIOBJ previous = SelectObject(dc_, font_.Handle());
    if (!(selected_ & kFontSelected)) savedFont_ = previous;
    selected_ |= kFontSelected;
    ::SetTextColor(dc_, ColorToRGB(font_.Color()));
}

void TCanvas::RequirePen() {
    HGDIOBJ previous = SelectObject(dc_, pen_.Handle());
    if (!(selected_ & kPenSelected)) savedPen_ = previous;
    selected_ |= kPenSelected;
    SetROP2(dc_, pen_.Rop2());
}

void TCanvas::RequireBrush() {
    HGDIOBJ previous = SelectObject(dc_, brush_.Handle());
    if (!(selected_ & kBrushSelected)) savedBrush_ = previous;
    selected_ |= kBrushSelected;
    ::SetBkColor(dc_, ColorToRGB(brush_.Color()));
    SetBkMode(dc_, brush_.Style() == bsSolid ? OPAQUE : TRANSPARENT);
}

void TCanvas::FontChanged() {
    if (dc_ && (selected_ & kFontSelected)) {
        SelectObject(dc_, savedFont_);
        selected_ &= ~kFontSelected;
    }
}

void TCanvas::PenChanged() {
    if (dc_ && (selected_ & kPenSelected)) {
        SelectObject(dc_, savedPen_);
        selected_ &= ~kPenSelected;
    }
}

void TCanvas::BrushChanged() {
    if (dc_ && (selected_ & kBrushSelected)) {
        SelectObject(dc_, savedBrush_);
        selected_ &= ~kBrushSelected;
    }
}

void TCanvas::FillRect(const RECT& rect) {
    if (!Handle()) return;
    RequireBrush();
    ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
    if (!Handle()) return;
    RequireBrush();
    ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (!Handle()) return;
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (!Handle()) return;
    RequirePen();
    RequireBrush();
    ::Ellipse(dc_, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
    if (Handle()) MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    if (!Handle()) return;
    RequirePen();
    ::LineTo(dc_, x, y);
}

POINT TCanvas::PenPos() {
    POINT p{};
    if (Handle()) GetCurrentPositionEx(dc_, &p);
    return p;
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
    if (!Handle() || points.empty()) return;
    RequirePen();
    ::Polyline(dc_, points.data(), int(points.size()));
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
    if (!Handle() || points.empty()) return;
    RequirePen();
    RequireBrush();
    ::Polygon(dc_, points.data(), int(points.size()));
}

void TCanvas::DrawFocusRect(const RECT& rect) {
    if (!Handle()) return;
    RequireBrush();
    ::DrawFocusRect(dc_, &rect);
}

TColor TCanvas::Pixel(int x, int y) {
    return Handle() ? GetPixel(dc_, x, y) : clNone;
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (Handle()) ::SetPixel(dc_, x, y, ColorToRGB(color));
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    if (!Handle()) return;
    RequireFont();
    RequireBrush();
    ::TextOutA(dc_, x, y, text.data(), int(text.size()));
}

void TCanvas::TextOutW(int x, int y, const std::wstring& text) {
    if (!Handle()) return;
    RequireFont();
    RequireBrush();
    ::TextOutW(dc_, x, y, text.data(), int(text.size()));
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
    if (!Handle()) return;
    RequireFont();
    RequireBrush();
    UINT options = ETO_CLIPPED | (brush_.Style() == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutA(dc_, x, y, options, &rect, text.data(), UINT(text.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format) {
    if (!Handle()) return 0;
    RequireFont();
    RequireBrush();
    return ::DrawTextA(dc_, text.data(), int(text.size()), &rect, format);
}

int TCanvas::DrawTextW(const std::wstring& text, RECT& rect, UINT format) {
    if (!Handle()) return 0;
    RequireFont();
    RequireBrush();
    return ::DrawTextW(dc_, text.data(), int(text.size()), &rect, format);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    SIZE size{};
    if (!Handle()) return size;
    RequireFont();
    GetTextExtentPoint32A(dc_, text.data(), int(text.size()), &size);
    return size;
}

namespace {

COLORREF TransparentKey(TBitmap& bitmap) {
    TColor key = bitmap.TransparentColor();
    if (key == clDefault) { // the bottom-left pixel decides
        kv::PixelView view = bitmap.Pixels();
        return kv::ToColorRef(view.At(0, view.height - 1));
    }
    return ColorToRGB(key);
}

class StretchModeGuard {
public:
    explicit StretchModeGuard(HDC dc) : dc_(dc), saved_(SetStretchBltMode(dc, COLORONCOLOR)) {}
    ~StretchModeGuard() {
        if (saved_) SetStretchBltMode(dc_, saved_);
    }
    StretchModeGuard(const StretchModeGuard&) = delete;
    StretchModeGuard& operator=(const StretchModeGuard&) = delete;

private:
    HDC dc_;
    int saved_;
};

} // namespace

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    RECT rect{x, y, x + bitmap.Width(), y + bitmap.Height()};
    StretchDraw(rect, bitmap);
}

void TCanvas::Draw(int x, int y, TIcon& icon) {
    if (!Handle() || icon.Empty()) return;
    DrawIconEx(dc_, x, y, icon.Handle(), 0, 0, 0, nullptr, DI_NORMAL);
}

void TCanvas::StretchDraw(const RECT& rect, TBitmap& bitmap) {
    if (!Handle() || bitmap.Empty()) return;
    HDC source = bitmap.Canvas().Handle();
    if (!source || source == dc_) return;
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    StretchModeGuard mode(dc_);
    if (bitmap.Transparent()) {
        TransparentBlt(dc_, rect.left, rect.top, w, h, source, 0, 0, bitmap.Width(),
                       bitmap.Height(), TransparentKey(bitmap));
    } else if (w == bitmap.Width() && h == bitmap.Height()) {
        BitBlt(dc_, rect.left, rect.top, w, h, source, 0, 0, copyMode_);
    } else {
        StretchBlt(dc_, rect.left, rect.top, w, h, source, 0, 0, bitmap.Width(), bitmap.Height(),
                   copyMode_);
    }
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& from, const RECT& source) {
    HDC sourceDC = from.Handle();
    if (!Handle() || !sourceDC) return;
    StretchModeGuard mode(dc_);
    RequireBrush(); // raster operations with a pattern use the canvas brush
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, sourceDC,
               source.left, source.top, source.right - source.left, source.bottom - source.top,
               copyMode_);
}

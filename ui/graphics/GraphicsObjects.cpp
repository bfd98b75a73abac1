#include "ui/graphics/GraphicsObjects.h"

#include "ui/classes/Properties.h"

#include <algorithm>
#include <cwchar>

KV_DEFINE_PLAIN_CLASS(TGraphicsObject, TObject)

KV_DEFINE_CLASS(TFont, TGraphicsObject, [](TPropertyBuilder<TFont>& p) {
    p.Integer("Charset", &TFont::Charset, &TFont::SetCharset);
    p.Integer("Color", &TFont::Color, &TFont::SetColor).identToInt = ColorIdentToInt;
    p.Integer("Height", &TFont::Height, &TFont::SetHeight);
    p.String("Name", &TFont::Name, &TFont::SetName);
    p.Integer("Size", &TFont::Size, &TFont::SetSize);
    p.Set("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style,
          &TFont::SetStyle);
})

KV_DEFINE_CLASS(TBrush, TGraphicsObject, [](TPropertyBuilder<TBrush>& p) {
    p.Integer("Color", &TBrush::Color, &TBrush::SetColor).identToInt = ColorIdentToInt;
    p.Enum("Style",
           {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
            "bsCross", "bsDiagCross"},
           &TBrush::Style, &TBrush::SetStyle);
})

KV_DEFINE_CLASS(TPen, TGraphicsObject, [](TPropertyBuilder<TPen>& p) {
    p.Integer("Color", &TPen::Color, &TPen::SetColor).identToInt = ColorIdentToInt;
    p.Enum("Mode",
           {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
            "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
            "pmNotMask", "pmXor", "pmNotXor"},
           &TPen::Mode, &TPen::SetMode);
    p.Enum("Style",
           {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"},
           &TPen::Style, &TPen::SetStyle);
    p.Integer("Width", &TPen::Width, &TPen::SetWidth);
})

int ScreenPixelsPerInch() {
    static const int ppi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return ppi;
}

namespace {

// The ANSI code page that text of a font charset is written in (CP_ACP for DEFAULT_CHARSET
// and for charsets Windows does not map).
UINT CodePageOfCharset(uint8_t charset) {
    if (charset == DEFAULT_CHARSET) return CP_ACP;
    CHARSETINFO info{};
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(uintptr_t(charset)), &info, TCI_SRCCHARSET))
        return info.ciACP;
    return CP_ACP;
}

void CopyFaceName(const std::string& name, uint8_t charset, WCHAR (&face)[LF_FACESIZE]) {
    face[0] = 0;
    if (name.empty()) return;
    int n = MultiByteToWideChar(CodePageOfCharset(charset), 0, name.data(), int(name.size()), face,
                                LF_FACESIZE - 1);
    if (n <= 0)
        n = MultiByteToWideChar(CP_ACP, 0, name.data(), int(name.size()), face, LF_FACESIZE - 1);
    face[std::max(n, 0)] = 0;
}

std::string FaceNameToAnsi(const WCHAR* face, uint8_t charset) {
    char buffer[LF_FACESIZE * 2 + 1];
    int n = WideCharToMultiByte(CodePageOfCharset(charset), 0, face, -1, buffer, sizeof buffer - 1,
                                nullptr, nullptr);
    if (n <= 0) return {};
    buffer[n] = 0;
    return buffer;
}

} // namespace

// ---- TFont ------------------------------------------------------------------------------------

TFont::TFont()
    : name_("MS Sans Serif"), charset_(DEFAULT_CHARSET), height_(-11), color_(clWindowText) {}

void TFont::Changed() {
    auto old = handle_.Detach(); // deleted after the listeners have let go of it
    NotifyChange();
}

void TFont::SetName(const std::string& name) {
    if (name == name_ && !handle_.Borrowed()) return;
    name_ = name;
    Changed();
}

void TFont::SetCharset(uint8_t charset) {
    if (charset == charset_ && !handle_.Borrowed()) return;
    charset_ = charset;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_ && !handle_.Borrowed()) return;
    height_ = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetStyle(TFontStyles style) {
    style &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (style == style_ && !handle_.Borrowed()) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    // The colour is not part of the GDI font: the handle stays.
    if (color == color_) return;
    color_ = color;
    NotifyChange();
}

LOGFONTW TFont::ToLogFont() const {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    CopyFaceName(name_, charset_, lf.lfFaceName);
    return lf;
}

HFONT TFont::Handle() {
    if (!handle_.Get()) {
        LOGFONTW lf = ToLogFont();
        HFONT made = CreateFontIndirectW(&lf);
        if (made)
            handle_.Own(made);
        else
            handle_.Borrow(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    }
    return handle_.Get();
}

void TFont::SetHandle(HFONT font) {
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf{};
    if (!GetObjectW(font, sizeof lf, &lf)) return; // not a font: keep what we have
    auto old = handle_.Detach();
    height_ = lf.lfHeight;
    charset_ = lf.lfCharSet;
    style_ = TFontStyles((lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
                         (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0));
    name_ = FaceNameToAnsi(lf.lfFaceName, charset_);
    handle_.Borrow(font);
    NotifyChange();
}

void TFont::Assign(const TFont& other) {
    if (&other == this || SameAs(other)) return;
    name_ = other.name_;
    charset_ = other.charset_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && charset_ == other.charset_ && height_ == other.height_ &&
           style_ == other.style_ && color_ == other.color_;
}

// ---- TBrush -----------------------------------------------------------------------------------

void TBrush::Changed() {
    auto old = handle_.Detach();
    NotifyChange();
}

void TBrush::SetColor(TColor color) {
    if (color == color_ && !handle_.Borrowed()) return;
    color_ = color;
    if (style_ == bsClear) style_ = bsSolid; // a colour asks for paint
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_ && !handle_.Borrowed()) return;
    style_ = style;
    Changed();
}

void TBrush::SetBitmap(HBITMAP bitmap) {
    if (bitmap == bitmap_ && !handle_.Borrowed()) return;
    bitmap_ = bitmap;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (handle_.Get()) return handle_.Get();
    if (bitmap_) {
        handle_.Own(CreatePatternBrush(bitmap_));
    } else if (style_ == bsClear) {
        handle_.Borrow(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    } else if (style_ == bsSolid) {
        handle_.Own(CreateSolidBrush(ColorToRGB(color_)));
    } else {
        static constexpr int kHatch[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                         HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
        handle_.Own(CreateHatchBrush(kHatch[style_ - bsHorizontal], ColorToRGB(color_)));
    }
    if (!handle_.Get()) handle_.Borrow(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return handle_.Get();
}

void TBrush::SetHandle(HBRUSH brush) {
    LOGBRUSH lb{};
    if (!brush || !GetObjectW(brush, sizeof lb, &lb)) return;
    auto old = handle_.Detach();
    bitmap_ = nullptr;
    color_ = lb.lbColor & 0xFFFFFF;
    if (lb.lbStyle == BS_NULL) {
        style_ = bsClear;
    } else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS) {
        style_ = TBrushStyle(bsHorizontal + int(lb.lbHatch));
    } else {
        style_ = bsSolid;
    }
    handle_.Borrow(brush);
    NotifyChange();
}

void TBrush::Assign(const TBrush& other) {
    if (&other == this) return;
    color_ = other.color_;
    style_ = other.style_;
    bitmap_ = other.bitmap_;
    Changed();
}

// ---- TPen -------------------------------------------------------------------------------------

void TPen::Changed() {
    auto old = handle_.Detach();
    NotifyChange();
}

void TPen::SetColor(TColor color) {
    if (color == color_ && !handle_.Borrowed()) return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    width = std::max(width, 0);
    if (width == width_ && !handle_.Borrowed()) return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_ && !handle_.Borrowed()) return;
    style_ = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    // The mix mode is DC state, not part of the pen: the handle stays.
    if (mode == mode_) return;
    mode_ = mode;
    NotifyChange();
}

int TPen::Rop2() const {
    static constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return kRop2[mode_];
}

HPEN TPen::Handle() {
    if (handle_.Get()) return handle_.Get();
    static constexpr int kStyle[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                     PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    if (style_ == psClear)
        handle_.Borrow(static_cast<HPEN>(GetStockObject(NULL_PEN)));
    else
        handle_.Own(CreatePen(kStyle[style_], width_, ColorToRGB(color_)));
    if (!handle_.Get()) handle_.Borrow(static_cast<HPEN>(GetStockObject(BLACK_PEN)));
    return handle_.Get();
}

void TPen::SetHandle(HPEN pen) {
    LOGPEN lp{};
    if (!pen || !GetObjectW(pen, sizeof lp, &lp)) return;
    auto old = handle_.Detach();
    color_ = lp.lopnColor & 0xFFFFFF;
    width_ = int(lp.lopnWidth.x);
    switch (lp.lopnStyle & PS_STYLE_MASK) {
    case PS_DASH:
        style_ = psDash;
        break;
    case PS_DOT:
        style_ = psDot;
        break;
    case PS_DASHDOT:
        style_ = psDashDot;
        break;
    case PS_DASHDOTDOT:
        style_ = psDashDotDot;
        break;
    case PS_NULL:
        style_ = psClear;
        break;
    case PS_INSIDEFRAME:
        style_ = psInsideFrame;
        break;
    default:
        style_ = psSolid;
        break;
    }
    handle_.Borrow(pen);
    NotifyChange();
}

void TPen::Assign(const TPen& other) {
    if (&other == this) return;
    color_ = other.color_;
    width_ = other.width_;
    style_ = other.style_;
    mode_ = other.mode_;
    Changed();
}

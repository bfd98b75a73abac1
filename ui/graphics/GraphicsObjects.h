#pragma once
// Fonts, brushes and pens: descriptions that make their GDI object on demand.
//
// Contract:
//  - Each object keeps a description (name, size, colour...) and a handle made from it the
//    first time Handle() is asked for. The object owns the handle it made and deletes it.
//  - SetHandle(h) adopts the description of a handle made elsewhere and BORROWS it: Handle()
//    returns h until the next change, and h is never deleted (a DC's current brush, a stock
//    object, a window's WM_GETFONT font). A null font handle means the default GUI font.
//  - Every change of the description drops the current handle and calls OnChange. The old
//    handle is deleted only after OnChange returns, so a canvas that has it selected can
//    select the new one first (a selected object is never deleted).
//  - Assign copies the description, never the handle.
#include "ui/classes/Exception.h"
#include "ui/classes/Object.h"
#include "ui/graphics/Colors.h"
#include "ui/graphics/GdiHandles.h"

#include <functional>
#include <string>

// An image that cannot be made or read (bad file, missing resource, size out of range).
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};

class TGraphicsObject : public TObject {
    KV_CLASS(TGraphicsObject, TObject)

public:
    std::function<void()> OnChange;

protected:
    void NotifyChange() {
        if (OnChange) OnChange();
    }
};

// A GDI object that is either owned (made here) or borrowed (adopted from elsewhere).
template <typename Handle> class GdiSlot {
public:
    Handle Get() const { return owned_ ? owned_.Get() : borrowed_; }
    bool Borrowed() const { return borrowed_ != nullptr; }
    void Own(Handle handle) {
        owned_.Reset(handle);
        borrowed_ = nullptr;
    }
    void Borrow(Handle handle) {
        owned_.Reset();
        borrowed_ = handle;
    }
    // Empties the slot; the owned handle (if any) dies with the returned owner.
    kv::UniqueHandle<Handle, kv::GdiObjectDeleter> Detach() {
        borrowed_ = nullptr;
        return std::move(owned_);
    }

private:
    kv::UniqueHandle<Handle, kv::GdiObjectDeleter> owned_;
    Handle borrowed_ = nullptr;
};

using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// The screen's pixels per inch (LOGPIXELSY), read once.
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
    KV_CLASS(TFont, TGraphicsObject)

public:
    TFont(); // "MS Sans Serif", height -11, DEFAULT_CHARSET, clWindowText, no style

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    uint8_t Charset() const { return charset_; }
    void SetCharset(uint8_t charset);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points, from and to Height at ScreenPixelsPerInch().
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    HFONT Handle();
    void SetHandle(HFONT font);
    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;

    // The face name is ANSI text in the code page of the charset (GB2312 for 134, Big5 for
    // 136); the font is made through LOGFONTW so such names reach GDI intact.
    LOGFONTW ToLogFont() const;

private:
    void Changed();

    std::string name_;
    uint8_t charset_;
    int height_;
    TFontStyles style_ = 0;
    TColor color_;
    GdiSlot<HFONT> handle_;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject {
    KV_CLASS(TBrush, TGraphicsObject)

public:
    TBrush() = default; // solid white

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // A pattern brush of a bitmap (borrowed; it must outlive the brush's use). Null removes it.
    HBITMAP Bitmap() const { return bitmap_; }
    void SetBitmap(HBITMAP bitmap);

    HBRUSH Handle();
    void SetHandle(HBRUSH brush);
    void Assign(const TBrush& other);

private:
    void Changed();

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    HBITMAP bitmap_ = nullptr;
    GdiSlot<HBRUSH> handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
    KV_CLASS(TPen, TGraphicsObject)

public:
    TPen() = default; // solid black, width 1, pmCopy

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);
    int Rop2() const; // the SetROP2 value of Mode

    HPEN Handle();
    void SetHandle(HPEN pen);
    void Assign(const TPen& other);

private:
    void Changed();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    GdiSlot<HPEN> handle_;
};

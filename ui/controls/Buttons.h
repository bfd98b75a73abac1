// Buttons with glyphs: TBitBtn (a push button window) and TSpeedButton (windowless).
//
// Contract:
//  - Glyph is a strip of NumGlyphs (1..4) equal frames: 1 up, 2 disabled, 3 pressed, 4 latched
//    down; a frame the strip lacks shows frame 1. The colour of the strip's bottom-left pixel
//    is transparent. Layouts give it as BMP bytes (Glyph = resource '..' or { .. }).
//  - Glyph and caption are laid out by Layout (glyph left, right, top or bottom of the
//    caption), Margin (-1: centred) and Spacing (-1: spread evenly) — LayoutGlyphAndCaption.
//  - TBitBtn is an owner-drawn "BUTTON" under the class "TBitBtn": a click behaves as a
//    TButton's (OnClick, then ModalResult to the form). Kind other than bkCustom sets the
//    caption, ModalResult, Default and Cancel of that kind.
//  - TSpeedButton: a press shows it pressed while the mouse is over it; the release over it
//    clicks. With GroupIndex it latches: Down buttons of one GroupIndex among the siblings are
//    exclusive; a click on the down one raises it only with AllowAllUp. Without GroupIndex it
//    never stays down. Flat shows the frame only while the mouse is over it or it is down.
#pragma once

#include "ui/controls/StdCtrls.h"
#include "ui/graphics/Bitmap.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TGlyphLayout {
    POINT glyph;
    RECT caption;
};
// Places a glyph of glyphSize and a caption of textSize in a client of clientSize.
TGlyphLayout LayoutGlyphAndCaption(SIZE clientSize, SIZE glyphSize, SIZE textSize,
                                   TButtonLayout layout, int margin, int spacing);

// What glyph buttons share: the strip, its frames and how they sit beside the caption.
class TButtonGlyph {
public:
    TBitmap& Bitmap() { return bitmap_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n) { numGlyphs_ = n < 1 ? 1 : n > 4 ? 4 : n; }
    SIZE FrameSize() const;
    // Draws frame (1..4) at (x, y), its transparent colour left out.
    void Draw(HDC dc, int x, int y, int frame);
    // Glyph and caption in rect, in the given font and text colour.
    void DrawWithCaption(HDC dc, const RECT& rect, const std::string& caption, HFONT font,
                         COLORREF textColor, int frame, TButtonLayout layout, int margin,
                         int spacing);

private:
    TBitmap bitmap_;
    int numGlyphs_ = 1;
};

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

class TBitBtn : public TButton {
    KV_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);
    TBitmap& Glyph() { return glyph_.Bitmap(); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int n);
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind k);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout l);
    int Margin() const { return margin_; }
    void SetMargin(int m);
    int Spacing() const { return spacing_; }
    void SetSpacing(int s);
    void ReadGlyph(TStream& stream);
    void WriteGlyph(TStream& stream) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);

    TButtonGlyph glyph_;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

class TSpeedButton : public TGraphicControl {
    KV_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);
    TBitmap& Glyph() { return glyph_.Bitmap(); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int n);
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int g);
    bool Down() const { return down_; }
    void SetDown(bool on);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool on) { allowAllUp_ = on; }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout l);
    int Margin() const { return margin_; }
    void SetMargin(int m);
    int Spacing() const { return spacing_; }
    void SetSpacing(int s);
    bool MouseInControl() const { return hot_; }
    void ReadGlyph(TStream& stream);
    void WriteGlyph(TStream& stream) const;
    void Click() override;

protected:
    void Paint(HDC dc) override;
    void WndProc(TMessage& message) override;
    void TextChanged() override { Invalidate(); }

private:
    void RaiseOthersInGroup();

    TButtonGlyph glyph_;
    bool flat_ = false;
    bool transparent_ = true;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool hot_ = false;
    bool pressed_ = false;   // the mouse went down on it and is still down
    bool pressedIn_ = false; // ... and is over it now
};

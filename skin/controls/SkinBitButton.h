#pragma once
// TSkinBitButton: a push button with a glyph beside its caption (TBitBtn), drawn as a state
// frame of the skin's Buttons image with the glyph and caption laid out on top. Mouse and
// keys behave as TSkinButton's.
//
// Contract
// - The glyph strip is sliced by state only when it holds exactly 4 glyphs: normal and hot
//   show glyph 1, pressed glyph 3, disabled glyph 2; any other count always shows glyph 1.
//   The colour of the frame's top-left pixel is transparent.
// - The caption is the control's text in its font and font colour; a disabled caption is not
//   greyed. Layout, margin and spacing are the control's (LayoutGlyphAndCaption).
#include "skin/controls/SkinButton.h"

class TBitmap;

namespace kv {

int GlyphFrame(ButtonState state, int numGlyphs);

class TSkinBitButton : public TSkinButton {
    KV_CLASS(TSkinBitButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests: the glyph frame of the last paint.
    int LastGlyph() const { return lastGlyph_; }

protected:
    void DrawContents(const RECT& client, ButtonState state) override;
    // The caption's size in the bitmap's selected font (0 x 0 without a caption).
    SIZE MeasureCaption(const RECT& client);
    // Frame `frame` (from 1) of a glyph strip at `at`, its top-left colour transparent.
    void DrawGlyph(TBitmap& strip, SIZE glyphSize, int frame, POINT at);
    // The caption at its laid-out place, aligned as the glyph position asks.
    void DrawLaidOutCaption(RECT caption, int layout, COLORREF colour);

    int lastGlyph_ = 0;
};

} // namespace kv

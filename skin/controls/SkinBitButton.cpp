#include "skin/controls/SkinBitButton.h"

#include "skin/controls/ControlText.h"
#include "skin/form/draw/SkinDraw.h"
#include "ui/classes/Properties.h"
#include "ui/controls/Buttons.h"
#include "ui/graphics/Colors.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinBitButton, TSkinButton)

namespace {

// DrawTextW alignment for each glyph position (left, right, top, bottom of the caption).
constexpr UINT kCaptionAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER, DT_CENTER};

} // namespace

int GlyphFrame(ButtonState state, int numGlyphs) {
    if (numGlyphs != 4) return 1;
    switch (state) {
    case bsPressed:
        return 3;
    case bsDisabled:
        return 2;
    default:
        return 1;
    }
}

void TSkinBitButton::DrawSkin(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    auto* bit = dynamic_cast<TBitBtn*>(FControl);
    if (!bit || !skin || skin->Buttons.Bitmap.Empty() || Inverted(rect)) return;
    RefreshFlags();
    FEnabled = bit->Enabled();
    FCaption = AnsiToWide(bit->Caption());
    ComposeFace(dc, rect, skin->Buttons.FrameCount,
                PushButtonState(FFocused, FMouseState & kMouseDown, FMouseState & kMouseHot,
                                FEnabled));
}

void TSkinBitButton::DrawContents(const RECT& client, ButtonState state) {
    auto* bit = static_cast<TBitBtn*>(FControl);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    SelectionGuard selected(bitmap_.Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TBitmap& glyph = bit->Glyph();
    const int count = bit->NumGlyphs();
    SIZE glyphSize{};
    if (!glyph.Empty() && count > 0) glyphSize = {glyph.Width() / count, glyph.Height()};
    const TGlyphLayout at =
        LayoutGlyphAndCaption({client.right, client.bottom}, glyphSize, MeasureCaption(client),
                              bit->Layout(), bit->Margin(), bit->Spacing());
    lastGlyph_ = GlyphFrame(state, count);
    DrawGlyph(glyph, glyphSize, lastGlyph_, at.glyph);
    DrawLaidOutCaption(at.caption, bit->Layout(), ColorToRGB(bit->Font().Color()));
}

SIZE TSkinBitButton::MeasureCaption(const RECT& client) {
    if (FCaption.empty()) return {};
    RECT measured{0, 0, client.right, client.bottom};
    DrawTextW(bitmap_.Dc(), FCaption.c_str(), int(FCaption.size()), &measured,
              DT_CALCRECT | DT_NOCLIP);
    return {measured.right - measured.left, measured.bottom - measured.top};
}

void TSkinBitButton::DrawGlyph(TBitmap& strip, SIZE glyphSize, int frame, POINT at) {
    if (glyphSize.cx <= 0) return;
    const PixelView pixels = strip.Pixels();
    const PixelView piece{pixels.pixels + size_t(frame - 1) * size_t(glyphSize.cx), glyphSize.cx,
                          glyphSize.cy, pixels.stride};
    DrawTransparent(bitmap_.View(), {at.x, at.y, at.x + glyphSize.cx, at.y + glyphSize.cy}, piece,
                    RgbOf(piece.pixels[0]));
}

void TSkinBitButton::DrawLaidOutCaption(RECT caption, int layout, COLORREF colour) {
    HDC dc = bitmap_.Dc();
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, FCaption.c_str(), int(FCaption.size()), &caption, kCaptionAlign[layout & 3]);
    SetBkMode(dc, oldMode);
}

} // namespace kv

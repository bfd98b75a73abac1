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
    const ButtonState state =
        PushButtonState(FFocused, FMouseState & kMouseDown, FMouseState & kMouseHot, FEnabled);
    lastState_ = state;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if ((bitmap_.Width() != w || bitmap_.Height() != h) && !bitmap_.Create(w, h, dc)) return;
    FillFace(bitmap_.Dc(), RECT{0, 0, w, h});
    DrawStateFrame(bitmap_.View(), PixelRect{0, 0, w, h}, skin->Buttons.FrameCount, state,
                   skin->Buttons);
    DrawGlyphAndCaption(RECT{0, 0, w, h}, state);
    BitBlt(dc, rect.left, rect.top, w, h, bitmap_.Dc(), 0, 0, SRCCOPY);
}

void TSkinBitButton::DrawGlyphAndCaption(const RECT& client, ButtonState state) {
    auto* bit = static_cast<TBitBtn*>(FControl);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    SelectionGuard selected(bitmap_.Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TBitmap& glyph = bit->Glyph();
    const int count = bit->NumGlyphs();
    SIZE glyphSize{};
    if (!glyph.Empty() && count > 0) glyphSize = {glyph.Width() / count, glyph.Height()};
    RECT measured{0, 0, client.right, client.bottom};
    if (!FCaption.empty())
        DrawTextW(bitmap_.Dc(), FCaption.c_str(), int(FCaption.size()), &measured,
                  DT_CALCRECT | DT_NOCLIP);
    const SIZE textSize =
        FCaption.empty() ? SIZE{}
                         : SIZE{measured.right - measured.left, measured.bottom - measured.top};
    const TGlyphLayout at =
        LayoutGlyphAndCaption({client.right, client.bottom}, glyphSize, textSize, bit->Layout(),
                              bit->Margin(), bit->Spacing());
    lastGlyph_ = GlyphFrame(state, count);
    if (glyphSize.cx > 0) {
        const PixelView strip = glyph.Pixels();
        const PixelView frame{strip.pixels + size_t(lastGlyph_ - 1) * size_t(glyphSize.cx),
                              glyphSize.cx, glyphSize.cy, strip.stride};
        DrawTransparent(
            bitmap_.View(),
            {at.glyph.x, at.glyph.y, at.glyph.x + glyphSize.cx, at.glyph.y + glyphSize.cy}, frame,
            RgbOf(frame.pixels[0]));
    }
    RECT caption = at.caption;
    const int oldMode = SetBkMode(bitmap_.Dc(), TRANSPARENT);
    SetTextColor(bitmap_.Dc(), ColorToRGB(bit->Font().Color()));
    DrawTextW(bitmap_.Dc(), FCaption.c_str(), int(FCaption.size()), &caption,
              kCaptionAlign[bit->Layout() & 3]);
    SetBkMode(bitmap_.Dc(), oldMode);
}

} // namespace kv

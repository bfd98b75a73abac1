#pragma once
// TSkinSpeedButton: a windowless speed button drawn as a state frame of the skin's Buttons
// image with its glyph and caption; the button keeps its own press handling and click.
//
// Contract
// - Attached with AttachGraphic: the button's message method is replaced; there is no window
//   handle. It paints into the DC its parent hands it (WM_PAINT) or, for immediate feedback,
//   into the parent's window at the button's place.
// - States: pressed (mouse or space) 2, else hot 4, else 1; disabled 3; latched down 2 even
//   when disabled. Glyphs as TSkinBitButton's, glyph 1 where the strip lacks the one asked for.
// - With an automatic margin and a fixed spacing, glyph and caption sit one pixel further on.
#include "skin/controls/SkinBitButton.h"

class TSpeedButton;

namespace kv {

ButtonState SpeedButtonState(bool down, bool hot, bool enabled, bool latched);

class TSkinSpeedButton : public TSkinBitButton {
    KV_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
    using TSkinBitButton::TSkinBitButton;
    ~TSkinSpeedButton() override;

    void AttachGraphic(TWinSkinForm* form, TSkinData* skinData);
    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void PaintSkin(HDC dc) override;
    void SkinChanged() override;
    void DrawSpeedButton(HDC dc, const RECT& rect);
    TControl* Served() const override;

protected:
    void DrawContents(const RECT& client, ButtonState state) override;

private:
    TSpeedButton* FGraphicControl = nullptr;
};

} // namespace kv

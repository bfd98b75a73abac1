#pragma once
// TSkinComBox: a combo box's border (SunkEdge), drop-down button (ComboButton) and arrow glyph
// (frames 1-4 of ExtraImages) drawn from the skin after the control's own painting; the text
// area stays the control's.
//
// Contract
// - State (the frame of all three images): 1 normal, 3 disabled, 4 focused; pressed (2) and
//   hot (4) override both, so a hovered disabled combo box shows 4.
// - WS_EX_LEFTSCROLLBAR puts the button, drawn from the mirrored image, on the left.
// - The text area is kept out of the drawing by a clip on the DC that is put back afterwards,
//   whoever's DC it is.
// - ComboButton with Style 1 is the flat variant: the DC's current brush (borrowed, never
//   deleted nor left changed) under a button that ends SM_CYVTHUMB pixels from the right.
// - An empty ComboButton image draws nothing; an empty SunkEdge draws nothing in the framed
//   variant; an empty ExtraImages draws no glyph.
#include "skin/controls/SkinControl.h"

namespace kv {

int ComboState(bool enabled, bool focused, bool down, bool hot);

class TSkinComBox : public TSkinControl {
    KV_CLASS(TSkinComBox, TSkinControl)
public:
    explicit TSkinComBox(TComponent* owner) : TSkinControl(owner) {}

    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests: the state of the last paint (0: nothing drawn) and its button.
    int LastState() const { return lastState_; }
    const RECT& LastButton() const { return lastButton_; }

private:
    void DrawFramed(HDC dc, const RECT& rect, int state);
    void DrawFlat(HDC dc, const RECT& rect);
    void SetMouse(uint8_t flag, bool on);

    DWORD FStyle = 0;
    DWORD FExStyle = 0;
    int lastState_ = 0;
    RECT lastButton_{};
};

} // namespace kv

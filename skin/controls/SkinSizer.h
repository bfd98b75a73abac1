#pragma once
// TSkinSizer: the skin of a bare size-grip or size-box scroll bar in a dialog: framed in the
// skin's ButtonShadowColour instead of the grip's own look.
//
// Contract: WM_PAINT never reaches the control; it is answered with BeginPaint and EndPaint,
// so the window is validated and receives no further WM_PAINT until something invalidates it.
#include "skin/controls/SkinControl.h"

namespace kv {

class TSkinSizer : public TSkinControl {
    KV_CLASS(TSkinSizer, TSkinControl)
public:
    explicit TSkinSizer(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests: paints answered so far.
    int Paints() const { return paints_; }

private:
    int paints_ = 0;
};

} // namespace kv

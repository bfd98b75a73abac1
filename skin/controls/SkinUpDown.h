#pragma once
// TSkinUpDown: the two arrow buttons of an up-down control drawn from the skin's UpDownVert or
// UpDownHorz (frames 1-4 the first button, up or left, normal/pressed/disabled/hot; frames 5-8
// the second) with the arrow glyphs of its second image centred on them.
//
// Contract
// - The control keeps its own press handling, auto-repeat and capture: the press reaches its
//   procedure first, then the skin repaints with the button under the cursor pressed.
// - Button state: 3 both when disabled; otherwise the button the cursor is not over is normal,
//   and the one it is over is pressed while the left button is held, hot while hovered.
// - Without the images object or its glyphs the buttons are plain rectangles with line arrows
//   in the skin's button colours.
// - Inset (for up-downs inside edit boxes) draws one pixel inside the client area; Horizontal
//   puts the arrows side by side whatever the window style.
#include "skin/controls/SkinControl.h"
#include "skin/form/draw/win/DibSection.h"

namespace kv {

enum ArrowKind : int { akUp, akDown, akLeft, akRight };

class TSkinUpDown : public TSkinControl {
    KV_CLASS(TSkinUpDown, TSkinControl)
public:
    explicit TSkinUpDown(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    void SetInset(bool inset) { FInset = inset; }
    void SetHorizontal(bool horizontal) { FHorizontal = horizontal ? 1 : 0; }

    // Diagnostics for tests: the states (1-4) of the two buttons at the last paint.
    int LastFirstState() const { return lastStates_[0]; }
    int LastSecondState() const { return lastStates_[1]; }

private:
    int ButtonState(bool first, bool onFirstSide) const;
    void DrawArrowSkin(const RECT& button, bool first, int state);
    void DrawArrowPlain(const RECT& button, ArrowKind kind, int state);
    void TrackHover();

    bool FInset = false;
    int32_t FHorizontal = 0;
    DibSection face_;
    int lastStates_[2] = {0, 0};
    int hoverSide_ = -1; // which half the cursor was over at the last paint
};

} // namespace kv

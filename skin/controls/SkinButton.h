#pragma once
// TSkinButton: a push button drawn as a state frame of the skin's Buttons image with its
// caption on top; the button's own painting is suppressed and the click is made here.
//
// Contract
// - States: 1 normal, 2 pressed, 3 disabled, 4 hot or focused; disabled wins over everything,
//   pressed over hot. The state is the frame of the five-frame Buttons image.
// - A press is consumed (the button's own procedure never sees it) and takes no capture: a
//   click needs the press and the release over the button, and dragging off clears the press
//   (mouse-left), so the later release clicks nothing. Space keeps the button's own click.
// - The click is the last thing a release does: the click may free this object.
// - Each paint is composed in a private bitmap owned by the object and copied out once.
#include "skin/controls/SkinControl.h"
#include "skin/form/draw/win/DibSection.h"

namespace kv {

enum ButtonState : int { bsNormal = 1, bsPressed = 2, bsDisabled = 3, bsHot = 4 };

ButtonState PushButtonState(bool focused, bool down, bool hot, bool enabled);

class TSkinButton : public TSkinControl {
    KV_CLASS(TSkinButton, TSkinControl)
public:
    explicit TSkinButton(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests: the state of the last paint.
    ButtonState LastState() const { return lastState_; }

protected:
    void OnMouseMove();
    void OnMouseEnter();
    void OnMouseLeave();
    void OnRelease();
    void Click();
    void RefreshCaption();
    // Composes the face of `state` (frame of `frames` in the skin's Buttons image) in the
    // private bitmap, lets DrawContents draw on it, and copies it to `rect` of `dc`.
    void ComposeFace(HDC dc, const RECT& rect, int frames, ButtonState state);
    // What a button shows on its face: here the caption, centred.
    virtual void DrawContents(const RECT& client, ButtonState state);

    DibSection bitmap_;
    ButtonState lastState_ = bsNormal;
};

} // namespace kv

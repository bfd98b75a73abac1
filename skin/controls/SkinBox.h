#pragma once
// TSkinBox: the colour-only skin of panels, group boxes, radio and check groups, tool bars and
// forms inside forms. It gives the control the skin's ButtonFaceColour and nothing else: the
// control's procedure is not hooked, so the skin sees no message and draws nothing.
//
// Contract
// - With recolouring on, attach saves the control's colour and Detach gives it back (when the
//   control still exists); a skin change gives it the new face colour.
// - It sits in the form skin's list like every control skin and belongs to the control.
#include "skin/controls/SkinControl.h"

namespace kv {

class TSkinBox : public TSkinControl {
    KV_CLASS(TSkinBox, TSkinControl)
public:
    explicit TSkinBox(TComponent* owner) : TSkinControl(owner) {}

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool recolour) override;
    void Detach() override;
    void AfterDefault(TMessage&) override {}
};

} // namespace kv

#pragma once
// TSkinTrackBar: a track bar whose thumb is drawn from the skin (frame 2 of the five-frame
// TrackThumbVert or TrackThumbHorz image) through the control's custom-draw notification; the
// channel and the tics stay the control's own.
//
// Contract
// - Only the thumb item is drawn here (CDRF_SKIPDEFAULT); every other stage keeps the
//   control's drawing. The notification arrives reflected (CN_NOTIFY) or as WM_NOTIFY.
// - A vertical bar uses TrackThumbVert when the skin has it, else TrackThumbHorz; with neither
//   the thumb is a plain rectangle in ButtonShadowColour with the DC's current brush, which is
//   borrowed: never deleted, and the DC's pen is put back.
// - The thumb does not change with hover or press.
#include "skin/controls/SkinControl.h"

#include <commctrl.h>

namespace kv {

class TSkinTrackBar : public TSkinControl {
    KV_CLASS(TSkinTrackBar, TSkinControl)
public:
    explicit TSkinTrackBar(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeDefault(TMessage& m) override;

    // Diagnostics for tests: thumbs drawn so far.
    int ThumbsDrawn() const { return thumbsDrawn_; }

private:
    LRESULT CustomDraw(NMCUSTOMDRAW& draw);
    void DrawThumb(HDC dc);

    int thumbsDrawn_ = 0;
};

} // namespace kv

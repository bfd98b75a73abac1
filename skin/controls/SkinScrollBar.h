#pragma once
// TSkinScrollBar: paints the scroll bars a scrolling control (list box, memo, ...) draws in its
// own non-client area from the skin, over the system's bars after every change, and can run
// the thumb drag itself so that the thumb follows the mouse in the skinned look.
//
// Contract
// - AttachScroller hooks a framework control's message method and recomputes its frame. The
//   control keeps every message but mouse moves over its bars; arrow and page clicks (and their
//   repetition) stay the control's own, and the skin repaints after each scroll message.
// - With TrackOwnDrag a press on a thumb runs the drag here: the mouse is captured, the loop
//   waits for messages (no busy polling), and it ends on the button's release anywhere, on the
//   loss of the capture, when the button is found up, on WM_QUIT (posted again) and when the
//   window goes. A live window then gets SB_THUMBPOSITION and a posted SB_ENDSCROLL; every
//   SB_THUMBTRACK position lies within nMin..nMax - nPage + 1 (cut to 16 bits in wParam, as
//   the message carries it).
// - The object may be freed by a message dispatched inside the drag; the drag then stops
//   without touching it.
// - An empty ScrollBar image, or a window without bar styles, draws nothing: the system bars
//   stay. Painting is composed off-screen and copied once per bar.
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBarGeometry.h"

#include <memory>

namespace kv {

class TSkinScrollBar : public TSkinControl {
    KV_CLASS(TSkinScrollBar, TSkinControl)
public:
    explicit TSkinScrollBar(TComponent* owner);
    ~TSkinScrollBar() override;

    virtual void AttachScroller(TWinControl* control, TSkinData* skinData, bool trackOwnDrag,
                                TWinSkinForm* form);
    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests.
    int PressedPart() const { return FPressedPart; }
    bool Dragging() const { return FDragging; }
    const BarMetrics& VertBar() const { return FVertBar; }
    const BarMetrics& HorzBar() const { return FHorzBar; }
    const Rect32& VertRect() const { return FVertRect; }
    const Rect32& HorzRect() const { return FHorzRect; }
    const Rect32& CornerRect() const { return FCornerRect; }

protected:
    void CalcBarRects(const RECT& rect);
    void DrawBar(HDC dc, const Rect32& bar, bool vertical);
    void CalcThumb(const Rect32& bar, bool vertical);
    bool OnScroll(TMessage& m, bool vertical);
    bool StartThumbDrag(TMessage& m);
    // False when this object was freed during the drag.
    bool DragThumb(bool vertical);

    int FPressedPart = spNone;
    LONG FStyle = 0;
    LONG FExStyle = 0;
    Rect32 FCornerRect;
    bool FDragging = false;
    bool FTrackOwnDrag = false;
    bool FVertBusy = false;
    bool FHorzBusy = false;
    SCROLLINFO FHorzInfo{};
    SCROLLINFO FVertInfo{};
    Rect32 FHorzRect;
    Rect32 FVertRect;
    BarMetrics FHorzBar;
    BarMetrics FVertBar;

private:
    struct Drag;
    void EndDrag(Drag& drag);
    void DragStep(Drag& drag, const MSG& msg);
    void FollowMouse(Drag& drag, POINT cursor);

    // Cleared when the object is freed; a drag loop holds a copy to learn of it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool captureLost_ = false;
};

// The shortest thumb that has a page: half an arrow on the old 9x family, else 8 pixels.
int MinimumThumb(int arrow);

} // namespace kv

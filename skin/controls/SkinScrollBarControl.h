#pragma once
// TSkinScControl: repaints a stand-alone scroll bar control (a window that is nothing but a
// bar) from the skin. The control keeps handling the mouse itself, arrow repetition and thumb
// tracking included; the skin repaints after each change of its position or range.
//
// Contract
// - Attached with AttachControl. The whole window is the bar, vertical when it has SBS_VERT.
// - The thumb is recomputed on every paint from the control's own minimum, maximum, position
//   and page (a framework TScrollBar's properties, else the window's SB_CTL information); a
//   negative range keeps the last metrics. Arithmetic as in SkinScrollBarGeometry.h.
// - An empty ScrollBar image draws nothing: the system's bar stays.
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBarGeometry.h"

#include <memory>

namespace kv {

class TSkinScControl : public TSkinControl {
    KV_CLASS(TSkinScControl, TSkinControl)
public:
    explicit TSkinScControl(TComponent* owner) : TSkinControl(owner) {}
    ~TSkinScControl() override { *alive_ = false; }

    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests.
    int PressedPart() const { return FPressedPart; }
    const BarMetrics& Bar() const { return bar_; }

protected:
    bool Vertical() const;
    void CalcThumb(int length);
    bool OnScroll(TMessage& m);

    int FPressedPart = spNone;
    BarMetrics bar_;

private:
    // Cleared when the object is freed; a scroll message handler holds a copy.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace kv

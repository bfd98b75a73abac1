#pragma once
// TSkinCheckBox and TSkinRadioButton: only the check box or radio circle is replaced, by a
// frame of the skin's CheckBitmap or RadioBitmap; caption and focus rectangle stay the
// control's own. The mark is drawn straight onto the window after the control painted.
//
// Contract
// - Frames: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled; a check box in
//   the indeterminate state always shows frame 4.
// - A frame count the skin leaves at 0 is the image width / 13 (image lower than 16) or / 16,
//   at least 4. An empty image leaves the system's mark visible.
// - The mark sits vertically centred in a 14-pixel column on the text's side (BS_LEFTTEXT:
//   right); a mark wider than 14 starts at the edge.
// - A check box skin is not marked dead when its window goes (it stays listed until the form
//   skin frees its control skins); a radio button skin is.
#include "skin/controls/SkinControl.h"

namespace kv {

int MarkFrameCount(int imageWidth, int imageHeight, int skinFrameCount);
// Where the mark of one frame goes in a window of `rect`.
RECT MarkRect(const RECT& rect, int frameWidth, int frameHeight, bool textOnLeft);
// 1..4 from the check state (BST_*) and whether the window is disabled.
int MarkFrame(UINT checkState, bool disabled, bool isCheckBox);

class TSkinMarkControl : public TSkinControl {
    KV_CLASS(TSkinMarkControl, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    // Diagnostics for tests: the frame of the last paint (0: none drawn).
    int LastFrame() const { return lastFrame_; }

protected:
    virtual bool IsCheckBox() const = 0;
    UINT CheckState() const;

private:
    int lastFrame_ = 0;
};

class TSkinCheckBox : public TSkinMarkControl {
    KV_CLASS(TSkinCheckBox, TSkinMarkControl)
public:
    using TSkinMarkControl::TSkinMarkControl;
    bool BeforeDefault(TMessage&) override { return true; }

protected:
    bool IsCheckBox() const override { return true; }
};

class TSkinRadioButton : public TSkinMarkControl {
    KV_CLASS(TSkinRadioButton, TSkinMarkControl)
public:
    using TSkinMarkControl::TSkinMarkControl;

protected:
    bool IsCheckBox() const override { return false; }
};

} // namespace kv

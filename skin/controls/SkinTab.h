#pragma once
// TSkinTab: a tab or page control's row of tabs drawn from the skin's Tabs image (frame 2 for
// the tab with the keyboard focus, or the selected one while no tab has it; frame 1 for the
// others) and its page frame from the second
// image of Tabs, for tabs on any of the four sides; the scroll arrows of an overflowing row are
// skinned as an up-down and never painted over.
//
// Contract
// - The control paints first; the skin then covers the tab row and draws only the edges of the
//   page frame, leaving the page itself (and its sheets) alone.
// - Tabs at the bottom use the images turned upside down; on the left and right the row is
//   composed lying flat and turned, with the page frame image turned to match.
// - The images are prepared at attach and again on each skin change. Without the Tabs image the
//   control's own drawing stays; without its second image only the page frame is left out.
// - Tab rectangles come from the control and are not trusted: drawing is clipped to the row,
//   and the caller's clip is put back after the copy around the arrows.
#include "skin/controls/SkinControl.h"
#include "skin/form/draw/win/DibSection.h"

#include <vector>

namespace kv {

class TSkinUpDown;

enum TabSide : uint8_t { tsTop = 0, tsBottom = 1, tsLeft = 2, tsRight = 3 };

TabSide TabSideOf(DWORD style);

class TSkinTab : public TSkinControl {
    KV_CLASS(TSkinTab, TSkinControl)
public:
    explicit TSkinTab(TComponent* owner) : TSkinControl(owner) {}

    void AttachHandle(HWND wnd, TSkinData* skinData, TWinSkinForm* form) override;
    void SkinChanged() override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

    TabSide Side() const { return TabSide(FTabSide); }
    TSkinUpDown* UpDown() const { return FUpDown; }
    // Diagnostics for tests: the frame each tab got at the last paint, in tab order.
    const std::vector<int>& LastStates() const { return lastStates_; }

private:
    void PrepareImages();
    bool FindUpDown();
    void DrawTabs(const RECT& rect, const RECT& page, const RECT& strip);
    void CopyStrip(HDC dc, const RECT& strip, bool aroundUpDown);
    void DrawTab(const RECT& r, int state);

    uint8_t FTabSide = tsTop;
    PixelBuffer FTabImage;
    PixelBuffer FBorderImage;
    DibSection FStrip;
    PixelBuffer turned_; // the composed row turned for the left and right sides
    TSkinUpDown* FUpDown = nullptr;
    std::vector<int> lastStates_;
};

} // namespace kv

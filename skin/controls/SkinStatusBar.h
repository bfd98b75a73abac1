#pragma once
// TSkinStatusBar: a status bar's panels drawn from the skin's StatusBarEdges (frame 1 lowered,
// 2 raised, 3 without bevel, nine-sliced) on the button face, and its size grip from frame 5 of
// ExtraImages; the control's own painting is replaced.
//
// Contract
// - A simple status bar, or one without panels, shows one lowered panel over the whole bar
//   with the simple text. Otherwise each panel takes its rectangle from the control; the last
//   one reaches the bar's right edge.
// - A framework status bar's panels give their alignment, bevel and reading order (right-to-
//   left exchanges left and right); a bare window's parts give their bevel from the text type
//   and their alignment from leading tabs (one centre, two right).
// - Without the StatusBarEdges image the panels get plain 3D frames in the system colours.
// - The window's font (the default GUI font when it has none) is selected only for the paint.
#include "skin/controls/SkinControl.h"
#include "skin/form/draw/win/DibSection.h"

#include <vector>

namespace kv {

enum PanelBevel : int { pbLoweredFrame = 1, pbRaisedFrame = 2, pbNoFrame = 3 };

struct StatusPanelLook {
    RECT rect{};
    UINT align = DT_LEFT;
    PanelBevel bevel = pbLoweredFrame;
    std::wstring text;
};

class TSkinStatusBar : public TSkinControl {
    KV_CLASS(TSkinStatusBar, TSkinControl)
public:
    explicit TSkinStatusBar(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests: the panels of the last paint.
    const std::vector<StatusPanelLook>& LastPanels() const { return lastPanels_; }

private:
    std::vector<StatusPanelLook> ReadPanels(const RECT& rect) const;
    void ReadFrameworkPanels(std::vector<StatusPanelLook>& panels) const;
    void ReadWindowParts(std::vector<StatusPanelLook>& panels, int parts) const;
    void DrawPanelSkin(const StatusPanelLook& panel);
    void DrawPanelPlain(const StatusPanelLook& panel);
    void DrawSizeGrip(const RECT& rect);

    DibSection face_;
    std::vector<StatusPanelLook> lastPanels_;
};

} // namespace kv

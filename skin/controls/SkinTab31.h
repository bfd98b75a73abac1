#pragma once
// TSkinTab31: a tab set (tabs hanging below the pages, scrolled by a small arrow control) drawn
// from the skin's Tabs image turned upside down: frame 2 for the selected tab, frame 1 for the
// others, texts in the Tabs colours; its scroller skinned as a horizontal up-down.
//
// Contract
// - Attached to the tab set that owns it, through its window (subclassed), not its message
//   method. The upside-down image is prepared once, at attach; a skin change keeps it.
// - The skin paints before the tab set's own painting and again after it (the tab set's own
//   paint then finds nothing left to paint); erasing the background is the skin's (nothing).
// - Tabs are laid from the first visible one: each is its text's width plus 9 wide and is drawn
//   only where it fits before the end margin, with 12 pixels more needed while the scroller is
//   shown. A tab that does not fit is passed over and the next one tried.
// - Without the Tabs image (or with an empty one), or on a control that is not a framework tab
//   set, nothing is drawn and the control keeps its own look. The scroller's skin is a separate
//   control skin owned by the tab set, in the form skin's list.
// - One temporary bitmap per paint, freed at its end; the caller's DC is not changed.
#include "skin/controls/SkinControl.h"

#include <vector>

class TTabSet;

namespace kv {

class TSkinUpDown;

// A tab as the last paint drew it: its index, extent and frame (1 or 2).
struct DrawnTab {
    int index;
    int left;
    int right;
    int frame;
};

class TSkinTab31 : public TSkinControl {
    KV_CLASS(TSkinTab31, TSkinControl)
public:
    explicit TSkinTab31(TComponent* owner) : TSkinControl(owner) {}

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool recolour) override;
    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

    TSkinUpDown* UpDown() const { return FUpDown; }
    TWinControl* Scroller() const { return FScroller; }
    const PixelBuffer& TabImage() const { return FTabImage; }
    // Diagnostics for tests: the tabs the last paint drew, left to right.
    const std::vector<DrawnTab>& LastTabs() const { return lastTabs_; }

private:
    void PrepareImage();
    void AttachScroller(TTabSet& tabSet);

    PixelBuffer FTabImage;
    TSkinUpDown* FUpDown = nullptr;
    TWinControl* FScroller = nullptr;
    std::vector<DrawnTab> lastTabs_;
};

} // namespace kv

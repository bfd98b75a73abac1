#pragma once
// TSkinHeader: a header control's items (column headings) drawn on frame 1 of the skin's
// Headerbar image with their text and icon; the width right of the last item is filled with the
// same frame. Every item looks the same: there is no pressed or sorted look.
//
// Contract
// - The control paints first; the skin then covers the whole header in one copy.
// - Without the Headerbar image the control's own drawing (and erasing) stays.
// - An item without text shows only the background, no icon.
#include "skin/controls/SkinControl.h"
#include "skin/form/draw/win/DibSection.h"

#include <commctrl.h>

namespace kv {

class TSkinHeader : public TSkinControl {
    KV_CLASS(TSkinHeader, TSkinControl)
public:
    explicit TSkinHeader(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests: items drawn and the filled rest (empty: none) at the last paint.
    int LastItems() const { return lastItems_; }
    const RECT& LastRest() const { return lastRest_; }

private:
    bool HasArt() const;
    void DrawItem(HIMAGELIST images, int index, const RECT& r);
    void DrawBackground(const RECT& r);

    DibSection face_;
    int lastItems_ = 0;
    RECT lastRest_{};
};

} // namespace kv

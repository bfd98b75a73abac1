#pragma once
// TSkinProgress: a progress bar drawn from the skin's Progress object over the control's own
// painting, as a stretched bar (frame 1 empty, frame 2 filled) or, with Style 1, as a row of
// chunk copies (Bitmap2) over the whole image.
//
// Contract
// - The control paints first; the skin then covers its whole window. Without the Progress
//   object or its image (or, for chunks, without the chunk image) the control's own bar stays.
// - The filled width is position x width / upper limit in 64 bits, clamped to 0..width, so any
//   32-bit range works; an upper limit or a position of 0 or less shows the empty bar only.
//   The lower limit is not used and the bar always fills from the left.
#include "skin/controls/SkinControl.h"
#include "skin/form/draw/win/DibSection.h"

namespace kv {

// The filled part of a bar `width` pixels wide at `pos` of `high`.
int ProgressFillWidth(int pos, int high, int width);

class TSkinProgress : public TSkinControl {
    KV_CLASS(TSkinProgress, TSkinControl)
public:
    explicit TSkinProgress(TComponent* owner) : TSkinControl(owner) {}

    void DrawSkin(HDC dc, const RECT& rect) override;

    // Diagnostics for tests: the filled width of the last paint (-1: nothing drawn) and, for
    // the chunk style, the number of chunk copies made.
    int LastFill() const { return lastFill_; }
    int LastChunks() const { return lastChunks_; }

private:
    void DrawBar(const RECT& rect, int fill);
    void DrawChunks(const RECT& rect, int fill);
    int ReadFill(int width) const;

    DibSection face_;
    int lastFill_ = -1;
    int lastChunks_ = 0;
};

} // namespace kv

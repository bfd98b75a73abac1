#pragma once
// Drawing one skinned scroll bar: composed in a strip 16 pixels thick from the skin's scroll
// bar objects, then stretched to the bar's real thickness in one copy.
//
// Contract
// - ComposeBar draws into `strip` (its whole area is the bar, `vertical` along its height):
//   the ScrollbarColour fill, frame 1 of 4 of the track object nine-sliced between the arrows,
//   the two arrows (frames of the 23-frame ScrollBar image: 1/5 left/right, 9/13 up/down, the
//   next frame pressed, the fourth of each arrow's group disabled) and the thumb (frame 1, 2
//   pressed) when it fits the track. Absent objects are skipped; nothing is read or written
//   out of bounds, whatever the images' sizes and frame counts.
// - DrawBarOnDc composes `bar` (window coordinates of `dc`) through a temporary strip that it
//   creates and frees, and stretches it onto `dc`; a strip side outside 0..kMaxStripSide
//   draws nothing. The DC's stretch mode is put back.
#include "base/Pixels.h"
#include "skin/controls/SkinScrollBarGeometry.h"
#include "skin/data/SkinDefinition.h"

#include <windows.h>

namespace kv {

// Skin images are designed for bars this thick.
constexpr int kStripThickness = 16;
// Longer or thicker strips are not drawn (a window placed absurdly far or large).
constexpr int kMaxStripSide = 10000;
// Frames of the ScrollBar image.
constexpr int kScrollBarFrames = 23;

struct BarLook {
    bool vertical = false;
    int pressedPart = spNone;
    bool firstArrowDisabled = false;
    bool secondArrowDisabled = false;
};

void ComposeBar(PixelView strip, const TSkinDefinition& skin, const BarLook& look,
                const BarMetrics& bar);

void DrawBarOnDc(HDC dc, const Rect32& bar, const TSkinDefinition& skin, const BarLook& look,
                 const BarMetrics& metrics);

} // namespace kv

#pragma once
// Skin objects: one image of a skin with how to slice, tile, key and cut it into state frames,
// plus its text colours. The drawing code reads these fields and nothing else of the skin.
//
// Contract
// - Plain data, filled by the skin definition parser (SkinDefinition.h) and read-only after.
//   Every object owns its images; an image may be empty and every user tests for that.
// - Margins (`LeftWidth`...) and other integers come from the definition clamped to
//   -32768..32767; drawing code still clamps margins to the image it draws.
// - `FrameCount` is at least 1 for every object the parser makes.
// - `NormalColour`, `MouseOverColour`, `PressedColour` index the definition's `ColourTable`
//   (-1: none given; check the range before use). The `...Colour2` fields are colours.
#include "base/Pixels.h"
#include "skin/data/SkinColour.h"

#include <cstdint>
#include <string>

namespace kv {

struct TDataSkinObject {
    explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    PixelBuffer Bitmap;
    int32_t Trans = 0;
    // 1: tile the middle parts, 0: stretch them. The four border pieces hold their "Stretch"
    // value here instead.
    int32_t Tile = 0;
    std::string Name;
    int32_t FrameCount = 1;
    int32_t Style = 0;
    int32_t NormalColour = 0;
    int32_t MouseOverColour = 0;
    int32_t PressedColour = 0;
    SkinColour NormalColour2 = 0;
    SkinColour MouseOverColour2 = 0;
    SkinColour PressedColour2 = 0;
};

struct TDataSkinBorder : TDataSkinObject {
    using TDataSkinObject::TDataSkinObject;
    PixelBuffer Bitmap2;
};

struct TDataSkinButton : TDataSkinObject {
    using TDataSkinObject::TDataSkinObject;
    PixelBuffer CheckBitmap;
    PixelBuffer RadioBitmap;
    int32_t RadioFrameCount = 0;
    int32_t CheckFrameCount = 0;
};

// The caption text settings; `Bitmap` is the caption text backdrop. Three of them live in the
// base's margin places, as the frame code has always read them from there.
struct TDataSkinTitle : TDataSkinObject {
    using TDataSkinObject::TDataSkinObject;
    static constexpr SkinColour kNoColour = 0x1FFFFFFF;

    int32_t& TextShift() { return LeftWidth; }
    int32_t& TextShiftVert() { return TopHeight; }
    int32_t& TextRightClip() { return RightWidth; }
    int32_t TextShift() const { return LeftWidth; }
    int32_t TextShiftVert() const { return TopHeight; }
    int32_t TextRightClip() const { return RightWidth; }

    int32_t TextAlignment = 0;
    int32_t TextBackground = 0;
    int32_t FontHeight = 0;
    int32_t TextBackLeft = 0;
    int32_t TextBackRight = 0;
    SkinColour ActiveTextColour = kNoColour;
    SkinColour InactiveTextColour = kNoColour;
};

// One caption button (or MDI child button). `Action`: 0 close, 1 maximise/restore,
// 2 minimise/restore, 3 system menu, 7/8/9 minimise/restore/close the MDI child.
struct TDataSkinSysButton : TDataSkinObject {
    using TDataSkinObject::TDataSkinObject;
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t XCoord = 0;
    int32_t YCoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

} // namespace kv

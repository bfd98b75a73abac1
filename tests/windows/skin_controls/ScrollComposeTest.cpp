// One bar composed on pixels from a tiny hand-made skin: every frame of its images is one
// colour, so each pixel says which frame was drawn there.
#include "skin/controls/SkinScrollBarDraw.h"

#include <gtest/gtest.h>

#include <memory>

namespace kv {
namespace {

constexpr Pixel kFill = RgbPixel(1, 2, 3);

// Frame k (from 1) of every strip below has the colour Frame(object, k).
constexpr Pixel Frame(int object, int k) {
    return RgbPixel(uint8_t(object * 40), uint8_t(k), 0x80);
}
enum { kArrows = 1, kTrack = 2, kThumb = 3 };

std::unique_ptr<TDataSkinObject> Strip(int object, int frames, int frameWidth, int height) {
    auto o = std::make_unique<TDataSkinObject>("strip");
    o->Bitmap.Resize(frames * frameWidth, height);
    for (int k = 1; k <= frames; ++k)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < frameWidth; ++x)
                o->Bitmap.At((k - 1) * frameWidth + x, y) = Frame(object, k);
    o->FrameCount = frames;
    return o;
}

class ComposedBar : public ::testing::Test {
protected:
    void SetUp() override {
        skin.ScrollbarColour = ToColorRef(kFill);
        skin.ScrollBar = Strip(kArrows, kScrollBarFrames, 4, 4);
        skin.VertScroll = Strip(kTrack, 4, 4, 4);
        skin.HorzScroll = Strip(kTrack, 4, 4, 4);
        skin.VertScrollThumb = Strip(kThumb, 3, 4, 4);
        skin.HorzScrollThumb = Strip(kThumb, 3, 4, 4);
    }
    // The colour along the middle of a vertical bar `length` long, at `y`.
    Pixel At(const BarLook& look, const BarMetrics& m, int length, int y) {
        PixelBuffer strip(kStripThickness, length);
        ComposeBar(strip.View(), skin, look, m);
        return RgbOf(strip.At(kStripThickness / 2, y));
    }
    TSkinDefinition skin;
    const BarMetrics metrics{16, 68, 20, 10}; // a 100-pixel bar
};

TEST_F(ComposedBar, ArrowsTrackAndThumbInTheirPlaces) {
    BarLook look;
    look.vertical = true;
    EXPECT_EQ(At(look, metrics, 100, 0), Frame(kArrows, 9)); // up arrow
    EXPECT_EQ(At(look, metrics, 100, 15), Frame(kArrows, 9));
    EXPECT_EQ(At(look, metrics, 100, 16), Frame(kTrack, 1)); // track before the thumb
    EXPECT_EQ(At(look, metrics, 100, 26), Frame(kThumb, 1)); // thumb at 16 + 10
    EXPECT_EQ(At(look, metrics, 100, 45), Frame(kThumb, 1));
    EXPECT_EQ(At(look, metrics, 100, 46), Frame(kTrack, 1));
    EXPECT_EQ(At(look, metrics, 100, 84), Frame(kArrows, 13)); // down arrow
    EXPECT_EQ(At(look, metrics, 100, 99), Frame(kArrows, 13));
}

TEST_F(ComposedBar, PressedAndDisabledFrames) {
    BarLook look;
    look.vertical = true;
    look.pressedPart = spUpArrow;
    EXPECT_EQ(At(look, metrics, 100, 5), Frame(kArrows, 10));
    look.pressedPart = spDownArrow;
    EXPECT_EQ(At(look, metrics, 100, 95), Frame(kArrows, 14));
    look.pressedPart = spVertThumb;
    EXPECT_EQ(At(look, metrics, 100, 30), Frame(kThumb, 2));
    look.pressedPart = spHorzThumb; // the other bar's thumb
    EXPECT_EQ(At(look, metrics, 100, 30), Frame(kThumb, 1));
    look = {};
    look.vertical = true;
    look.secondArrowDisabled = true;
    EXPECT_EQ(At(look, metrics, 100, 5), Frame(kArrows, 9));
    EXPECT_EQ(At(look, metrics, 100, 95), Frame(kArrows, 16));
    look.barDisabled = true;
    EXPECT_EQ(At(look, metrics, 100, 5), Frame(kArrows, 12));
    EXPECT_EQ(At(look, metrics, 100, 30), Frame(kTrack, 1)); // no thumb on a disabled bar
}

TEST_F(ComposedBar, HorizontalBarsUseTheLeftAndRightFrames) {
    BarLook look;
    look.pressedPart = spRightArrow;
    PixelBuffer strip(100, kStripThickness);
    ComposeBar(strip.View(), skin, look, metrics);
    EXPECT_EQ(RgbOf(strip.At(3, 8)), Frame(kArrows, 1));
    EXPECT_EQ(RgbOf(strip.At(96, 8)), Frame(kArrows, 6));
    EXPECT_EQ(RgbOf(strip.At(30, 8)), Frame(kThumb, 1));
}

TEST_F(ComposedBar, AShortBarSplitsItselfBetweenTheArrows) {
    BarLook look;
    look.vertical = true;
    const BarMetrics none{16, 0, 0, 0};
    EXPECT_EQ(At(look, none, 20, 9), Frame(kArrows, 9));
    EXPECT_EQ(At(look, none, 20, 10), Frame(kArrows, 13));
}

TEST_F(ComposedBar, AThumbLongerThanTheTrackIsNotDrawn) {
    BarLook look;
    look.vertical = true;
    EXPECT_EQ(At(look, BarMetrics{16, 68, 69, 0}, 100, 30), Frame(kTrack, 1));
}

TEST_F(ComposedBar, MissingOrNarrowImagesLeaveTheFillColour) {
    BarLook look;
    look.vertical = true;
    skin.VertScroll.reset();
    skin.VertScrollThumb.reset();
    EXPECT_EQ(At(look, metrics, 100, 30), kFill);
    skin.ScrollBar = Strip(kArrows, 1, 5, 4); // 5 pixels for 23 frames: each 0 wide
    EXPECT_EQ(At(look, metrics, 100, 5), kFill);
    skin.ScrollBar->Bitmap.Resize(0, 0);
    EXPECT_EQ(At(look, metrics, 100, 5), kFill);
}

} // namespace
} // namespace kv

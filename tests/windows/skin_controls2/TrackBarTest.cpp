// Skinned track bars: the thumb from the skin (horizontal and vertical) or a plain rectangle,
// read back from the screen, and a real drag of the thumb.
#include "Controls2Fixture.h"

#include "skin/controls/SkinTrackBar.h"
#include "ui/controls/ComCtrlsBars.h"

#include <commctrl.h>

namespace kv::test {
namespace {

class SkinnedTrackBar : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        bar = Place<TTrackBar>(20, 20, 220, 34);
        bar->SetMax(10);
        upright = new TTrackBar(form);
        upright->SetOrientation(TOrientation::trVertical); // turning it swaps its sides
        upright->SetParent(form);
        upright->SetBounds(260, 20, 34, 160);
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinTrackBar>(skin, bar);
        ASSERT_NE(skinned, nullptr);
        ASSERT_NE(SkinOf<TSkinTrackBar>(skin, upright), nullptr);
    }

    static RECT ThumbOf(TTrackBar* b) {
        RECT r{};
        SendMessageW(b->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The thumb's middle pixel on the screen.
    Pixel ThumbMiddle(TTrackBar* b) {
        const RECT t = ThumbOf(b);
        return RgbOf(ScreenAt(b->Handle(), (t.left + t.right) / 2, (t.top + t.bottom) / 2));
    }

    TTrackBar* bar = nullptr;
    TTrackBar* upright = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinTrackBar* skinned = nullptr;
};

TEST_F(SkinnedTrackBar, ThumbsAreFrameTwoOfTheSkinsThumbImage) {
    UseSkin(ArtSkin());
    bar->Invalidate();
    upright->Invalidate();
    Pump(100);
    EXPECT_GT(skinned->ThumbsDrawn(), 0);
    EXPECT_EQ(ThumbMiddle(bar), FrameColour(kThumbBase, 2));
    EXPECT_EQ(ThumbMiddle(upright), FrameColour(kThumbBase, 2));
    bar->SetEnabled(false);
    Pump(100);
    EXPECT_EQ(ThumbMiddle(bar), FrameColour(kThumbBase, 2)) << "no disabled thumb frame";
}

TEST_F(SkinnedTrackBar, WithoutThumbArtTheThumbIsAShadowFramedRectangle) {
    ASSERT_EQ(data->Skin()->TrackThumbHorz, nullptr);
    bar->Invalidate();
    Pump(100);
    const RECT t = ThumbOf(bar);
    EXPECT_EQ(RgbOf(ScreenAt(bar->Handle(), t.left, (t.top + t.bottom) / 2)),
              ToPixel(ResolveColour(data->Skin()->ButtonShadowColour)));
}

TEST_F(SkinnedTrackBar, TheThumbDragsWithTheRealMouse) {
    UseSkin(ArtSkin());
    const RECT t = ThumbOf(bar);
    RECT w = WindowRectOf(bar->Handle());
    const int y = w.top + (t.top + t.bottom) / 2;
    const int x = w.left + (t.left + t.right) / 2;
    MouseAt(x, y);
    Button(true);
    MouseAt(x + 60, y);
    MouseAt(x + 100, y);
    Button(false);
    EXPECT_TRUE(WaitFor([&] { return bar->Position() >= 4; }, 1500)) << bar->Position();
    EXPECT_EQ(ThumbMiddle(bar), FrameColour(kThumbBase, 2)) << "drawn where it was dropped";
}

} // namespace
} // namespace kv::test

// Skinned progress bars: the filled width for any 32-bit range, the bar and the chunk row read
// back from the screen, and skins without the progress art.
#include "Controls2Fixture.h"

#include "skin/controls/SkinProgress.h"
#include "skin/form/draw/SkinDraw.h"
#include "ui/controls/ComCtrlsBars.h"

#include <climits>

namespace kv::test {
namespace {

TEST(ProgressFill, ScalesInSixtyFourBitsAndStaysInsideTheBar) {
    EXPECT_EQ(ProgressFillWidth(50, 100, 200), 100);
    EXPECT_EQ(ProgressFillWidth(100, 100, 200), 200);
    EXPECT_EQ(ProgressFillWidth(1, 3, 200), 66);
    // A 32-bit product would overflow here (2^30 x 200).
    EXPECT_EQ(ProgressFillWidth(1 << 30, INT_MAX, 200), 100);
    EXPECT_EQ(ProgressFillWidth(INT_MAX, INT_MAX, 200), 200);
    // Nothing filled: an upper limit or a position of 0 or below, or no width.
    EXPECT_EQ(ProgressFillWidth(50, 0, 200), 0);
    EXPECT_EQ(ProgressFillWidth(0, 100, 200), 0);
    EXPECT_EQ(ProgressFillWidth(-5, 100, 200), 0);
    EXPECT_EQ(ProgressFillWidth(50, -100, 200), 0);
    EXPECT_EQ(ProgressFillWidth(50, 100, 0), 0);
    // A position past the upper limit fills the bar, no more.
    EXPECT_EQ(ProgressFillWidth(INT_MAX, 1, 200), 200);
}

class SkinnedProgress : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        bar = Place<TProgressBar>(20, 20, 200, 18);
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinProgress>(skin, bar);
        ASSERT_NE(skinned, nullptr);
    }

    // The bar as the skin's Progress image says it looks at `fill` pixels.
    PixelBuffer Expected(int fill) const {
        const TDataSkinBorder& p = *data->Skin()->Progress;
        const PixelRect margins{p.LeftWidth, p.TopHeight, p.RightWidth, p.BottomHeight};
        PixelBuffer b(200, 18, ToPixel(data->ButtonFaceColor()));
        DrawNineSlice(b.View(), {0, 0, 200, 18}, p.Bitmap.View(), false, p.Tile == 1, true, 2, 1,
                      margins);
        if (fill > 0)
            DrawNineSlice(b.View(), {0, 0, fill, 18}, p.Bitmap.View(), false, p.Tile == 1, true,
                          2, 2, margins);
        return b;
    }

    void ExpectBar(int fill, const char* what) {
        Pump(80);
        EXPECT_EQ(skinned->LastFill(), fill) << what;
        EXPECT_EQ(Differences(ScreenShotOf(bar->Handle()), Expected(fill), {0, 0, 200, 18}), 0)
            << what;
    }

    TProgressBar* bar = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinProgress* skinned = nullptr;
};

TEST_F(SkinnedProgress, EmptyHalfAndFullBarsComeFromTheSkin) {
    ExpectBar(0, "empty");
    bar->SetPosition(50);
    ExpectBar(100, "half");
    bar->SetPosition(100);
    ExpectBar(200, "full");
    bar->SetEnabled(false);
    ExpectBar(200, "disabled: the same bar");
}

TEST_F(SkinnedProgress, ZeroAndFullThirtyTwoBitRangesNeitherCrashNorOverflow) {
    bar->SetMax(0);
    bar->SetPosition(0);
    ExpectBar(0, "range 0..0");
    bar->SetMax(INT_MAX);
    bar->SetPosition(INT_MAX / 2);
    ExpectBar(99, "half of 0..2^31-1");
    bar->SetPosition(INT_MAX);
    ExpectBar(200, "all of 0..2^31-1");
}

TEST_F(SkinnedProgress, ChunkStyleRepeatsTheChunkUpToTheFill) {
    UseSkin(ArtSkin(true));
    ASSERT_EQ(data->Skin()->Progress->Style, 1);
    const PixelBuffer& chunk = data->Skin()->Progress->Bitmap2;
    ASSERT_FALSE(chunk.Empty());
    bar->SetPosition(50);
    Pump(80);
    EXPECT_EQ(skinned->LastFill(), 100);
    EXPECT_EQ(skinned->LastChunks(), 100 / chunk.Width() + 1);
    // The first chunk's non-key pixels are on the screen where the row starts.
    const int left = data->Skin()->Progress->LeftWidth;
    const int top = (18 - chunk.Height()) / 2;
    const PixelBuffer shot = ScreenShotOf(bar->Handle());
    int matched = 0, opaque = 0;
    for (int y = 0; y < chunk.Height(); ++y)
        for (int x = 0; x < chunk.Width(); ++x) {
            if (RgbOf(chunk.At(x, y)) == kMagenta) continue;
            ++opaque;
            matched += RgbOf(shot.At(left + x, top + y)) == RgbOf(chunk.At(x, y));
        }
    EXPECT_GT(opaque, 0);
    EXPECT_EQ(matched, opaque);
}

TEST_F(SkinnedProgress, WithoutTheArtTheControlKeepsItsOwnBar) {
    UseSkin(EditedSkin("Bitmap=progress.bmp", "Bitmap="));
    bar->SetPosition(70);
    Pump(80);
    EXPECT_EQ(skinned->LastFill(), -1);
    UseSkin(RepackedSkin([](SkinEntry& e) { return e.name != "progress.bmp"; }));
    bar->SetPosition(30);
    Pump(80);
    EXPECT_EQ(skinned->LastFill(), -1);
    EXPECT_TRUE(IsWindow(bar->Handle()));
}

} // namespace
} // namespace kv::test

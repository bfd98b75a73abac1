// Bad input for the skinned scroll bars and glyph buttons: images narrower than their frame
// counts, a skin without the ScrollBar image, scroll ranges of 0, a page as large as the
// range, a range of 2^31 - 1 (painted and dragged), and a glyph strip whose frames are 0 wide.
// Each: no crash, no hang, no handles left behind, the plain look where there is no art.
#include "ScrollFixture.h"

#include "base/Bmp.h"
#include "skin/controls/SkinBitButton.h"
#include "tests/windows/skin_form/SkinFiles.h"
#include "tests/windows/support/GuiObjects.h"
#include "ui/controls/Buttons.h"

#include <climits>

namespace kv::test {
namespace {

std::vector<uint8_t> Bmp(int width, int height, Pixel fill) {
    PixelBuffer b(width, height, fill);
    return EncodeBmp24(b.View());
}

// The stored skin with the scroll-bar images replaced by ones too narrow for their frames.
std::vector<uint8_t> NarrowScrollSkin(int width) {
    return RepackedSkin([&](SkinEntry& e) {
        for (const char* name : {"scrollbar.bmp", "scroll-h.bmp", "scroll-v.bmp", "thumb-h.bmp", "thumb-v.bmp"})
            if (e.name == name) e.bytes = Bmp(width, 16, RgbPixel(200, 30, 30));
        return true;
    });
}

class ScrollBadInput : public SkinnedScroller {
protected:
    void Load(const std::vector<uint8_t>& skinBytes, const char* name) {
        data->SetSkinFile(TempSkinFile(skinBytes, name));
        Pump(300);
        skin = SkinManager->FindForm(form->Handle());
        ASSERT_NE(skin, nullptr);
        skinned = SkinOf<TSkinScrollBar>(skin, list);
        ASSERT_NE(skinned, nullptr);
    }
    // Scrolls with an arrow and the thumb, with the real mouse.
    void UseTheBar() {
        const POINT down = ArrowOnScreen(list->Handle(), skinned->VertRect(), true, true);
        const POINT thumb = ThumbOnScreen(list->Handle(), skinned->VertRect(), skinned->VertBar(), true);
        RunHand([&] {
            SendMove(down.x, down.y);
            Sleep(50);
            SendButton(true);
            Sleep(100);
            SendButton(false);
            Sleep(100);
            SendMove(thumb.x, thumb.y);
            Sleep(50);
            SendButton(true);
            Sleep(100);
            SendMove(thumb.x, thumb.y + 60);
            Sleep(100);
            SendButton(false);
        });
        EXPECT_GT(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), 0);
        EXPECT_FALSE(skinned->Dragging());
    }
};

TEST_F(ScrollBadInput, ImagesNarrowerThanTheirFrameCountsDrawOnlyTheTrackColour) {
    const GuiObjects before = CountGuiObjects();
    for (int width : {1, 2}) { // below every frame count (3 thumbs, 4 tracks, 23 arrows)
        SCOPED_TRACE(width);
        Load(NarrowScrollSkin(width), "kv_scroll_narrow.skin");
        // Every frame is 0 pixels wide: only the scroll-bar colour fill remains.
        BarLook look;
        look.vertical = true;
        const PixelBuffer drawn = ExpectedBar(skinned, look);
        const Pixel fill = ToPixel(ResolveColour(data->Skin()->ScrollbarColour));
        EXPECT_EQ(Differences(drawn, PixelBuffer(drawn.Width(), drawn.Height(), fill)), 0);
        EXPECT_EQ(BarDifferences(skinned, list->Handle(), look), 0);
        UseTheBar();
    }
    data->SetSkinFile(TempSkinFile(StoredPackedSkin(), "kv_scroll_good.skin"));
    Pump(300);
    EXPECT_TRUE(GrewAtMost(before, CountGuiObjects(), 8)) << DescribeChange(before, CountGuiObjects());
}

TEST_F(ScrollBadInput, WithoutTheScrollBarImageTheSystemBarsStay) {
    Load(EditedSkin("Image=scrollbar.bmp", "Image="), "kv_scroll_noimage.skin");
    ASSERT_TRUE(!data->Skin()->ScrollBar || data->Skin()->ScrollBar->Bitmap.Empty());
    // The skin draws nothing (it does not even place the bars), so the list box's own bars,
    // which have none of the skin's scroll-bar colour, stay on the screen.
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(100);
    const RECT r = WindowRectOf(list->Handle());
    const int s = GetSystemMetrics(SM_CXVSCROLL);
    const Rect32 bar{r.right - r.left - 2 - s, 2, r.right - r.left - 2, r.bottom - r.top - 2};
    const PixelBuffer shown = BarPixels(list->Handle(), bar);
    const Pixel skinColour = ToPixel(ResolveColour(data->Skin()->ScrollbarColour));
    int skinPixels = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x) skinPixels += shown.At(x, y) == skinColour;
    EXPECT_LT(skinPixels, shown.Width() * shown.Height() / 10);
    UseTheBar();
}

// A framework control whose scroll bars nobody else manages: the test sets any range it likes.
class TScrollingPane : public TWinControl {
public:
    explicit TScrollingPane(TComponent* owner) : TWinControl(owner) {}

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        p.style |= WS_VSCROLL | WS_HSCROLL | WS_BORDER;
    }
};

class HostileRanges : public SkinnedScroller {
protected:
    void SetUp() override {
        SkinnedScroller::SetUp();
        pane = new TScrollingPane(form);
        pane->SetParent(form);
        pane->SetBounds(200, 20, 150, 200);
        pane->SetTag(data->DisableTag());
        paneSkin = new TSkinScrollBar(pane);
        paneSkin->AttachScroller(pane, data, true, nullptr);
        Pump(50);
    }
    void SetRange(int nMin, int nMax, UINT page, int pos) {
        SCROLLINFO si{sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, nMin, nMax, page, pos, 0};
        SetScrollInfo(pane->Handle(), SB_VERT, &si, TRUE);
        SetScrollInfo(pane->Handle(), SB_HORZ, &si, TRUE);
        RedrawWindow(pane->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(30);
    }
    TScrollingPane* pane = nullptr;
    TSkinScrollBar* paneSkin = nullptr;
};

TEST_F(HostileRanges, RangesOfZeroAPageOfTheWholeRangeAndTheWidestRangePaintSanely) {
    SetRange(0, 100, 10, 50); // a sane range first, whose metrics a range of 0 keeps
    const BarMetrics sane = paneSkin->VertBar();
    EXPECT_GT(sane.ThumbPos, 0);
    SetRange(0, 0, 0, 0);
    EXPECT_EQ(paneSkin->VertBar().ThumbPos, sane.ThumbPos);
    EXPECT_EQ(paneSkin->VertBar().ThumbLength, sane.ThumbLength);

    SetRange(0, 100, 100, 0);
    const BarMetrics whole = paneSkin->VertBar();
    EXPECT_EQ(whole.ThumbPos, 0);
    EXPECT_EQ(whole.ThumbLength, whole.TrackLength - 1);

    SetRange(0, INT_MAX, 0, INT_MAX);
    const BarMetrics widest = paneSkin->VertBar();
    EXPECT_GE(widest.ThumbPos, 0);
    EXPECT_EQ(widest.ThumbPos + widest.ThumbLength, widest.TrackLength);
    BarLook look;
    look.vertical = true;
    EXPECT_EQ(BarDifferences(paneSkin, pane->Handle(), look), 0);
}

TEST_F(HostileRanges, DraggingOverAnAlmostWidestRangeReachesItsEndInThirtyTwoBits) {
    // 1..2^31 - 1: for a range of exactly 2^31 - 1 this system makes the page 2^31, larger than
    // the range, and every drag then stays at the start (painted in the test above).
    SetRange(1, INT_MAX, 0, 1);
    const POINT thumb = ThumbOnScreen(pane->Handle(), paneSkin->VertRect(), paneSkin->VertBar(), true);
    bool dragging = false;
    RunHand([&] {
        SendMove(thumb.x, thumb.y);
        Sleep(50);
        SendButton(true);
        Sleep(100);
        dragging = paneSkin->Dragging();
        for (int dy = 0; dy <= 400; dy += 40) {
            SendMove(thumb.x, thumb.y + dy);
            Sleep(30);
        }
        SendButton(false);
    });
    EXPECT_TRUE(dragging);
    EXPECT_FALSE(paneSkin->Dragging());
    // Past the end of the bar the position is the range's end, kept whole (32 bits).
    EXPECT_EQ(GetScrollPos(pane->Handle(), SB_VERT), INT_MAX);
}

TEST(GlyphStrip, FramesZeroPixelsWideDrawNoGlyphAndTheButtonStillClicks) {
    // Its own skinned form: a bit button whose four glyphs share three pixels.
    class Fixture : public SkinnedControls {
    public:
        void TestBody() override {}
        void Run() {
            SetUp();
            auto* bit = Add<TBitBtn>(40, 40, 120, 32, "Glyph");
            bit->Glyph().SetSize(3, 16);
            bit->SetNumGlyphs(4);
            int clicks = 0;
            bit->SetOnClick([&](TObject*) { ++clicks; });
            TWinSkinForm* skin = ShowSkinned();
            ASSERT_NE(skin, nullptr);
            auto* skinned = SkinOf<TSkinBitButton>(skin, bit);
            ASSERT_NE(skinned, nullptr);
            skinned->PaintSkin(nullptr);
            const POINT c = CentreOf(bit->Handle());
            MouseAt(c.x, c.y);
            Button(true);
            Button(false);
            EXPECT_TRUE(WaitFor([&] { return clicks == 1; }, 1500));
            bit->SetEnabled(false);
            skinned->PaintSkin(nullptr);
            TearDown();
        }
    } fixture;
    fixture.Run();
}

} // namespace
} // namespace kv::test

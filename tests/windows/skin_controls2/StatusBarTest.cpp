// Skinned status bars: panel frames read back from the screen, the last panel stretched,
// alignment with right-to-left reading, empty texts, bars with no or 60 panels, bare status
// windows with their size grip, and skins without the panel art.
#include "Controls2Fixture.h"

#include "skin/controls/ControlText.h"
#include "skin/controls/SkinStatusBar.h"
#include "ui/controls/ComCtrlsBars.h"

namespace kv::test {
namespace {

// Pixels that differ between a and b on the 2-pixel ring just inside `r`.
int RingDifferences(const PixelBuffer& a, const PixelBuffer& b, const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const bool ring = x < r.left + 2 || y < r.top + 2 || x >= r.right - 2 || y >= r.bottom - 2;
            if (ring && RgbOf(a.At(x, y)) != RgbOf(b.At(x, y))) ++n;
        }
    return n;
}

// Pixels of `shot` inside `r` in the panel text colour.
int TextPixels(const PixelBuffer& shot, const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += RgbOf(shot.At(x, y)) == ToPixel(colour);
    return n;
}

class SkinnedStatusBar : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        bar = Place<TStatusBar>(0, 200, 300, 22);
        bar->SetAlign(TAlign::alNone);
        const int widths[] = {80, 80, 40};
        const char* texts[] = {"One", "", "Three"};
        for (int i = 0; i < 3; ++i) {
            TStatusPanel* p = bar->AddPanel();
            p->SetWidth(widths[i]);
            p->SetText(texts[i]);
        }
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinStatusBar>(skin, bar);
        ASSERT_NE(skinned, nullptr);
        Pump(80);
    }

    PixelBuffer Expected() const {
        const RECT c = ClientOf();
        PixelBuffer b(c.right, c.bottom, ToPixel(data->ButtonFaceColor()));
        for (const StatusPanelLook& p : skinned->LastPanels())
            DrawStateFrame(b.View(), {p.rect.left, p.rect.top, p.rect.right, p.rect.bottom}, 3,
                           p.bevel, *data->Skin()->StatusBarEdges);
        return b;
    }
    RECT ClientOf() const {
        RECT c{};
        GetClientRect(bar->Handle(), &c);
        return c;
    }
    COLORREF TextColour() const { return ResolveColour(data->Skin()->StatusBarEdges->NormalColour2); }

    TStatusBar* bar = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinStatusBar* skinned = nullptr;
};

TEST_F(SkinnedStatusBar, PanelsAreFramedAndTheLastReachesTheRightEdge) {
    const auto& panels = skinned->LastPanels();
    ASSERT_EQ(panels.size(), 3u);
    EXPECT_EQ(panels.back().rect.right, ClientOf().right);
    const PixelBuffer shot = ScreenShotOf(bar->Handle());
    const PixelBuffer expected = Expected();
    for (const StatusPanelLook& p : panels) EXPECT_EQ(RingDifferences(shot, expected, p.rect), 0);
    // The panel without text still has its frame, and only it shows no text.
    EXPECT_GT(TextPixels(shot, panels[0].rect, TextColour()), 0);
    EXPECT_EQ(TextPixels(shot, panels[1].rect, TextColour()), 0);
}

TEST_F(SkinnedStatusBar, RightToLeftExchangesLeftAndRightAlignment) {
    bar->Panels(2)->SetWidth(200);
    bar->Panels(0)->SetBiDiMode(TBiDiMode::bdRightToLeft);
    bar->Panels(0)->SetAlignment(taLeftJustify);
    bar->Panels(2)->SetAlignment(taRightJustify);
    bar->Invalidate();
    Pump(100);
    const auto& panels = skinned->LastPanels();
    ASSERT_EQ(panels.size(), 3u);
    EXPECT_EQ(panels[0].align, UINT(DT_RIGHT));
    EXPECT_EQ(panels[2].align, UINT(DT_RIGHT));
    const PixelBuffer shot = ScreenShotOf(bar->Handle());
    const RECT& r = panels[0].rect;
    const int mid = (r.left + r.right) / 2;
    EXPECT_EQ(TextPixels(shot, {r.left, r.top, mid, r.bottom}, TextColour()), 0);
    EXPECT_GT(TextPixels(shot, {mid, r.top, r.right, r.bottom}, TextColour()), 0);
}

TEST_F(SkinnedStatusBar, NoPanelsGiveOneSimplePanelAndSixtyPanelsAllShow) {
    delete bar->Panels(2);
    delete bar->Panels(1);
    delete bar->Panels(0);
    bar->SetSimpleText("Simple");
    bar->Invalidate();
    Pump(100);
    ASSERT_EQ(skinned->LastPanels().size(), 1u);
    EXPECT_EQ(skinned->LastPanels()[0].text, L"Simple");
    EXPECT_EQ(skinned->LastPanels()[0].rect.right, ClientOf().right);
    for (int i = 0; i < 60; ++i) {
        TStatusPanel* p = bar->AddPanel();
        p->SetWidth(4);
        p->SetText("x");
    }
    bar->Invalidate();
    Pump(150);
    ASSERT_EQ(skinned->LastPanels().size(), 60u);
    EXPECT_EQ(skinned->LastPanels().back().rect.right, ClientOf().right);
}

TEST_F(SkinnedStatusBar, WithoutPanelArtPanelsGetPlainFrames) {
    UseSkin(EditedSkin("Image=statusbar.bmp", "Image="));
    ASSERT_EQ(data->Skin()->StatusBarEdges, nullptr);
    bar->Invalidate();
    Pump(100);
    const auto& panels = skinned->LastPanels();
    ASSERT_EQ(panels.size(), 3u);
    const RECT& r = panels[0].rect;
    // Lowered: shadow at top and left, highlight at bottom and right.
    EXPECT_EQ(ScreenAt(bar->Handle(), r.left, r.top + 5), ToPixel(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(ScreenAt(bar->Handle(), r.right - 1, r.top + 5),
              ToPixel(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

class BareStatusBar : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 60, 60, 320, 80, nullptr,
                                 nullptr, nullptr, nullptr);
        bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                              WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NOPARENTALIGN |
                                  CCS_NORESIZE,
                              0, 50, 320, 24, parent, nullptr, nullptr, nullptr);
        const int edges[] = {100, 200, -1};
        SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
        SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Left"));
        SendMessageW(bar, SB_SETTEXTW, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(L"\tMiddle"));
        SendMessageW(bar, SB_SETTEXTW, 2 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L"\t\tRight"));
        skinned = new TSkinStatusBar(nullptr);
        skinned->AttachHandle(bar, data, nullptr);
        InvalidateRect(bar, nullptr, TRUE);
        Pump(100);
    }
    void TearDown() override {
        delete skinned;
        DestroyWindow(parent);
        Controls2::TearDown();
    }
    HWND parent = nullptr, bar = nullptr;
    TSkinStatusBar* skinned = nullptr;
};

TEST_F(BareStatusBar, PartsTakeTheirBevelFromTheTypeAndAlignmentFromTabs) {
    const auto& panels = skinned->LastPanels();
    ASSERT_EQ(panels.size(), 3u);
    EXPECT_EQ(panels[0].bevel, pbLoweredFrame);
    EXPECT_EQ(panels[1].bevel, pbRaisedFrame);
    EXPECT_EQ(panels[2].bevel, pbNoFrame);
    EXPECT_EQ(panels[0].align, UINT(DT_LEFT));
    EXPECT_EQ(panels[1].align, UINT(DT_CENTER));
    EXPECT_EQ(panels[2].align, UINT(DT_RIGHT));
    EXPECT_EQ(panels[1].text, L"Middle");
}

TEST_F(BareStatusBar, TheSizeGripIsFrameFiveOfTheExtraImages) {
    const TDataSkinObject* extras = data->Skin()->ExtraImages.get();
    ASSERT_NE(extras, nullptr);
    const PixelBuffer& image = extras->Bitmap;
    const int fw = image.Width() / 5, fh = image.Height();
    ASSERT_GT(fw, 0);
    RECT c{};
    GetClientRect(bar, &c);
    const PixelBuffer shot = ScreenShotOf(bar);
    int opaque = 0, matched = 0;
    for (int y = 0; y < fh; ++y)
        for (int x = 0; x < fw; ++x) {
            const Pixel p = RgbOf(image.At(4 * fw + x, y));
            if (p == kMagenta) continue;
            ++opaque;
            matched += RgbOf(shot.At(c.right - 1 - fw + x, c.bottom - 1 - fh + y)) == p;
        }
    EXPECT_GT(opaque, 0);
    EXPECT_EQ(matched, opaque);
}

} // namespace
} // namespace kv::test

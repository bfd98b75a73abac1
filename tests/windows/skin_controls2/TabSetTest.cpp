// Skinned tab sets: chosen for the control by its class name, the tab image turned upside down
// with the selected tab's frame read back from the screen, picks and scrolling by the real
// mouse, the room rule for tabs beside the scroller, the messages around the control's own
// procedure, skins without the art, 0 and 200 tabs, and handle counts over attach cycles.
#include "Controls2Fixture.h"

#include "skin/controls/ControlSkinChoice.h"
#include "skin/controls/SkinTab31.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/form/draw/SkinDraw.h"
#include "tests/windows/support/GuiObjects.h"
#include "tests/windows/support/MessageSequence.h"
#include "tests/windows/support/WindowProcTap.h"
#include "ui/controls/TabSet.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace kv::test {
namespace {

class SkinnedTabSet : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        form->SetBounds(100, 100, 480, 300);
        tabs = Place<TTabSet>(10, 150, 360, 21);
        for (const char* t : {"First", "Second", "Third"}) tabs->Tabs().Add(t);
        tabs->SetTabIndex(1);
        tabs->OnChange = [this](TObject*) { ++changes; };
        // Left to the tests that attach a skin by hand.
        manual = Place<TTabSet>(10, 200, 360, 21);
        manual->SetTag(data->DisableTag());
        for (const char* t : {"One", "Two"}) manual->Tabs().Add(t);
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinTab31>(skin, tabs);
        ASSERT_NE(skinned, nullptr);
        Pump(80);
    }

    static void Repaint(TWinControl* c) {
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump(60);
    }

    // The window as the skin should show it: the face, and each drawn tab's frame from `image`.
    PixelBuffer Expected(const TSkinTab31& s, TWinControl* c, const PixelBuffer& image) {
        RECT r = WindowRectOf(c->Handle());
        PixelBuffer out(r.right - r.left, r.bottom - r.top);
        const Pixel face = ToPixel(data->ButtonFaceColor());
        for (int y = 0; y < out.Height(); ++y)
            for (int x = 0; x < out.Width(); ++x) out.At(x, y) = face;
        const TDataSkinBorder& t = *data->Skin()->Tabs;
        for (const DrawnTab& d : s.LastTabs())
            DrawNineSlice(out.View(), {d.left, 0, d.right, out.Height()}, image.View(), false,
                          t.Tile == 1, t.Trans == 1, t.FrameCount, d.frame,
                          {t.LeftWidth, t.TopHeight, t.RightWidth, t.BottomHeight});
        return out;
    }

    // Differences in the outer two columns of every drawn tab (the text stays in the middle).
    static int EdgeDifferences(const TSkinTab31& s, const PixelBuffer& a, const PixelBuffer& b) {
        int n = 0;
        for (const DrawnTab& d : s.LastTabs())
            for (int x : {d.left, d.left + 1, d.right - 2, d.right - 1})
                n += Differences(a, b, {x, 0, x + 1, a.Height()});
        return n;
    }

    std::unique_ptr<TSkinTab31> AttachByHand(TTabSet* to) {
        auto s = std::make_unique<TSkinTab31>(to);
        s->AttachControl(skin, data, false);
        return s;
    }

    TTabSet* tabs = nullptr;
    TTabSet* manual = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinTab31* skinned = nullptr;
    int changes = 0;
};

TEST_F(SkinnedTabSet, ChosenByItsClassNameOnlyWithTabArt) {
    EXPECT_EQ(ChooseFromTable(*tabs, *data).row, 4);
    EXPECT_EQ(ChooseFromTable(*tabs, *data).kind, SkinKind::Tab31);
    EXPECT_EQ(SkinOf<TSkinTab31>(skin, manual), nullptr) << "its tag keeps it unskinned";
    data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcTab));
    EXPECT_NE(ChooseFromTable(*tabs, *data).row, 4);
    data->SetSkinControls(kDefaultSkinControls);
    // The scroller, the tab set's first component, is skinned as an across up-down.
    ASSERT_NE(skinned->UpDown(), nullptr);
    EXPECT_EQ(skinned->Scroller(), tabs->Scroller());
    EXPECT_EQ(skinned->UpDown()->Handle(), tabs->Scroller()->Handle());
    EXPECT_NE(std::find(skin->ControlSkins.begin(), skin->ControlSkins.end(), skinned->UpDown()),
              skin->ControlSkins.end());
}

TEST_F(SkinnedTabSet, TheTabImageIsTurnedUpsideDownAtAttach) {
    const PixelBuffer& art = data->Skin()->Tabs->Bitmap;
    const PixelBuffer& turned = skinned->TabImage();
    ASSERT_EQ(turned.Width(), art.Width());
    ASSERT_EQ(turned.Height(), art.Height());
    int mismatches = 0, asymmetric = 0;
    for (int y = 0; y < art.Height(); ++y)
        for (int x = 0; x < art.Width(); ++x) {
            mismatches += RgbOf(turned.At(x, y)) != RgbOf(art.At(x, art.Height() - 1 - y));
            asymmetric += RgbOf(art.At(x, y)) != RgbOf(art.At(x, art.Height() - 1 - y));
        }
    EXPECT_EQ(mismatches, 0);
    ASSERT_GT(asymmetric, 0) << "the stored art must tell upside down from upright";
}

TEST_F(SkinnedTabSet, TheSelectedTabGetsFrameTwoReadFromTheScreen) {
    Repaint(tabs);
    ASSERT_EQ(skinned->LastTabs().size(), 3u);
    for (const DrawnTab& d : skinned->LastTabs()) EXPECT_EQ(d.frame, d.index == 1 ? 2 : 1);
    EXPECT_EQ(skinned->LastTabs().front().left, tabs->StartMargin());
    const PixelBuffer shot = ScreenShotOf(tabs->Handle());
    EXPECT_EQ(EdgeDifferences(*skinned, shot, Expected(*skinned, tabs, skinned->TabImage())), 0);
    // Drawn upright, the tabs would look different: the test sees the turn.
    EXPECT_GT(EdgeDifferences(*skinned, shot, Expected(*skinned, tabs, data->Skin()->Tabs->Bitmap)),
              0);
    // Past the last tab: the face colour.
    const DrawnTab& last = skinned->LastTabs().back();
    EXPECT_EQ(shot.At(last.right + 5, 10), ToPixel(data->ButtonFaceColor()));
    // Disabled: the same frames, only the texts change colour.
    tabs->SetEnabled(false);
    Repaint(tabs);
    ASSERT_EQ(skinned->LastTabs().size(), 3u);
    const PixelBuffer disabled = ScreenShotOf(tabs->Handle());
    EXPECT_EQ(EdgeDifferences(*skinned, disabled, shot), 0);
    EXPECT_GT(Differences(disabled, shot, {0, 0, shot.Width(), shot.Height()}), 0)
        << "the texts in the disabled colour";
}

TEST_F(SkinnedTabSet, TheRealMousePicksATabAndScrollsTheRow) {
    RECT r = WindowRectOf(tabs->Handle());
    const DrawnTab third = skinned->LastTabs().at(2);
    MouseAt(r.left + (third.left + third.right) / 2, r.top + 10);
    Button(true);
    Button(false);
    ASSERT_TRUE(WaitFor([&] { return tabs->TabIndex() == 2; }, 1500));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(WaitFor(
        [&] {
            const auto& drawn = skinned->LastTabs();
            return drawn.size() == 3 && drawn[2].frame == 2 && drawn[1].frame == 1;
        },
        1500))
        << "the skin shows the new choice";
    for (int i = 0; i < 30; ++i) tabs->Tabs().Add("More " + std::to_string(i));
    ASSERT_TRUE(tabs->ScrollerShown());
    Repaint(tabs);
    RECT arrows = WindowRectOf(tabs->Scroller()->Handle());
    MouseAt(arrows.right - 3, (arrows.top + arrows.bottom) / 2);
    Button(true);
    Button(false);
    ASSERT_TRUE(WaitFor([&] { return tabs->FirstIndex() == 1; }, 1500));
    EXPECT_TRUE(WaitFor(
        [&] {
            const auto& drawn = skinned->LastTabs();
            return !drawn.empty() && drawn.front().index == 1 &&
                   drawn.front().left == tabs->StartMargin();
        },
        1500));
    EXPECT_NE(skinned->UpDown()->LastSecondState(), 0) << "the arrows were drawn by their skin";
}

// A long tab that does not fit is passed over and a later short one still drawn; beside the
// shown scroller a tab needs 12 more pixels.
TEST_F(SkinnedTabSet, TabsBesideTheScrollerNeedTwelveMorePixels) {
    tabs->Tabs().Clear();
    for (const char* t : {"A", "B", "A very long tab that cannot fit here", "C"})
        tabs->Tabs().Add(t);
    const std::vector<int> w = tabs->TabWidths();
    const int exact = tabs->StartMargin() + w[0] + w[1] + w[3] + 12 + tabs->EndMargin();
    tabs->SetWidth(exact);
    ASSERT_TRUE(tabs->ScrollerShown()) << "the long tab overflows the row";
    Repaint(tabs);
    std::vector<int> drawn;
    for (const DrawnTab& d : skinned->LastTabs()) drawn.push_back(d.index);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 3}));
    tabs->SetWidth(exact - 1);
    Repaint(tabs);
    drawn.clear();
    for (const DrawnTab& d : skinned->LastTabs()) drawn.push_back(d.index);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1})) << "one pixel short of the 12";
}

// The paint reaches the control's own procedure after the skin painted; the erase never does.
TEST_F(SkinnedTabSet, PaintGoesOnToTheControlEraseStaysWithTheSkin) {
    Repaint(manual);
    MessageSequence seq;
    seq.Ignore(WM_GETTEXTLENGTH);
    seq.Watch(manual->Handle());
    WindowProcTap tap(*manual, seq);
    auto s = AttachByHand(manual);
    // Attaching reads the text through the subclass down to the control.
    EXPECT_TRUE(seq.MatchAndClear(
        {{WM_GETTEXT, Seq::Sent | Seq::Default}, {WM_GETTEXT, Seq::Method | Seq::Default}},
        "attach"));
    SendMessageW(manual->Handle(), WM_ERASEBKGND, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_ERASEBKGND, Seq::Sent}}, "erase kept"));
    InvalidateRect(manual->Handle(), nullptr, TRUE);
    UpdateWindow(manual->Handle());
    EXPECT_TRUE(seq.MatchAndClear({{WM_PAINT, Seq::Sent | Seq::Default},
                                   {WM_ERASEBKGND, Seq::Sent | Seq::Optional},
                                   {WM_PAINT, Seq::Method}},
                                  "paint: the skin's, then the control's"));
    EXPECT_EQ(s->LastTabs().size(), 2u) << "and the skin painted after it";
    s.reset();
    SendMessageW(manual->Handle(), WM_ERASEBKGND, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear(
        {{WM_ERASEBKGND, Seq::Sent | Seq::Default}, {WM_ERASEBKGND, Seq::Method | Seq::Default}},
        "detached: the erase reaches the control"));
}

TEST_F(SkinnedTabSet, NoTabsAndTwoHundredTabs) {
    tabs->Tabs().Clear();
    Repaint(tabs);
    EXPECT_TRUE(skinned->LastTabs().empty());
    EXPECT_FALSE(tabs->ScrollerShown());
    const PixelBuffer empty = ScreenShotOf(tabs->Handle());
    EXPECT_EQ(Differences(empty, Expected(*skinned, tabs, skinned->TabImage()),
                          {0, 0, empty.Width(), empty.Height()}),
              0)
        << "only the face";
    for (int i = 0; i < 200; ++i) tabs->Tabs().Add("Tab " + std::to_string(i));
    tabs->SetTabIndex(199);
    Repaint(tabs);
    ASSERT_TRUE(tabs->ScrollerShown());
    ASSERT_FALSE(skinned->LastTabs().empty());
    const int limit = tabs->Width() - tabs->EndMargin() - 12;
    for (const DrawnTab& d : skinned->LastTabs()) EXPECT_LE(d.right, limit);
    tabs->SetFirstIndex(199);
    Repaint(tabs);
    ASSERT_EQ(skinned->LastTabs().size(), 1u);
    EXPECT_EQ(skinned->LastTabs().front().frame, 2);
}

TEST_F(SkinnedTabSet, WithoutTabArtOrWithTooNarrowArtNothingBreaks) {
    UseSkin(EditedSkin("[Tabs]", "[NoTabsHere]"));
    ASSERT_EQ(data->Skin()->Tabs, nullptr);
    EXPECT_NE(ChooseFromTable(*manual, *data).row, 4);
    {
        auto s = AttachByHand(manual);
        EXPECT_TRUE(s->TabImage().Empty());
        Repaint(manual);
        EXPECT_TRUE(s->LastTabs().empty()) << "the control keeps its own look";
        // Its own look: the unselected tabs in the window colour.
        const PixelBuffer shot = ScreenShotOf(manual->Handle());
        const std::vector<TTabSlot> row = manual->VisibleTabs();
        ASSERT_EQ(row.size(), 2u);
        EXPECT_EQ(shot.At((row[0].left + row[0].right) / 2, 2), ToPixel(GetSysColor(COLOR_WINDOW)));
    }
    UseSkin(SkinWith("", {{"Image=tabs.bmp", "Image=kvtiny.bmp"}},
                     {{"kvtiny.bmp", StripBmp(1, 1, 1, 0x808080)}}));
    ASSERT_NE(data->Skin()->Tabs, nullptr);
    auto s = AttachByHand(manual);
    Repaint(manual);
    EXPECT_EQ(s->LastTabs().size(), 2u) << "a 1 x 1 image of 5 frames draws, and nothing breaks";
    EXPECT_TRUE(IsWindow(manual->Handle()));
}

TEST_F(SkinnedTabSet, AttachAndDetachCyclesKeepHandleCountsFlat) {
    for (int i = 0; i < 60; ++i) manual->Tabs().Add("Tab " + std::to_string(i));
    auto cycle = [&] {
        auto s = AttachByHand(manual);
        Repaint(manual);
        EXPECT_FALSE(s->LastTabs().empty());
        delete s->UpDown(); // a skin of the form's list that lives with the tab set otherwise
        EXPECT_EQ(s->UpDown(), nullptr);
    };
    cycle();
    const GuiObjects before = CountGuiObjects();
    for (int i = 0; i < 20; ++i) cycle();
    EXPECT_TRUE(GrewAtMost(before, CountGuiObjects(), 2));
    // Skinning the whole form off and on again gives the tab set a new skin each time.
    auto offAndOn = [&] {
        data->SetActive(false);
        Pump(300);
        data->SetActive(true);
        Pump(300);
        Repaint(tabs);
    };
    offAndOn(); // the first round makes what the skin keeps for good
    const GuiObjects warm = CountGuiObjects();
    for (int i = 0; i < 4; ++i) offAndOn();
    skin = SkinManager->FindForm(form->Handle());
    ASSERT_NE(skin, nullptr);
    EXPECT_NE(SkinOf<TSkinTab31>(skin, tabs), nullptr);
    EXPECT_TRUE(GrewAtMost(warm, CountGuiObjects(), 2));
}

} // namespace
} // namespace kv::test

// Skinned tab controls: the focused tab's frame read back from the screen, tabs on all four
// sides, the overflow arrows skinned and left unpainted-over, no tabs and 200 tabs, and skins
// without the tab art.
#include "Controls2Fixture.h"

#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/form/draw/SkinDraw.h"
#include "ui/controls/ComCtrlsTabs.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace kv::test {
namespace {

TEST(TabSide, ComesFromTheBottomAndVerticalStyles) {
    EXPECT_EQ(TabSideOf(0), tsTop);
    EXPECT_EQ(TabSideOf(TCS_BOTTOM), tsBottom);
    EXPECT_EQ(TabSideOf(TCS_VERTICAL), tsLeft);
    EXPECT_EQ(TabSideOf(TCS_VERTICAL | TCS_BOTTOM), tsRight);
}

class SkinnedTabs : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        form->SetBounds(100, 100, 480, 340);
        tabs = Place<TTabControl>(10, 10, 300, 120);
        for (const char* t : {"First", "Second", "Third"}) tabs->Tabs().Add(t);
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinTab>(skin, tabs);
        ASSERT_NE(skinned, nullptr);
        Pump(80);
    }

    // A bare tab control of `style` with `count` tabs, not activated (so not skinned by the
    // manager), skinned here.
    HWND BareTabs(DWORD style, int count, TSkinTab& with) {
        bare = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 60, 420, 360, 200, nullptr, nullptr,
                               nullptr, nullptr);
        HWND h = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 360,
                                 200, bare, nullptr, nullptr, nullptr);
        for (int i = 0; i < count; ++i) {
            std::wstring text = L"Tab " + std::to_wstring(i);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            SendMessageW(h, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        }
        ShowWindow(bare, SW_SHOWNOACTIVATE);
        with.AttachHandle(h, data, nullptr);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump(80);
        return h;
    }
    void TearDown() override {
        if (bare) DestroyWindow(bare);
        Controls2::TearDown();
    }

    // Pixels of the tab's left and right columns that differ from frame `state` of the Tabs
    // image drawn there over what the screen shows.
    int TabColumnDifferences(int index, int state) {
        RECT r{};
        SendMessageW(tabs->Handle(), TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
        OffsetRect(&r, 0, 1);
        const PixelBuffer shot = ScreenShotOf(tabs->Handle());
        PixelBuffer expected = shot;
        const TDataSkinBorder& t = *data->Skin()->Tabs;
        DrawNineSlice(expected.View(), {r.left, r.top, r.right, r.bottom}, t.Bitmap.View(), false,
                      t.Tile == 1, t.Trans == 1, t.FrameCount, state,
                      {t.LeftWidth, t.TopHeight, t.RightWidth, t.BottomHeight});
        int n = 0;
        // The upper half: the page frame's edge is drawn over the tabs' feet.
        for (int y = r.top; y < (r.top + r.bottom) / 2; ++y)
            for (int x : {int(r.left), int(r.right) - 1})
                n += RgbOf(shot.At(x, y)) != RgbOf(expected.At(x, y));
        return n;
    }

    TTabControl* tabs = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinTab* skinned = nullptr;
    HWND bare = nullptr;
};

TEST_F(SkinnedTabs, TheTabWithTheFocusGetsFrameTwo) {
    SendMessageW(tabs->Handle(), TCM_SETCURFOCUS, 0, 0);
    RedrawWindow(tabs->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(80);
    ASSERT_EQ(skinned->LastStates(), (std::vector<int>{2, 1, 1}));
    EXPECT_EQ(TabColumnDifferences(0, 2), 0);
    EXPECT_EQ(TabColumnDifferences(1, 1), 0);
    // The focus, not the selection, decides.
    SendMessageW(tabs->Handle(), TCM_SETCURFOCUS, 2, 0);
    RedrawWindow(tabs->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(80);
    EXPECT_EQ(skinned->LastStates(), (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(TabColumnDifferences(2, 2), 0);
    EXPECT_EQ(TabColumnDifferences(0, 1), 0);
    tabs->SetEnabled(false);
    Pump(80);
    EXPECT_EQ(skinned->LastStates().size(), 3u) << "disabled: still drawn from the skin";
}

TEST_F(SkinnedTabs, TabsOnEverySideAreDrawnAndTheBorderImageTurned) {
    for (DWORD style : {DWORD(TCS_BOTTOM), DWORD(TCS_VERTICAL | TCS_MULTILINE),
                        DWORD(TCS_VERTICAL | TCS_BOTTOM | TCS_MULTILINE)}) {
        TSkinTab side(nullptr);
        HWND h = BareTabs(style, 3, side);
        EXPECT_EQ(side.Side(), TabSideOf(style));
        EXPECT_EQ(side.LastStates().size(), 3u) << style;
        DestroyWindow(bare);
        bare = nullptr;
        (void)h;
    }
}

TEST_F(SkinnedTabs, NoTabsAndTwoHundredTabsWithTheirArrowsSkinned) {
    {
        TSkinTab none(nullptr);
        BareTabs(0, 0, none);
        EXPECT_TRUE(none.LastStates().empty());
        DestroyWindow(bare);
        bare = nullptr;
    }
    TComponent owner(nullptr);
    auto* many = new TSkinTab(&owner);
    HWND h = BareTabs(0, 200, *many);
    // Only the tabs the control gives a rectangle (those in view) are drawn.
    EXPECT_GT(many->LastStates().size(), 0u);
    EXPECT_LE(many->LastStates().size(), 200u);
    ASSERT_NE(many->UpDown(), nullptr) << "the overflow arrows are skinned";
    HWND arrows = many->UpDown()->Handle();
    EXPECT_EQ(GetParent(arrows), h);
    // The row is copied around the arrows: they show their own (skin's) face colour.
    RECT a = WindowRectOf(arrows);
    EXPECT_EQ(RgbOf(ToPixel(ScreenPixel(a.left + 2, (a.top + a.bottom) / 2))),
              ToPixel(data->ButtonFaceColor()));
    SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(many->LastStates().empty());
}

TEST_F(SkinnedTabs, WithoutTabArtTheControlKeepsItsOwnTabs) {
    UseSkin(EditedSkin("[Tabs]", "[NoTabsHere]"));
    EXPECT_EQ(data->Skin()->Tabs, nullptr);
    TSkinTab plain(nullptr);
    BareTabs(0, 3, plain);
    EXPECT_TRUE(plain.LastStates().empty());
    EXPECT_TRUE(IsWindow(tabs->Handle()));
}

// A page control on a skinned form, switched as a user does: a click on a tab, then Ctrl+Tab and
// Ctrl+Shift+Tab from the keyboard, the skin showing the chosen tab in its frame each time.
class SkinnedPages : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        form->SetBounds(100, 100, 480, 340);
        pages = Place<TPageControl>(10, 10, 320, 200);
        for (const char* caption : {"One", "Two", "Three"}) {
            auto* sheet = new TTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        pages->SetActivePageIndex(0);
        pages->OnChange = [this](TObject*) { ++changes; };
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinTab>(skin, pages);
        ASSERT_NE(skinned, nullptr);
        Pump(80);
    }

    static void CtrlTab(bool shift) {
        std::vector<WORD> held{VK_CONTROL};
        if (shift) held.push_back(VK_SHIFT);
        std::vector<INPUT> in;
        auto key = [&](WORD vk, bool down) {
            INPUT k{};
            k.type = INPUT_KEYBOARD;
            k.ki.wVk = vk;
            k.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
            in.push_back(k);
        };
        for (WORD vk : held) key(vk, true);
        key(VK_TAB, true);
        key(VK_TAB, false);
        for (auto vk = held.rbegin(); vk != held.rend(); ++vk) key(*vk, false);
        SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
    }

    // Waits until page `index` is in front, then for the skin to show its tab as chosen.
    bool PageShown(int index) {
        return WaitFor([&] {
            const std::vector<int>& states = skinned->LastStates();
            return pages->ActivePageIndex() == index && states.size() == 3 && states[index] == 2;
        }, 1500);
    }

    TPageControl* pages = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinTab* skinned = nullptr;
    int changes = 0;
};

TEST_F(SkinnedPages, AClickAndCtrlTabSwitchPagesAndTheSkinFollows) {
    RECT tab{};
    SendMessageW(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    MapWindowPoints(pages->Handle(), nullptr, reinterpret_cast<POINT*>(&tab), 2);
    MouseAt((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    Button(true);
    Button(false);
    EXPECT_TRUE(PageShown(1)) << "a click on the second tab";
    EXPECT_EQ(changes, 1);
    SetFocus(pages->Handle());
    CtrlTab(false);
    EXPECT_TRUE(PageShown(2)) << "Ctrl+Tab: the next page";
    CtrlTab(false);
    EXPECT_TRUE(PageShown(0)) << "Ctrl+Tab from the last page: the first";
    CtrlTab(true);
    EXPECT_TRUE(PageShown(2)) << "Ctrl+Shift+Tab: the previous page";
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(IsWindowVisible(pages->Pages(2)->Handle()));
    EXPECT_FALSE(IsWindowVisible(pages->Pages(0)->Handle()));
}

} // namespace
} // namespace kv::test

// Building the bar from the window's menu and rebuilding it when the menu changes.
#include "MenuFixture.h"

namespace kv::test {

std::vector<std::wstring> Captions(TWinSkinMenu& bar) {
    std::vector<std::wstring> out;
    for (auto& b : bar.BarButtons) out.push_back(b->Caption);
    return out;
}

TEST_F(MenuBarTest, ButtonsFollowTheMenuAndTheWindowLosesItsOwnBar) {
    TWinSkinMenu* bar = ShowBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    EXPECT_EQ(bar->BarMenu, menu->Handle());
    EXPECT_EQ(Captions(*bar), (std::vector<std::wstring>{L"&File", L"&View", L"&Run", L"&Off", L"&Help"}));
    EXPECT_EQ(Button(0)->SubMenu, file->Handle());
    EXPECT_EQ(Button(2)->SubMenu, nullptr);
    EXPECT_EQ(Button(2)->Command, run->Command());
    EXPECT_FALSE(Button(3)->Enabled);
    // Laid out left to right from the bar's start, each as wide as its caption plus 10.
    for (int i = 1; i < bar->ButtonCount(); ++i)
        EXPECT_EQ(Button(i)->BoundsRect.left, Button(i - 1)->BoundsRect.right);
    EXPECT_EQ(Button(0)->BoundsRect.top, skin->Sizes.caption);
    EXPECT_EQ(Button(0)->BoundsRect.bottom, skin->Sizes.caption + skin->MenuBarHeight - 1);
    // Taking the skin off gives the window its menu back.
    skin->Detach();
    EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
}

// A language change renames the items: the bar shows the new captions, measured again.
TEST_F(MenuBarTest, ChangedCaptionsReachTheBarWithNewWidths) {
    TWinSkinMenu* bar = ShowBar();
    ASSERT_NE(bar, nullptr);
    const int fileWidth = Button(0)->BoundsRect.Width();
    menu->BeginUpdate();
    file->SetCaption("&File and more");
    view->SetCaption("&V");
    menu->EndUpdate();
    ASSERT_NE(skin->MenuBar(), nullptr);
    EXPECT_EQ(Captions(*bar)[0], L"&File and more");
    EXPECT_EQ(Captions(*bar)[1], L"&V");
    EXPECT_GT(Button(0)->BoundsRect.Width(), fileWidth);
    EXPECT_EQ(Button(1)->BoundsRect.left, Button(0)->BoundsRect.right);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}

// Every rebuild frees the buttons; a hot or pressed one must not stay behind in the form
// skin, where the hover timer would call it.
TEST_F(MenuBarTest, AHundredRebuildsWithAHotButtonLeaveNoStaleButton) {
    ASSERT_NE(ShowBar(), nullptr);
    const POINT p = ButtonCentre(0);
    MouseAt(p.x, p.y);
    ASSERT_TRUE(WaitFor([&] { return skin->HotObject == Button(0); }, 2000));
    for (int i = 0; i < 100; ++i) {
        file->SetCaption(i % 2 ? "&File" : "&Fichier");
        ASSERT_TRUE(skin->HotObject == nullptr ||
                    std::any_of(skin->MenuBar()->BarButtons.begin(), skin->MenuBar()->BarButtons.end(),
                                [&](auto& b) { return b.get() == skin->HotObject; }));
    }
    MouseAt(20, 20);
    Pump(700); // the hover timer runs over the rebuilt bar
    EXPECT_EQ(skin->HotObject, nullptr);
    EXPECT_EQ(Button(0)->Caption, L"&File");
}

} // namespace kv::test

// The menu bar with real keyboard and mouse input: opening, switching, closing, commands.
#include "MenuFixture.h"

namespace kv::test {

TEST_F(MenuBarTest, AltAndALetterOpensThatMenuAndEscapeClosesIt) {
    ASSERT_NE(ShowBar(), nullptr);
    std::vector<HMENU> seen;
    int index = -2;
    MenuScript::Run({[&] {
                         seen = OpenPopupMenus();
                         index = OpenMenuIndex();
                         Key(VK_ESCAPE);
                     },
                     [] {}});
    AltKey('F');
    ASSERT_TRUE(WaitScript());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], file->Handle());
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(OpenPopupMenus().empty());
    EXPECT_FALSE(skin->InMenuLoop());
    EXPECT_EQ(opens, 0);
}

// Right from the last menu opens the first; left from the first opens the last.
TEST_F(MenuBarTest, ArrowKeysWrapAroundTheBar) {
    ASSERT_NE(ShowBar(), nullptr);
    std::vector<int> indices;
    std::vector<HMENU> menus;
    auto record = [&] {
        indices.push_back(OpenMenuIndex());
        const auto popups = OpenPopupMenus();
        menus.push_back(popups.empty() ? nullptr : popups[0]);
    };
    MenuScript::Run({[&] { record(); Key(VK_RIGHT); },
                     [&] { record(); Key(VK_LEFT); },
                     [&] { record(); Key(VK_RIGHT); },
                     [&] { record(); Key(VK_ESCAPE); },
                     [] {}});
    AltKey('H');
    ASSERT_TRUE(WaitScript());
    EXPECT_EQ(indices, (std::vector<int>{4, 0, 4, 0}));
    EXPECT_EQ(menus, (std::vector<HMENU>{help->Handle(), file->Handle(), help->Handle(),
                                         file->Handle()}));
}

// In a submenu the arrows belong to the menu: left closes the submenu, right on an item with
// a submenu opens it; only then do they move along the bar.
TEST_F(MenuBarTest, ArrowKeysInsideSubmenusStayInTheMenu) {
    ASSERT_NE(ShowBar(), nullptr);
    std::vector<int> indices;
    std::vector<size_t> depth;
    auto record = [&] {
        indices.push_back(OpenMenuIndex());
        depth.push_back(OpenPopupMenus().size());
    };
    MenuScript::Run({[&] { record(); Key(VK_DOWN); },          // View: Show, then Language
                     [&] { record(); Key(VK_RIGHT); },         // opens Language
                     [&] { record(); Key(VK_LEFT); },          // closes it again
                     [&] { record(); Key(VK_LEFT); },          // to File
                     [&] { record(); Key(VK_ESCAPE); },
                     [] {}});
    AltKey('V');
    ASSERT_TRUE(WaitScript());
    EXPECT_EQ(indices, (std::vector<int>{1, 1, 1, 1, 0}));
    EXPECT_EQ(depth, (std::vector<size_t>{1, 1, 2, 1, 1}));
}

TEST_F(MenuBarTest, MovingTheMouseToAnotherButtonSwitchesMenusWithoutAClick) {
    ASSERT_NE(ShowBar(), nullptr);
    std::vector<int> indices;
    const POINT viewAt = ButtonCentre(1), helpAt = ButtonCentre(4);
    MenuScript::Run({[&] { indices.push_back(OpenMenuIndex()); MoveNow(viewAt.x, viewAt.y); },
                     [&] { indices.push_back(OpenMenuIndex()); MoveNow(helpAt.x, helpAt.y); },
                     [&] { indices.push_back(OpenMenuIndex()); Key(VK_ESCAPE); },
                     [] {}});
    ClickButton(0);
    ASSERT_TRUE(WaitScript());
    EXPECT_EQ(indices, (std::vector<int>{0, 1, 4}));
    EXPECT_EQ(opens, 0);
}

TEST_F(MenuBarTest, ATopLevelItemWithoutSubmenuRunsAtOnce) {
    ASSERT_NE(ShowBar(), nullptr);
    bool popupSeen = false;
    MenuScript::Run({[&] { popupSeen = !OpenPopupMenus().empty(); }});
    ClickButton(2);
    EXPECT_TRUE(WaitFor([&] { return runs == 1 && MenuScript::Done(); }));
    Pump(200);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(popupSeen);
    EXPECT_EQ(OpenMenuIndex(), -1);
}

// The disabled item's command is posted, but neither its menu opens nor its click runs.
TEST_F(MenuBarTest, ADisabledTopLevelItemOpensNothingAndItsCommandDoesNothing) {
    ASSERT_NE(ShowBar(), nullptr);
    ASSERT_FALSE(Button(3)->Enabled);
    bool popupSeen = false;
    MenuScript::Run({[&] { popupSeen = !OpenPopupMenus().empty(); }});
    ClickButton(3);
    WaitFor([] { return MenuScript::Done(); });
    Pump(200);
    EXPECT_FALSE(popupSeen);
    EXPECT_EQ(offs, 0);
    // Its accelerator does not open it either.
    AltKey('O');
    Pump(300);
    EXPECT_TRUE(OpenPopupMenus().empty());
    EXPECT_EQ(offs, 0);
}

TEST_F(MenuBarTest, AClickOnAnItemRunsItExactlyOnce) {
    ASSERT_NE(ShowBar(), nullptr);
    MenuScript::Run({[&] {
                         HWND popup = OpenPopupWindow();
                         RECT item{};
                         if (popup) GetMenuItemRect(nullptr, file->Handle(), 0, &item);
                         MoveNow((item.left + item.right) / 2, (item.top + item.bottom) / 2);
                     },
                     [&] { ClickNow(); },
                     [] {}});
    ClickButton(0);
    ASSERT_TRUE(WaitScript());
    ASSERT_TRUE(WaitFor([&] { return opens > 0; }, 2000));
    Pump(300);
    EXPECT_EQ(opens, 1);
}

} // namespace kv::test

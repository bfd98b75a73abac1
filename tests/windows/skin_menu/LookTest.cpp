// Pictures of the bar and its menus for a person to look at (run on request:
// --gtest_also_run_disabled_tests; KV_MENU_SHOTS names the folder).
#include "MenuFixture.h"
#include "ScreenFile.h"

#include <cstdlib>

namespace kv::test {

TEST_F(MenuBarTest, DISABLED_Pictures) {
    ASSERT_NE(ShowBar(), nullptr);
    const char* dir = std::getenv("KV_MENU_SHOTS");
    const std::string folder = dir ? dir : ".";
    RECT w = WindowRectOf(form->Handle());
    RECT area{w.left - 10, w.top - 10, w.right + 200, w.bottom + 100};
    MenuScript::Run({[&] { Key(VK_DOWN); Key(VK_RIGHT); },
                     [&] {
                         SaveScreen(folder + "\\view-menu.bmp", area);
                     },
                     [&] { Key(VK_ESCAPE); Key(VK_ESCAPE); },
                     [] {}}, 3000);
    AltKey('V');
    ASSERT_TRUE(WaitScript(15000));
    MenuScript::Run({[&] { Key(VK_DOWN); },
                     [&] { SaveScreen(folder + "\\file-menu.bmp", area); Key(VK_ESCAPE); },
                     [] {}});
    AltKey('F');
    ASSERT_TRUE(WaitScript());
}

} // namespace kv::test

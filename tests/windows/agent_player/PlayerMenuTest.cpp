// The character's own menu on a right click, its tray icon while visible and that icon's
// menu, in the texts the program gives; tray icon blocks good and damaged.
#include "PlayerFixture.h"

#include "agent/player/CharacterWindow.h"
#include "agent/player/PlayerHooks.h"

#include <windows.h>

#include <shellapi.h>

namespace kv::agent::testing {
namespace {

// Inside the menu's own loop: what the observer does when the menu opens. A timer closes a
// menu that nothing closed, so a broken test fails instead of hanging.
void CALLBACK CloseStrayMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

class PlayerMenuTest : public PlayerTest {
protected:
    // Right-clicks `window` (or its tray icon) and, once the menu is open, presses `keys`.
    std::wstring OpenMenu(HWND window, bool tray, std::vector<WPARAM> keys) {
        std::wstring items;
        player::SetPlayerObserver([&, window, keys](const PlayerEvent& e) {
            events.push_back(e);
            if (e.kind != Kind::MenuOpened) return;
            items = e.text;
            SetTimer(nullptr, 0, 3000, CloseStrayMenu);
            for (WPARAM key : keys) {
                PostMessageW(window, WM_KEYDOWN, key, 0);
                PostMessageW(window, WM_KEYUP, key, 0);
            }
        });
        if (tray)
            SendMessageW(window, player::kTrayCallback, 1, WM_RBUTTONUP);
        else
            SendMessageW(window, WM_NCRBUTTONUP, HTCAPTION, 0);
        player::SetPlayerObserver([this](const PlayerEvent& e) { events.push_back(e); });
        return items;
    }

    static bool ShellHasIcon(HWND window) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = window;
        data.uID = 1;
        return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }
};

TEST_F(PlayerMenuTest, ARightClickOpensTheMenuAndHideHides) {
    bob.Show(1);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(CharacterWindow()); }));
    EXPECT_EQ(OpenMenu(CharacterWindow(), false, {VK_DOWN, VK_RETURN}), L"&Hide");
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::Hidden) == 1; }));
    EXPECT_FALSE(IsWindowVisible(CharacterWindow()));
    EXPECT_EQ(Count(Kind::AnimationStart, L"Hide"), 1) << "hidden the usual way";

    // Leaving the menu without a choice changes nothing.
    bob.Show(1);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(CharacterWindow()); }));
    OpenMenu(CharacterWindow(), false, {VK_ESCAPE, VK_ESCAPE});
    PumpFor(100);
    EXPECT_TRUE(IsWindowVisible(CharacterWindow()));
}

TEST_F(PlayerMenuTest, MenuTextsFollowTheProgramsLanguage) {
    player::SetPlayerMenuTexts({L"\u663e\u793a(&S)", L"\u9690\u85cf(&H)"});
    bob.Show(1);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(CharacterWindow()); }));
    EXPECT_EQ(OpenMenu(CharacterWindow(), false, {VK_ESCAPE, VK_ESCAPE}), L"\u9690\u85cf(&H)");
    EXPECT_EQ(OpenMenu(CharacterWindow(), true, {VK_ESCAPE, VK_ESCAPE}),
              L"\u663e\u793a(&S)|\u9690\u85cf(&H)")
        << "the tray icon's menu shows or hides";
}

TEST_F(PlayerMenuTest, TheTrayIconComesAndGoesWithTheCharacter) {
    auto trayEvents = [&] {
        std::vector<std::wstring> out;
        for (const PlayerEvent& e : Events(Kind::TrayIcon)) out.push_back(e.text);
        return out;
    };
    EXPECT_TRUE(trayEvents().empty()) << "hidden: no icon";
    bob.Show(1);
    ASSERT_TRUE(PumpUntil([&] { return trayEvents().size() == 1; }));
    bool shellTray = trayEvents()[0] == L"added";
    if (shellTray) {
        EXPECT_TRUE(ShellHasIcon(CharacterWindow()));
    }
    bob.Hide(1);
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::Hidden) == 1; }));
    if (shellTray) {
        EXPECT_EQ(trayEvents(), (std::vector<std::wstring>{L"added", L"removed"}));
        EXPECT_FALSE(ShellHasIcon(CharacterWindow()));
    }
    bob.Show(1);
    ASSERT_TRUE(PumpUntil([&] { return trayEvents().size() == 3; }));
    HWND window = CharacterWindow();
    agent->Unload(L"Bob");
    if (shellTray) {
        EXPECT_FALSE(ShellHasIcon(window)) << "unloading takes the icon away";
    }
    RecordProperty("shell_tray", shellTray ? "yes" : "no");
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof(bm), &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
}

TEST_F(PlayerMenuTest, TheFilesTrayIconOrAPlainOneWhenItsBlockIsDamaged) {
    LoadAs(L"Idler", MakeIdleCharacter());
    HICON own = player::PlayerWindows(L"Idler").trayIcon;
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(IconSize(own).cx, 16);
    EXPECT_EQ(IconSize(own).cy, 16);

    AcsCharacter damaged = MakeTestCharacter();
    damaged.trayIcon = MakeTrayIcon(true);
    TAgentCharacter plain = LoadAs(L"Plain", damaged);
    EXPECT_EQ(player::PlayerWindows(L"Plain").trayIcon, LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    plain.Show(1);
    plain.Hide(1);
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::Hidden) == 1; }));
    EXPECT_EQ(player::PlayerWindows(L"Bob").trayIcon, LoadIconW(nullptr, MAKEINTRESOURCEW(32512)))
        << "no block at all";
}

} // namespace
} // namespace kv::agent::testing

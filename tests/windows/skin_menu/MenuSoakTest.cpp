// A thousand openings of the bar's menu and of a popup menu, and a hundred language changes:
// the process's GDI and USER objects end where they began.
#include "MenuFixture.h"

#include "tests/windows/support/GuiObjects.h"

#include <cstdlib>

namespace kv::test {

namespace {

int Cycles() {
    const char* text = std::getenv("KV_SOAK_CYCLES"); // shortens a run by hand
    return text ? std::atoi(text) : 1000;
}

int menusEnded = 0;

// Ends whatever menu is open, from inside its loop.
void CALLBACK EndOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (!OpenPopupWindow()) return;
    ++menusEnded;
    EndMenu();
}

} // namespace

TEST_F(MenuBarTest, MenusOpenedAThousandTimesAndLanguagesChangedLeaveNoObjectsBehind) {
    auto* popup = new TPopupMenu(form);
    for (const char* caption : {"&Cut", "-", "&Paste"}) {
        auto* item = new TMenuItem(popup);
        item->SetCaption(caption);
        popup->Items()->Add(item);
    }
    ASSERT_NE(ShowBar(), nullptr);
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, EndOpenMenu);
    const RECT w = WindowRectOf(form->Handle());
    auto openBar = [&] {
        const PixelRect b = Button(0)->BoundsRect;
        SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCLIENT,
                     MAKELPARAM(w.left + b.left + 2, w.top + b.top + 2));
    };
    auto openPopup = [&] { popup->Popup(w.left + 60, w.top + 80); };
    auto relabel = [&](int i) {
        menu->BeginUpdate();
        file->SetCaption(i % 3 == 0 ? "&File" : i % 3 == 1 ? "&Fichier" : "&Datei");
        view->SetCaption(i % 2 ? "&View" : "&Ansicht");
        menu->EndUpdate();
    };
    for (int i = 0; i < 10; ++i) { // caches fill up first
        openBar();
        openPopup();
        relabel(i);
    }
    Pump(100);
    const GuiObjects before = CountGuiObjects();
    const int cycles = Cycles();
    menusEnded = 0;
    for (int i = 0; i < cycles; ++i) {
        openBar();
        openPopup();
        if (i % (std::max(cycles / 100, 1)) == 0) relabel(i);
    }
    file->SetCaption("&File");
    Pump(200);
    const GuiObjects after = CountGuiObjects();
    KillTimer(nullptr, timer);
    EXPECT_EQ(menusEnded, 2 * cycles); // every one of them was open
    EXPECT_EQ(after.GdiTotal(), before.GdiTotal()) << DescribeChange(before, after);
    EXPECT_EQ(after.UserTotal(), before.UserTotal()) << DescribeChange(before, after);
    EXPECT_EQ(OpenMenuIndex(), -1);
    EXPECT_FALSE(skin->InMenuLoop());
    EXPECT_EQ(Button(0)->Caption, L"&File");
}

} // namespace kv::test

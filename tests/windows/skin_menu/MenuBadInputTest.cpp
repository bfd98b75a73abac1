// Skins without the menu parts, hostile captions, and menus that change or lose their skin
// while they are open.
#include "MenuFixture.h"

#include "skin/menu/PopupMenuSkin.h"
#include "tests/windows/skin_form/SkinFiles.h"

namespace kv::test {

namespace {

Pixel SkinPixel(SkinColour colour) {
    return RgbOf(ToPixel(ResolveColour(colour)));
}

Pixel ScreenAt(HWND h, int x, int y) {
    const RECT w = WindowRectOf(h);
    return RgbOf(ToPixel(ScreenPixel(w.left + x, w.top + y)));
}

} // namespace

class MenuSkinVariant : public MenuBarTest {
protected:
    // Loads the stored skin with `from` made `to` in its definition.
    void UseSkin(const char* from, const char* to) {
        ASSERT_TRUE(data->LoadSkinBytes(EditedSkin(from, to)));
    }

    // Opens File (first item selected), reads what the probe wants inside the loop, closes.
    void WithFileOpen(std::function<void(HWND popup)> probe) {
        MenuScript::Run({[&] {
                             probe(OpenPopupWindow());
                             Key(VK_ESCAPE);
                         },
                         [] {}});
        AltKey('F');
        ASSERT_TRUE(WaitScript());
    }

    static Pixel ItemPixel(HWND popup, HMENU menu, int index, int fromRight) {
        RECT r{};
        GetMenuItemRect(nullptr, menu, UINT(index), &r);
        (void)popup;
        return RgbOf(ToPixel(ScreenPixel(r.right - fromRight, (r.top + r.bottom) / 2)));
    }
};

TEST_F(MenuSkinVariant, WithoutMenuBarTheBarIsFilledWithItsColour) {
    UseSkin("menuBar=menubar.bmp", "menuBar=");
    ASSERT_FALSE(data->Skin()->MenuBar && !data->Skin()->MenuBar->Bitmap.Empty());
    ASSERT_NE(ShowBar(), nullptr);
    const PixelRect bar = skin->MenuBar()->BarRect;
    EXPECT_EQ(ScreenAt(form->Handle(), bar.right - 3, bar.top + bar.Height() / 2),
              SkinPixel(data->Skin()->MenubarColour));
    EXPECT_EQ(Button(0)->BoundsRect.left, bar.left + 6);
}

TEST_F(MenuSkinVariant, WithoutMenuItemItemsAreFlat) {
    UseSkin("[MenuItem]", "[NoMenuItem]");
    ASSERT_EQ(data->Skin()->MenuItem, nullptr);
    ASSERT_NE(ShowBar(), nullptr);
    Pixel selected = 0, normal = 0;
    WithFileOpen([&](HWND popup) {
        selected = ItemPixel(popup, file->Handle(), 0, 3);
        normal = ItemPixel(popup, file->Handle(), 2, 3);
    });
    EXPECT_EQ(selected, SkinPixel(data->Skin()->HilightColour));
    EXPECT_EQ(normal, SkinPixel(data->Skin()->MenuColour));
}

// Without a background image the popup keeps the system's frame; the items are still drawn
// from MenuItem, over MenuColour.
TEST_F(MenuSkinVariant, WithoutMenuBackgroundOrItsImageThePopupKeepsItsOwnFrame) {
    for (auto [from, to] : {std::pair{"[MenuBackground]", "[NoMenuBackground]"},
                            {"Image=menu-back.bmp", "Image=missing.bmp"}}) {
        SCOPED_TRACE(to);
        UseSkin(from, to);
        if (!skin) {
            ASSERT_NE(ShowBar(), nullptr);
        }
        Pixel normal = 0;
        int framePaints = -1;
        WithFileOpen([&](HWND popup) {
            normal = ItemPixel(popup, file->Handle(), 2, 3);
            (void)popup;
            framePaints = PendingPopup() ? 1 : 0;
        });
        EXPECT_EQ(normal, SkinPixel(data->Skin()->MenuColour));
        EXPECT_EQ(framePaints, 0); // no skinned frame waits for its menu
    }
}

// Margins far larger than the images, or negative: every menu part still draws inside its
// own bitmap and the menus open and close.
TEST_F(MenuSkinVariant, HostileMarginsLeaveTheMenusUsable) {
    ASSERT_TRUE(data->LoadSkinBytes(RepackedSkin([](SkinEntry& e) {
        if (e.name.find(".ini") == std::string::npos) return true;
        std::string text(e.bytes.begin(), e.bytes.end());
        auto edit = [&](const std::string& from, const std::string& to) {
            const size_t at = text.find(from);
            if (at != std::string::npos) text.replace(at, from.size(), to);
        };
        edit("Image=menu-tool.bmp\r\nLeftWidth=4\r\nRightWidth=4",
             "Image=menu-tool.bmp\r\nLeftWidth=100000\r\nRightWidth=-7");
        edit("Image=menu-back.bmp\r\nLeftWidth=3", "Image=menu-back.bmp\r\nLeftWidth=-100000");
        e.bytes.assign(text.begin(), text.end());
        return true;
    })));
    ASSERT_NE(data->Skin()->MenuItem, nullptr);
    ASSERT_GT(data->Skin()->MenuItem->LeftWidth, 1000);
    ASSERT_LT(data->Skin()->MenuBackground->LeftWidth, 0);
    ASSERT_NE(ShowBar(), nullptr);
    int opened = 0;
    for (WORD key : {WORD('F'), WORD('V')}) {
        MenuScript::Run({[&] { opened += int(OpenPopupMenus().size()); Key(VK_DOWN); },
                         [&] { Key(VK_ESCAPE); }, [] {}});
        AltKey(key);
        ASSERT_TRUE(WaitScript());
    }
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(IsWindow(form->Handle()));
}

// Captions that are empty, far too long, or nothing but "&".
TEST_F(MenuBarTest, HostileCaptionsLeaveTheBarUsable) {
    file->SetCaption("");
    view->SetCaption(std::string(300, 'W'));
    help->SetCaption("&&&&");
    TWinSkinMenu* bar = ShowBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(Button(0)->Caption.empty());
    EXPECT_EQ(Button(0)->BoundsRect.Width(), 0);
    EXPECT_LE(Button(1)->Caption.size(), 80u);
    EXPECT_GT(Button(4)->BoundsRect.Width(), 0);
    EXPECT_EQ(bar->ButtonAt({Button(0)->BoundsRect.left, Button(0)->BoundsRect.top + 2}),
              Button(1)); // an empty button is never hit
    EXPECT_EQ(bar->ButtonForAccelerator(L'&'), nullptr);
    // The long one still opens its menu.
    std::vector<HMENU> seen;
    MenuScript::Run({[&] { seen = OpenPopupMenus(); Key(VK_ESCAPE); }, [] {}});
    // Wider than the window: pressed near its left end.
    const RECT w = WindowRectOf(form->Handle());
    MouseAt(w.left + Button(1)->BoundsRect.left + 5, w.top + Button(1)->BoundsRect.top + 5);
    Send({ButtonInput(true)});
    Send({ButtonInput(false)});
    ASSERT_TRUE(WaitScript());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], view->Handle());
}

TEST_F(MenuBarTest, AMenuChangedWhileItIsOpenRebuildsTheBar) {
    ASSERT_NE(ShowBar(), nullptr);
    MenuScript::Run({[&] {
                         file->SetCaption("&Changed");
                         AddItem(file, "&Added");
                         view->SetVisible(false);
                     },
                     [&] { Key(VK_ESCAPE); },
                     [] {}});
    AltKey('F');
    ASSERT_TRUE(WaitScript());
    EXPECT_FALSE(skin->InMenuLoop());
    ASSERT_EQ(skin->MenuBar()->ButtonCount(), 4);
    EXPECT_EQ(Button(0)->Caption, L"&Changed");
    EXPECT_EQ(Button(1)->Caption, L"&Run");
    // And it opens again, with the added item.
    int items = 0;
    MenuScript::Run({[&] { items = GetMenuItemCount(OpenPopupMenus().empty() ? nullptr : OpenPopupMenus()[0]); Key(VK_ESCAPE); }, [] {}});
    AltKey('C');
    ASSERT_TRUE(WaitScript());
    EXPECT_EQ(items, 4);
}

// The skin goes while its bar's menu is open: the loop returns to nothing of it.
TEST_F(MenuBarTest, AMenuOpenWhileTheWindowIsUnskinnedClosesSafely) {
    ASSERT_NE(ShowBar(), nullptr);
    HWND h = form->Handle();
    MenuScript::Run({[&] { data->SetActive(false); },
                     [] {}, [] {}, [] {},
                     [&] { Key(VK_ESCAPE); },
                     [] {}});
    AltKey('F');
    ASSERT_TRUE(WaitFor([] { return MenuScript::Done() && OpenPopupMenus().empty(); }, 5000));
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(h) == nullptr; }));
    EXPECT_EQ(GetMenu(h), menu->Handle());
    EXPECT_EQ(OpenMenuIndex(), -1);
    // The window's own menu works again.
    file->SetCaption("&File again");
    EXPECT_TRUE(IsWindow(h));
}

// A popup that painted its frame and went before any item told it its menu must not
// stay the one waiting: the next item drawn would write into it.
TEST_F(SkinnedForm, APopupGoneBeforeItsItemsLeavesNoPendingPopup) {
    ASSERT_NE(ShowSkinned(), nullptr);
    ASSERT_TRUE(SkinManager->Enabled);
    for (bool destroyWindow : {true, false}) {
        SCOPED_TRACE(destroyWindow ? "window destroyed" : "skin freed");
        HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 80, 60, nullptr,
                                 nullptr, nullptr, nullptr);
        auto popup = std::make_unique<TWinSkinPopMenu>();
        ASSERT_TRUE(popup->AttachPopup(w, data, nullptr));
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_EQ(PendingPopup(), popup.get());
        if (destroyWindow) DestroyWindow(w);
        else popup.reset();
        EXPECT_EQ(PendingPopup(), nullptr);
        HandPendingPopup(reinterpret_cast<HMENU>(1)); // an item drawn now finds no popup to name
        popup.reset();
        if (IsWindow(w)) DestroyWindow(w);
    }
}

} // namespace kv::test

// The caption as the user sees and uses it: the form icon, a hot button's pixels, the
// inactive caption's text colour, the system menu from the icon and two clicks on it, and
// sizing through the skinned borders with the real mouse.
#include "NcInput.h"
#include "SkinFixture.h"

#include "skin/form/logic/FrameCompose.h"
#include "ui/actions/ShortCut.h"
#include "ui/menus/Menus.h"

#include <algorithm>

namespace kv::test {
namespace {

// The pixels of `r` (window coordinates) that differ from `expected`, which covers the whole
// caption; magenta in `expected` is a hole and not compared.
int Mismatches(HWND h, const PixelBuffer& expected, const PixelRect& r) {
    const RECT w = WindowRectOf(h);
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const Pixel want = RgbOf(expected.At(x, y));
            if (want == kMagenta) continue;
            if (ToPixel(ScreenPixel(w.left + x, w.top + y)) != want) ++wrong;
        }
    return wrong;
}

// The caption bar without its buttons, as the drawing routines compose it.
PixelBuffer ComposedCaption(TWinSkinForm* skin, const TSkinDefinition& def, bool active) {
    const RECT w = WindowRectOf(skin->Handle);
    PixelBuffer caption(w.right - w.left, skin->Sizes.caption);
    ComposeCaptionBar(caption.View(), skin->Sizes, def, active, skin->TextRect, w.bottom - w.top);
    return caption;
}

int PixelsOfColour(HWND h, const PixelRect& r, COLORREF colour) {
    const RECT w = WindowRectOf(h);
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (ScreenPixel(w.left + x, w.top + y) == colour) ++count;
    return count;
}

TEST_F(SkinnedForm, CaptionShowsTheFormIcon) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    TWinSysButton* icon = ButtonWithAction(skin, 3);
    ASSERT_NE(icon, nullptr) << "the icon button has a place once the form has an icon";
    EXPECT_EQ(icon->BoundsRect.Width(), GetSystemMetrics(SM_CXSMICON));
    Pump(100);
    PixelBuffer expected = ComposedCaption(skin, *data->Skin(), true);
    const RECT w = WindowRectOf(form->Handle());
    // What the icon shows is the icon's business: the place must not be the bare caption.
    int differing = 0;
    for (int y = icon->BoundsRect.top; y < icon->BoundsRect.bottom; ++y)
        for (int x = icon->BoundsRect.left; x < icon->BoundsRect.right; ++x)
            if (ToPixel(ScreenPixel(w.left + x, w.top + y)) != RgbOf(expected.At(x, y))) ++differing;
    EXPECT_GT(differing, 10);
}

TEST_F(SkinnedForm, HotButtonShowsItsHotFrameAndReturnsToNormal) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    TWinSysButton* close = ButtonWithAction(skin, 0);
    ASSERT_NE(close, nullptr);
    ASSERT_GE(close->SkinButton->FrameCount, 3);
    const PixelRect r = close->BoundsRect;
    PixelBuffer hot = ComposedCaption(skin, *data->Skin(), true);
    PixelBuffer normal = ComposedCaption(skin, *data->Skin(), true);
    ComposeCaptionButton(hot.View(), {close->SkinButton, r, true}, 3, {});
    ComposeCaptionButton(normal.View(), {close->SkinButton, r, true}, 1, {});
    Pump(100);
    EXPECT_EQ(Mismatches(form->Handle(), normal, r), 0);
    const POINT p = CentreOnScreen(form->Handle(), r);
    MouseAt(p.x, p.y);
    ASSERT_TRUE(WaitFor([&] { return close->State == 3; }, 1000));
    EXPECT_EQ(Mismatches(form->Handle(), hot, r), 0);
    const RECT w = WindowRectOf(form->Handle());
    SetCursorPos(w.right + 150, w.bottom + 150);
    const DWORD left = GetTickCount();
    ASSERT_TRUE(WaitFor([&] { return Mismatches(form->Handle(), normal, r) == 0; }, 1000));
    // The 250 ms hover tick, with room for the test's own pumping on a busy machine.
    EXPECT_LE(GetTickCount() - left, 500u);
}

TEST_F(SkinnedForm, InactiveCaptionUsesTheInactiveTextColour) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    const TSkinDefinition& def = *data->Skin();
    const COLORREF active = ResolveColour(def.TitleTextActiveColour);
    const COLORREF inactive = ResolveColour(def.TitleTextNoActiveColour);
    ASSERT_NE(active, inactive) << "the default skin tells the two apart";
    Pump(100);
    EXPECT_GT(PixelsOfColour(form->Handle(), skin->TextRect, active), 10);
    EXPECT_EQ(PixelsOfColour(form->Handle(), skin->TextRect, inactive), 0);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 700, 600, 40, 40,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return !skin->Active; }));
    Pump(100);
    EXPECT_GT(PixelsOfColour(form->Handle(), skin->TextRect, inactive), 10);
    EXPECT_EQ(PixelsOfColour(form->Handle(), skin->TextRect, active), 0);
    DestroyWindow(other);
}

// What the menu loop saw while a popup menu was open; filled by a timer inside the loop.
struct MenuProbe {
    static inline HWND menuWindow = nullptr;
    static inline int items = 0;
    static void CALLBACK Close(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        menuWindow = FindWindowW(L"#32768", nullptr);
        if (menuWindow && IsWindowVisible(menuWindow)) {
            HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
            items = menu ? GetMenuItemCount(menu) : -1;
        }
        EndMenu();
    }
    static void Arm() {
        menuWindow = nullptr;
        items = 0;
        SetTimer(nullptr, 0, 150, Close);
    }
};

TEST_F(SkinnedForm, IconOpensTheSkinnedSystemMenuAndTwoClicksClose) {
    data->SetSkinControls(data->SkinControls() | SkinControlBit(xcSystemMenu));
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->SysPopupMenu(), nullptr);
    EXPECT_EQ(skin->SysPopupMenu()->Tag(), 33333);
    EXPECT_TRUE(skin->SysPopupMenu()->OwnerDraw());
    TWinSysButton* icon = ButtonWithAction(skin, 3);
    ASSERT_NE(icon, nullptr);
    const POINT p = CentreOnScreen(form->Handle(), icon->BoundsRect);
    MouseAt(p.x, p.y);
    MenuProbe::Arm();
    Button(true);
    Button(false); // opens the menu; the probe closes it from inside the menu loop
    // Wait until the menu loop is over, or the next click would only close the menu.
    ASSERT_TRUE(WaitFor([&] {
        return MenuProbe::menuWindow && !IsWindowVisible(MenuProbe::menuWindow) &&
               GetCapture() == nullptr;
    }, 2000));
    // Restore, Maximize, Minimize, separator, Close (the form has both boxes).
    EXPECT_EQ(MenuProbe::items, 5);
    EXPECT_FALSE(Closed());
    Button(true);
    Button(false); // within the double-click time of the first
    EXPECT_TRUE(WaitFor([&] { return Closed(); }));
}

TEST_F(SkinnedForm, SystemMenuItemsFollowTheWindowsBoxes) {
    form->SetBorderIcons(biSystemMenu);
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->SysPopupMenu(), nullptr);
    TMenuItem* items = skin->SysPopupMenu()->Items();
    ASSERT_EQ(items->Count(), 3); // Restore, separator, Close
    EXPECT_EQ(items->Items(0)->Caption(), " Restore ");
    EXPECT_EQ(items->Items(2)->Caption(), " Close ");
    EXPECT_EQ(items->Items(2)->ShortCut(), TextToShortCut("Shift+F4"));
}


// Alt and F, typed on the keyboard, open the band's "&File" item: its menu comes up.
TEST_F(SkinnedForm, AltAndAnAcceleratorOpenTheBandsMenu) {
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(menu);
    file->SetCaption("&File");
    auto* open = new TMenuItem(file);
    open->SetCaption("&Open");
    file->Add(open);
    menu->Items()->Add(file);
    form->SetMenu(menu);
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    ASSERT_GT(skin->MenuBarHeight, 0);
    SendMessageW(form->Handle(), WM_SKINREPAINTFRAME, 0, 0); // lays the band's items out
    MenuProbe::Arm();
    INPUT keys[4] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = 'F';
    keys[2].ki.wVk = 'F';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_MENU;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    ASSERT_TRUE(WaitFor([&] { return MenuProbe::menuWindow != nullptr; }, 2000))
        << "no menu came up";
    EXPECT_EQ(MenuProbe::items, 1); // the File menu's one item
}

TEST_F(SkinnedForm, DraggingBordersAndCornersSizesTheWindow) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    HWND h = form->Handle();
    struct Edge {
        const char* name;
        double fx, fy; // where on the window (0..1 of width and height), borders at 0 and 1
        int dx, dy;    // how far the mouse goes
        int dw, dh;    // how the size must change
    };
    const Edge edges[] = {
        {"right", 1, 0.5, 30, 0, 30, 0},      {"bottom", 0.5, 1, 0, 25, 0, 25},
        {"left", 0, 0.5, -20, 0, 20, 0},       {"bottom-right", 1, 1, 15, 10, 15, 10},
        {"top", 0.5, 0, 0, -15, 0, 15},       {"top-left", 0, 0, -10, -12, 10, 12},
    };
    for (const Edge& e : edges) {
        SCOPED_TRACE(e.name);

        const RECT before = WindowRectOf(h);
        const int w = before.right - before.left, ht = before.bottom - before.top;
        // One pixel inside the outer edge, where the border is; a top corner a few pixels
        // down its side, below the caption's rounded corner (outside the window's region).
        const bool topCorner = e.fy == 0 && e.fx != 0.5;
        const POINT from{before.left + (e.fx == 0 ? 1 : e.fx == 1 ? w - 2 : int(w * e.fx)),
                         before.top + (topCorner ? 8 : e.fy == 0 ? 1 : e.fy == 1 ? ht - 2
                                                                                 : int(ht * e.fy))};
        Drag(from, {from.x + e.dx, from.y + e.dy});
        // The sizing loop may show a step on the way (the moves can come in two), so wait for
        // the size the whole gesture gives, then compare what is there. Wine's loop now and
        // then puts a dragged left edge on the pointer instead of keeping the pixel between
        // them where the press was: one pixel either way is its, not the skin's.
        WaitFor([&] {
            const RECT now = WindowRectOf(h);
            return now.right - now.left == w + e.dw && now.bottom - now.top == ht + e.dh;
        }, 1500);
        const RECT after = WindowRectOf(h);
        EXPECT_NEAR((after.right - after.left) - w, e.dw, 1);
        EXPECT_NEAR((after.bottom - after.top) - ht, e.dh, 1);
        Pump(100);
        // The region and the frame follow the new size.
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(h, region), ERROR);
        RECT box{};
        GetRgnBox(region, &box);
        DeleteObject(region);
        EXPECT_EQ(box.right, after.right - after.left);
        EXPECT_EQ(box.bottom, after.bottom - after.top);
        EXPECT_EQ(skin->FrameWidth, after.right - after.left);
    }
}

} // namespace
} // namespace kv::test

// Skinned combo boxes: the state rule, the button read back from the screen in its states,
// opening and picking with the real mouse and keyboard, the button on the left, and the
// caller's clip put back.
#include "Controls2Fixture.h"

#include "skin/controls/SkinComBox.h"
#include "skin/form/draw/SkinDraw.h"

#include <commctrl.h>

namespace kv::test {
namespace {

INPUT Key(WORD key, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = flags;
    return in;
}

TEST(ComboState, PressAndHoverOverrideFocusAndDisabled) {
    EXPECT_EQ(ComboState(true, false, false, false), 1);
    EXPECT_EQ(ComboState(false, false, false, false), 3);
    EXPECT_EQ(ComboState(true, true, false, false), 4);
    EXPECT_EQ(ComboState(true, true, true, false), 2);
    EXPECT_EQ(ComboState(false, false, false, true), 4) << "hovered while disabled";
    EXPECT_EQ(ComboState(false, false, true, true), 2);
}

class SkinnedCombo : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        combo = Place<TComboBox>(20, 20, 160, 24);
        combo->SetStyle(csDropDownList);
        for (const char* item : {"Alpha", "Beta", "Gamma", "Delta"}) combo->Items().Add(item);
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinComBox>(skin, combo);
        ASSERT_NE(skinned, nullptr);
        MouseAt(5, 5);
        SetFocus(form->Handle());
        Pump(80);
    }
    void TearDown() override {
        SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        Controls2::TearDown();
    }

    // The button as the skin draws it over what is on the screen now, compared pixel by pixel.
    int ButtonDifferences(int state) {
        const PixelBuffer shot = ScreenShotOf(combo->Handle());
        PixelBuffer expected = shot;
        const RECT b = skinned->LastButton();
        const TDataSkinBorder& button = *data->Skin()->ComboButton;
        DrawSkinStrip(expected.View(), {b.left, b.top, b.right, b.bottom}, button.Bitmap.View(),
                      true, button.FrameCount, state);
        // The glyph is drawn over the middle: compare the button's two outer columns only.
        int n = 0;
        for (int y = b.top; y < b.bottom; ++y)
            for (int x : {int(b.left), int(b.right) - 1}) n += RgbOf(shot.At(x, y)) != RgbOf(expected.At(x, y));
        return n;
    }

    TComboBox* combo = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinComBox* skinned = nullptr;
};

TEST_F(SkinnedCombo, TheButtonShowsEachStatesFrame) {
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(80); // the screen follows the window's pixels a moment later
    EXPECT_EQ(skinned->LastState(), 1);
    EXPECT_EQ(ButtonDifferences(1), 0) << "normal";
    const POINT at = CentreOf(combo->Handle());
    MouseAt(at.x, at.y);
    EXPECT_TRUE(WaitFor([&] { return skinned->LastState() == 4; }, 1000)) << "hot";
    EXPECT_EQ(ButtonDifferences(4), 0) << "hot";
    MouseAt(5, 5);
    EXPECT_TRUE(WaitFor([&] { return skinned->LastState() == 1; }, 1000)) << "left";
    combo->SetEnabled(false);
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(80);
    EXPECT_EQ(skinned->LastState(), 3);
    EXPECT_EQ(ButtonDifferences(3), 0) << "disabled";
}

TEST_F(SkinnedCombo, OpensAndPicksWithTheRealMouseAndKeyboard) {
    RECT r = WindowRectOf(combo->Handle());
    MouseAt(r.right - 8, (r.top + r.bottom) / 2);
    Button(true);
    EXPECT_EQ(skinned->LastState(), 2) << "pressed";
    Button(false);
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(combo->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; },
                        1500));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    RECT list = WindowRectOf(info.hwndList);
    const int itemHeight = int(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    MouseAt(list.left + 20, list.top + 2 + itemHeight * 2 + itemHeight / 2);
    Button(true);
    Button(false);
    EXPECT_TRUE(WaitFor([&] { return combo->ItemIndex() == 2; }, 1500)) << combo->ItemIndex();
    SetFocus(combo->Handle());
    Send({Key(VK_DOWN, 0), Key(VK_DOWN, KEYEVENTF_KEYUP)});
    EXPECT_TRUE(WaitFor([&] { return combo->ItemIndex() == 3; }, 1500)) << combo->ItemIndex();
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(skinned->LastState(), 4) << "focused";
}

TEST_F(SkinnedCombo, APaintIntoTheCallersDCLeavesItsClipAsItWas) {
    DibSection dib;
    ASSERT_TRUE(dib.Create(160, 24));
    IntersectClipRect(dib.Dc(), 1, 1, 150, 20);
    RECT before{}, after{};
    GetClipBox(dib.Dc(), &before);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(dib.Dc(), region), 1);
    SendMessageW(combo->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
    EXPECT_NE(skinned->LastState(), 0) << "the skin drew into the DC";
    GetClipBox(dib.Dc(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    HRGN now = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(dib.Dc(), now), 1);
    EXPECT_TRUE(EqualRgn(region, now)) << "the text area's exclusion stayed on the caller's DC";
    DeleteObject(now);
    DeleteObject(region);
}

TEST_F(Controls2, ALeftScrollBarComboHasItsMirroredButtonOnTheLeftAndItsTextAreaUntouched) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 60, 60, 260, 80, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND combo = CreateWindowExW(WS_EX_LEFTSCROLLBAR, L"COMBOBOX", L"",
                                 WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 180, 200, parent,
                                 nullptr, nullptr, nullptr);
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    TSkinComBox skinned(nullptr);
    skinned.AttachHandle(combo, data, nullptr);
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(80);
    ASSERT_EQ(skinned.LastState(), 1);
    EXPECT_EQ(skinned.LastButton().left, 0);
    EXPECT_EQ(skinned.LastButton().right, GetSystemMetrics(SM_CXHSCROLL) + 2);
    // The edge's centre would show in the text area if the clip had not kept it out.
    RECT c{};
    GetClientRect(combo, &c);
    EXPECT_EQ(RgbOf(ScreenAt(combo, (c.right + GetSystemMetrics(SM_CXHSCROLL)) / 2, c.bottom / 2)),
              ToPixel(GetSysColor(COLOR_WINDOW)));
    DestroyWindow(parent);
}

} // namespace
} // namespace kv::test

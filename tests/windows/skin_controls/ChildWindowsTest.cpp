// A foreign window's child windows get their skins by class and style when the window is
// skinned, and lose them when it is given back.
#include "ControlFixture.h"

namespace kv::test {
namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return DefWindowProcW(h, msg, w, l);
}

HWND MakeForeignWindow() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvForeignWithControls";
        return RegisterClassW(&wc) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowExW(0, L"KvForeignWithControls", L"Foreign", WS_OVERLAPPEDWINDOW, 150, 120,
                           360, 260, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND AddButton(HWND parent, DWORD type, int index) {
    return CreateWindowExW(0, L"BUTTON", L"B", WS_CHILD | WS_VISIBLE | type, 10, 10 + 28 * index,
                           120, 24, parent, HMENU(INT_PTR(100 + index)), nullptr, nullptr);
}

TEST_F(SkinnedControls, ForeignChildButtonsGetSkinsByStyleAndLoseThemOnDetach) {
    ASSERT_NE(ShowSkinned(), nullptr); // the manager is running
    HWND h = MakeForeignWindow();
    ASSERT_NE(h, nullptr);
    const HWND push = AddButton(h, BS_PUSHBUTTON, 0);
    const HWND check = AddButton(h, BS_AUTOCHECKBOX, 1);
    const HWND radio = AddButton(h, BS_AUTORADIOBUTTON, 2);
    const HWND group = AddButton(h, BS_GROUPBOX, 3);
    const HWND owner = AddButton(h, BS_OWNERDRAW, 4);
    const HWND pushBox = AddButton(h, BS_PUSHBOX, 5);
    ASSERT_TRUE(SkinManager->SkinWindow(h));
    TWinSkinForm* skin = SkinManager->FindForm(h);
    ASSERT_NE(skin, nullptr);
    auto kindOf = [&](HWND child) -> std::string {
        TSkinControl* s = skin->FindControlSkin(child);
        return s ? s->ClassName() : "";
    };
    EXPECT_EQ(kindOf(push), "TSkinButton");
    EXPECT_EQ(kindOf(check), "TSkinCheckBox");
    EXPECT_EQ(kindOf(radio), "TSkinRadioButton");
    EXPECT_EQ(kindOf(group), "");
    EXPECT_EQ(kindOf(owner), ""); // an owner-drawn button draws itself
    EXPECT_EQ(kindOf(pushBox), "TSkinButton");
    const LONG_PTR pushProc = GetWindowLongPtrW(push, GWLP_WNDPROC);
    skin->Detach();
    EXPECT_TRUE(skin->ControlSkins.empty());
    EXPECT_NE(GetWindowLongPtrW(push, GWLP_WNDPROC), pushProc); // the button's own again
    DestroyWindow(h);
}

} // namespace
} // namespace kv::test

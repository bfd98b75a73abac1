// The size grip of a skinned foreign window: only grips and size boxes among its scroll bars
// get the skin, which frames them in the shadow colour and validates them, so an idle window
// receives no stream of paint messages.
#include "Controls2Fixture.h"

#include "skin/controls/SkinSizer.h"
#include "tests/windows/support/MessageSequence.h"

namespace kv::test {
namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return DefWindowProcW(h, msg, w, l);
}

HWND MakeDialogLike() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvForeignWithGrip";
        return RegisterClassW(&wc) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowExW(0, L"KvForeignWithGrip", L"Grip", WS_OVERLAPPEDWINDOW, 150,
                           120, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND AddScrollBar(HWND parent, DWORD style, int x) {
    return CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | style, x, 100, 18, 18,
                           parent, nullptr, nullptr, nullptr);
}

class SkinnedGrip : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        ASSERT_NE(ShowSkinned(), nullptr); // the manager is running
        window = MakeDialogLike();
        ASSERT_NE(window, nullptr);
        grip = AddScrollBar(window, SBS_SIZEGRIP, 10);
        box = AddScrollBar(window, SBS_SIZEBOX, 40);
        plain = AddScrollBar(window, SBS_VERT, 70);
        // Skinned before it shows: on a skinned window the manager refuses to create grips.
        ASSERT_TRUE(SkinManager->SkinWindow(window));
        skin = SkinManager->FindForm(window);
        ASSERT_NE(skin, nullptr);
        ShowWindow(window, SW_SHOW);
        // The skin's activation repaints the whole window once; the idle time starts after.
        WaitFor([&] { return skin->SkinState == 1 && skin->FramePaints > 0; });
        Pump(300);
    }
    void TearDown() override {
        DestroyWindow(window);
        Controls2::TearDown();
    }
    HWND window = nullptr, grip = nullptr, box = nullptr, plain = nullptr;
    TWinSkinForm* skin = nullptr;
};

TEST_F(SkinnedGrip, OnlyGripsAndSizeBoxesGetTheSkin) {
    EXPECT_NE(dynamic_cast<TSkinSizer*>(skin->FindControlSkin(grip)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinSizer*>(skin->FindControlSkin(box)), nullptr);
    EXPECT_EQ(skin->FindControlSkin(plain), nullptr); // a real scroll bar keeps its painting
}

TEST_F(SkinnedGrip, OncePaintedTheGripReceivesNoFurtherPaint) {
    auto* sizer = dynamic_cast<TSkinSizer*>(skin->FindControlSkin(grip));
    ASSERT_NE(sizer, nullptr);
    const int shown = sizer->Paints();
    InvalidateRect(grip, nullptr, TRUE);
    ASSERT_TRUE(WaitFor([&] { return sizer->Paints() > shown; }, 2000));
    EXPECT_EQ(RgbOf(ScreenAt(grip, 0, 0)), ToPixel(ResolveColour(data->Skin()->ButtonShadowColour)));
    MessageSequence seq;
    seq.Watch(grip);
    const int paints = sizer->Paints();
    Pump(500); // idle
    EXPECT_EQ(sizer->Paints(), paints);
    EXPECT_TRUE(seq.MatchAndClear({}, "an idle grip hears nothing"));
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(grip, &update, FALSE));
}

} // namespace
} // namespace kv::test

// The counter must see one object of each kind come and go, or no leak check can fail.
#include "tests/windows/support/GuiObjects.h"

#include <gtest/gtest.h>

#include <functional>

namespace kv::test {
namespace {

LRESULT CALLBACK NoHook(int code, WPARAM w, LPARAM l) {
    return CallNextHookEx(nullptr, code, w, l);
}

HWND MakeWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

// Makes one object, checks that exactly its kind moved by one, frees it, checks the way back.
void ExpectOneOf(const char* kind, const std::function<int(const GuiObjects&)>& count,
                 const std::function<std::function<void()>()>& make) {
    SCOPED_TRACE(kind);
    const GuiObjects before = CountGuiObjects();
    std::function<void()> release = make();
    const GuiObjects during = CountGuiObjects();
    release();
    const GuiObjects after = CountGuiObjects();
    EXPECT_EQ(count(during), count(before) + 1) << DescribeChange(before, during);
    EXPECT_EQ(DescribeChange(before, during).find(','), std::string::npos)
        << "only one kind may move: " << DescribeChange(before, during);
    EXPECT_EQ(DescribeChange(before, after), "");
}

std::function<int(const GuiObjects&)> Gdi(DWORD kind) {
    return [kind](const GuiObjects& n) { return n.Gdi(kind); };
}

template <class H> std::function<void()> Deleting(H object) {
    return [object] { DeleteObject(object); };
}

TEST(GuiObjects, SeeOneGdiObjectOfEachKindComeAndGo) {
    ExpectOneOf("brush", Gdi(OBJ_BRUSH), [] { return Deleting(CreateSolidBrush(RGB(1, 2, 3))); });
    ExpectOneOf("pen", Gdi(OBJ_PEN), [] { return Deleting(CreatePen(PS_SOLID, 1, 0)); });
    ExpectOneOf("region", Gdi(OBJ_REGION), [] { return Deleting(CreateRectRgn(0, 0, 4, 4)); });
    ExpectOneOf("bitmap", Gdi(OBJ_BITMAP),
                [] { return Deleting(CreateBitmap(4, 4, 1, 32, nullptr)); });
    ExpectOneOf("font", Gdi(OBJ_FONT), [] {
        return Deleting(
            CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    });
    ExpectOneOf("memory DC", Gdi(OBJ_MEMDC), [] {
        HDC dc = CreateCompatibleDC(nullptr);
        return std::function<void()>([dc] { DeleteDC(dc); });
    });
    ExpectOneOf("palette", Gdi(OBJ_PAL), [] {
        LOGPALETTE palette{0x300, 1, {{1, 2, 3, 0}}};
        return Deleting(CreatePalette(&palette));
    });
}

TEST(GuiObjects, SeeOneUserObjectOfEachKindComeAndGo) {
    HWND keeper = MakeWindow(); // the thread's first window brings helpers of its own
    auto windows = [](const GuiObjects& n) { return n.windows; };
    ExpectOneOf("window", windows, [] {
        HWND hwnd = MakeWindow();
        return std::function<void()>([hwnd] { DestroyWindow(hwnd); });
    });
    ExpectOneOf("message-only window", windows, [] {
        HWND hwnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
        return std::function<void()>([hwnd] { DestroyWindow(hwnd); });
    });
    ExpectOneOf(
        "menu", [](const GuiObjects& n) { return n.menus; },
        [] {
            HMENU menu = CreatePopupMenu();
            return std::function<void()>([menu] { DestroyMenu(menu); });
        });
    ExpectOneOf(
        "hook", [](const GuiObjects& n) { return n.hooks; },
        [] {
            HHOOK hook = SetWindowsHookExW(WH_CBT, NoHook, nullptr, GetCurrentThreadId());
            return std::function<void()>([hook] { UnhookWindowsHookEx(hook); });
        });
    ExpectOneOf(
        "thread timer", [](const GuiObjects& n) { return n.timers; },
        [] {
            UINT_PTR id = SetTimer(nullptr, 0, 10000, nullptr);
            return std::function<void()>([id] { KillTimer(nullptr, id); });
        });
    DestroyWindow(keeper);
}

TEST(GuiObjects, AWindowsTimerEndsWithTheWindow) {
    HWND hwnd = MakeWindow();
    const GuiObjects before = CountGuiObjects();
    ASSERT_TRUE(SetTimer(hwnd, 7, 10000, nullptr));
    ASSERT_TRUE(SetTimer(hwnd, 7, 5000, nullptr)) << "the same timer again: still one";
    EXPECT_EQ(CountGuiObjects().timers, before.timers + 1);
    DestroyWindow(hwnd);
    EXPECT_EQ(CountGuiObjects().timers, before.timers);
}

TEST(GuiObjects, LeakCheckNamesWhatGrew) {
    const GuiObjects before = CountGuiObjects();
    HBRUSH leaked[3] = {CreateSolidBrush(0), CreateSolidBrush(1), CreateSolidBrush(2)};
    HMENU menu = CreateMenu();
    const GuiObjects after = CountGuiObjects();
    EXPECT_TRUE(GrewAtMost(before, after, 3)) << "three brushes are within a slack of three";
    testing::AssertionResult result = GrewAtMost(before, after, 2);
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("brushes"), std::string::npos) << result.message();
    for (HBRUSH b : leaked) DeleteObject(b);
    DestroyMenu(menu);
    EXPECT_TRUE(GrewAtMost(before, CountGuiObjects(), 0));
}

} // namespace
} // namespace kv::test

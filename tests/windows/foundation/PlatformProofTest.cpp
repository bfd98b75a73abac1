// Proves that the platform pieces the skin engine stands on work in this Wine set-up: thread
// CBT hooks, subclassing and pixel read-back.
#include "tests/windows/support/Pump.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

HWND g_watched = nullptr;
std::vector<int> g_cbtCodes;

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE) {
        if (code == HCBT_CREATEWND || reinterpret_cast<HWND>(wParam) == g_watched)
            g_cbtCodes.push_back(code);
        if (code == HCBT_CREATEWND && !g_watched) g_watched = reinterpret_cast<HWND>(wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The thread's hook for the test's lifetime: a failed assertion that leaves the test early
// must not leave it watching the tests that follow.
struct ScopedCbtHook {
    HHOOK hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    ~ScopedCbtHook() {
        if (hook) UnhookWindowsHookEx(hook);
    }
    ScopedCbtHook() = default;
    ScopedCbtHook(const ScopedCbtHook&) = delete;
    ScopedCbtHook& operator=(const ScopedCbtHook&) = delete;
};

HWND MakeWindow(const char* title) {
    return CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200,
                           120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(Platform, CbtHookSeesCreationAndActivation) {
    HWND w = nullptr;
    {
        ScopedCbtHook cbt;
        ASSERT_NE(cbt.hook, nullptr);
        w = MakeWindow("hooked");
        ASSERT_NE(w, nullptr);
        SetActiveWindow(w);
        kv::test::PumpPending();
    }
    EXPECT_EQ(g_watched, w);
    ASSERT_FALSE(g_cbtCodes.empty());
    EXPECT_EQ(g_cbtCodes.front(), HCBT_CREATEWND);
    EXPECT_NE(std::find(g_cbtCodes.begin(), g_cbtCodes.end(), HCBT_ACTIVATE), g_cbtCodes.end());
    DestroyWindow(w);
}

WNDPROC g_previous = nullptr;
std::vector<UINT> g_seen;

LRESULT CALLBACK Subclass(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(msg);
    return CallWindowProcA(g_previous, w, msg, wParam, lParam);
}

TEST(Platform, SubclassSeesMessagesAndChainsToTheOldProcedure) {
    HWND w = MakeWindow("subclassed");
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
    SetWindowTextA(w, "renamed");
    char text[32] = {};
    GetWindowTextA(w, text, sizeof text);
    EXPECT_STREQ(text, "renamed"); // the old procedure still did its work
    EXPECT_NE(std::find(g_seen.begin(), g_seen.end(), UINT(WM_SETTEXT)), g_seen.end());
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
    DestroyWindow(w);
}

TEST(Platform, PaintedPixelReadsBack) {
    HWND w = MakeWindow("painted");
    UpdateWindow(w);
    HDC dc = GetDC(w);
    HBRUSH brush = CreateSolidBrush(RGB(12, 200, 34));
    RECT r = {5, 5, 25, 25};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    GdiFlush();
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(12, 200, 34));
    ReleaseDC(w, dc);
    DestroyWindow(w);
}

} // namespace

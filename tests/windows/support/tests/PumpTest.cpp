#include "tests/windows/support/Pump.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

TEST(Pump, WaitsForAPostedMessageAndGivesUpInTime) {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr);
    EXPECT_EQ(ClassNameOf(hwnd), "Static");
    static int ticks = 0;
    SetTimer(hwnd, 1, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    EXPECT_TRUE(PumpUntil([] { return ticks >= 3; }, 2000)) << "timers are dispatched";
    const DWORD start = GetTickCount();
    EXPECT_FALSE(PumpUntil([] { return false; }, 50));
    EXPECT_GE(GetTickCount() - start, 50u);
    DestroyWindow(hwnd);
    EXPECT_EQ(ClassNameOf(hwnd), "");
}

} // namespace
} // namespace kv::test

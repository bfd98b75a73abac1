#include "tests/windows/support/Pump.h"

namespace kv::test {

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs,
               const std::function<void()>& pump) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::string ClassNameOf(HWND hwnd) {
    char name[256] = {};
    if (!GetClassNameA(hwnd, name, sizeof name)) return {};
    return name;
}

} // namespace kv::test

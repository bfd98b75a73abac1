// Real mouse input (SendInput) in screen coordinates, for tests that drive windows as a user's
// hand would.
#pragma once

#include <windows.h>

namespace kv::test {

inline RECT WindowRectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// Absolute moves are given in 0..65535 across the primary screen.
inline INPUT MoveInput(int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}

inline INPUT ButtonInput(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    return in;
}

inline void MoveMouseTo(POINT p) {
    INPUT in = MoveInput(p.x, p.y);
    SendInput(1, &in, sizeof in);
}

} // namespace kv::test

#pragma once
// Real mouse input on a skinned window's non-client area (SendInput), and where its caption
// buttons are on the screen.
#include "skin/form/FormSkin.h"
#include "SkinFixture.h"
#include "tests/windows/support/MouseInput.h"

#include <windows.h>

#include <vector>

namespace kv::test {

// Queues the whole gesture at once: a press on the caption starts the system's modal move
// loop, which must find the rest of the gesture already waiting.
inline void Send(std::vector<INPUT> inputs) {
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump(60);
}

// Also waits until the cursor reads back there: under Wine it can trail the input on a busy
// machine, and the hover ticks judge by it.
inline void MouseAt(int x, int y) {
    Send({MoveInput(x - 1, y), MoveInput(x, y)});
    WaitFor(
        [&] {
            POINT at{};
            return GetCursorPos(&at) && at.x == x && at.y == y;
        },
        1000);
}

inline void Button(bool down) {
    Send({ButtonInput(down)});
}

// Presses at `from` and releases at `to` with the real mouse. The press starts the system's
// modal size or move loop on this thread, so the rest of the gesture comes from another
// thread while that loop runs, as a user's hand would.
struct DragGesture {
    POINT from, to;
};

inline DWORD WINAPI DragHand(void* p) {
    const auto* g = static_cast<const DragGesture*>(p);
    Sleep(150);
    for (int step = 1; step <= 4; ++step) {
        INPUT move = MoveInput(g->from.x + (g->to.x - g->from.x) * step / 4,
                               g->from.y + (g->to.y - g->from.y) * step / 4);
        SendInput(1, &move, sizeof(INPUT));
        Sleep(40);
    }
    INPUT up = ButtonInput(false);
    SendInput(1, &up, sizeof(INPUT));
    return 0;
}

inline void Drag(POINT from, POINT to) {
    MouseAt(from.x, from.y);
    DragGesture gesture{from, to};
    HANDLE hand = CreateThread(nullptr, 0, DragHand, &gesture, 0, nullptr);
    ASSERT_NE(hand, nullptr);
    INPUT down = ButtonInput(true);
    SendInput(1, &down, sizeof(INPUT));
    WaitFor([&] { return WaitForSingleObject(hand, 0) == WAIT_OBJECT_0; }, 5000);
    WaitForSingleObject(hand, INFINITE); // the gesture lives on this stack: never leave before it
    CloseHandle(hand);
    Pump(150);
}

inline TWinSysButton* ButtonWithAction(TWinSkinForm* skin, int action) {
    for (auto& b : skin->CaptionButtons)
        if (b->SkinButton->Action == action && b->Visible && !b->BoundsRect.Empty()) return b.get();
    return nullptr;
}

inline POINT CentreOnScreen(HWND h, const PixelRect& r) {
    const RECT w = WindowRectOf(h);
    return {w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
}

} // namespace kv::test

// The thumb drag of TSkinScrollBar: a modal loop inside the control's own press message that
// moves the skinned thumb with the mouse and tells the control the position.
#include "skin/controls/SkinScrollBar.h"

#include <windowsx.h>

#include <algorithm>

namespace kv {

namespace {

// While the queue is empty the loop sleeps this long at most before it looks at the button
// again: a release over another program may never reach this one.
constexpr DWORD kButtonPollMs = 50;

bool LeftButtonDown() {
    const int key = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

} // namespace

struct TSkinScrollBar::Drag {
    HWND wnd = nullptr;
    bool vertical = false;
    UINT scrollMsg = 0;
    POINT start{};
    int startThumb = 0;
    int last = 0;
};

bool TSkinScrollBar::StartThumbDrag(TMessage& m) {
    if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) return false;
    const bool vertical = m.WParam == HTVSCROLL;
    // Signed: a monitor left of or above the primary one has negative coordinates.
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    ScreenToClient(FHandle, &p);
    if (HitTestBar(vertical ? p.y : p.x, vertical ? FVertBar : FHorzBar) != SB_THUMBTRACK)
        return false; // arrows and pages stay the control's own
    FPressedPart = vertical ? spVertThumb : spHorzThumb;
    PaintSkin(nullptr);
    DragThumb(vertical); // may free this object: nothing may follow
    return true;
}

bool TSkinScrollBar::DragThumb(bool vertical) {
    Drag drag;
    drag.wnd = FHandle;
    drag.vertical = vertical;
    drag.scrollMsg = vertical ? WM_VSCROLL : WM_HSCROLL;
    GetCursorPos(&drag.start);
    drag.startThumb = (vertical ? FVertBar : FHorzBar).ThumbPos;
    drag.last = (vertical ? FVertInfo : FHorzInfo).nPos;
    const std::shared_ptr<bool> alive = alive_;
    FDragging = true;
    captureLost_ = false;
    SetCapture(drag.wnd);
    // Members are read only while *alive: a dispatched message may free this object.
    while (*alive && FDragging) {
        if (!IsWindow(drag.wnd) || WindowGone()) {
            FDragging = false; // nothing left to tell
            break;
        }
        if (captureLost_) {
            EndDrag(drag);
            break;
        }
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!LeftButtonDown()) {
                EndDrag(drag);
                break;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kButtonPollMs, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            EndDrag(drag);
            PostQuitMessage(int(msg.wParam)); // the application's loop still has to see it
            break;
        }
        DragStep(drag, msg);
    }
    // Also when this object went with the drag still running: the window keeps no capture.
    if (GetCapture() == drag.wnd) ReleaseCapture();
    return *alive;
}

// May free this object.
void TSkinScrollBar::DragStep(Drag& drag, const MSG& msg) {
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
        EndDrag(drag);
        return;
    }
    const std::shared_ptr<bool> alive = alive_;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    const bool moved = msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE;
    if (moved && *alive && FDragging && IsWindow(drag.wnd)) FollowMouse(drag, msg.pt);
}

void TSkinScrollBar::FollowMouse(Drag& drag, POINT cursor) {
    SCROLLINFO& info = drag.vertical ? FVertInfo : FHorzInfo;
    BarMetrics& bar = drag.vertical ? FVertBar : FHorzBar;
    const int64_t moved = drag.vertical ? int64_t(cursor.y) - drag.start.y
                                        : int64_t(cursor.x) - drag.start.x;
    int thumb = int(std::clamp<int64_t>(drag.startThumb + moved, 0, bar.TrackLength));
    const int position = DragPosition(thumb, info.nMin, info.nMax, info.nPage, bar);
    if (position == drag.last) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = si.nTrackPos = position;
    // The thumb is drawn within the track even where the position arithmetic lets it run on.
    bar.ThumbPos = std::clamp(thumb, 0, std::max(bar.TrackLength - bar.ThumbLength, 0));
    SetScrollInfo(drag.wnd, drag.vertical ? SB_VERT : SB_HORZ, &si, FALSE);
    drag.last = position;
    // The position travels in 16 bits of wParam; the control reads the whole one back.
    SendMessageW(drag.wnd, drag.scrollMsg, MAKEWPARAM(SB_THUMBTRACK, position), 0);
}

// The control hears SB_THUMBPOSITION and, posted, SB_ENDSCROLL however the drag ends while it
// lives; either may free this object.
void TSkinScrollBar::EndDrag(Drag& drag) {
    FDragging = false;
    if (GetCapture() == drag.wnd) ReleaseCapture();
    if (!IsWindow(drag.wnd)) return;
    const HWND wnd = drag.wnd;
    const UINT scrollMsg = drag.scrollMsg;
    SendMessageW(wnd, scrollMsg, MAKEWPARAM(SB_THUMBPOSITION, drag.last), 0);
    PostMessageW(wnd, scrollMsg, SB_ENDSCROLL, 0);
}

} // namespace kv

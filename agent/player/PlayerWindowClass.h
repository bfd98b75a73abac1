#pragma once
// How the player binds its windows to their objects, the way the framework binds its own:
// the class's procedure is the object's from the very first message (CreateWindowEx's
// lpParam carries the object), and one exception barrier hands anything thrown to the
// application's error report, so nothing ever unwinds into the system's dispatch.
//
// Contract
// - T has `LRESULT OnMessage(HWND, UINT, WPARAM, LPARAM)`; BoundWindowProc<T> is the class's
//   window procedure. The object is bound at WM_NCCREATE and unbound at WM_NCDESTROY; messages
//   outside that span (or of a window made without an object) go to DefWindowProc.
// - An exception out of OnMessage is reported and the message answers 0.
// - RegisterPlayerClass registers a class once per process; false when it cannot be had.
#include "ui/core/Controls.h"

#include <windows.h>

namespace kv::agent::player {

bool RegisterPlayerClass(const wchar_t* name, WNDPROC proc);

template <class T> LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, w, l);
    LRESULT result = 0;
    try {
        result = self->OnMessage(hwnd, msg, w, l);
    } catch (const std::exception& e) {
        ReportDispatchException(e);
    } catch (...) {
        ReportDispatchException(std::runtime_error("Unknown error"));
    }
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return result;
}

} // namespace kv::agent::player

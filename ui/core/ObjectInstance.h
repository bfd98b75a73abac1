// Object-instance thunks: a real WNDPROC that calls a method of an object, and subclassing a
// window through one.
//
// Contract:
//  - MakeObjectInstance returns a window procedure made of generated code (an i686 stdcall
//    stub or an x86_64 stub) that calls the given method. The method gets the window's
//    arguments; an exception it throws goes to the dispatch error report and the answer is 0.
//  - FreeObjectInstance may be called at any time, also from inside the method while the
//    thunk is running (WM_NCDESTROY). The stub only jumps: it is never returned into, and the
//    method's storage is kept until the call that runs it has returned. A freed thunk that is
//    still called answers with DefWindowProc; its code is reused for a later thunk, and the
//    code pages are never unmapped while the program runs.
//  - TWindowSubclass replaces a window's procedure by a thunk and gives it back only while the
//    window exists and its procedure is still ours. When a later subclass sits on top, ours
//    stays in place as a pass-through (calling the procedure we replaced) until the window is
//    destroyed, so the later subclass never calls freed code. Unicode windows are subclassed
//    and called with the W functions, ANSI windows with the A functions.
#pragma once

#include "ui/core/Controls.h"

#include <memory>

using TRawWndMethod = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

WNDPROC MakeObjectInstance(TRawWndMethod method);
// The message record form: the answer is the record's Result.
WNDPROC MakeObjectInstance(TWndMethod method);
template <class T> WNDPROC MakeObjectInstance(T* object, void (T::*method)(TMessage&)) {
    return MakeObjectInstance(TWndMethod([object, method](TMessage& m) { (object->*method)(m); }));
}
template <class T>
WNDPROC MakeObjectInstance(T* object, LRESULT (T::*method)(HWND, UINT, WPARAM, LPARAM)) {
    return MakeObjectInstance(TRawWndMethod([object, method](HWND h, UINT m, WPARAM w, LPARAM l) {
        return (object->*method)(h, m, w, l);
    }));
}
// Null and already freed thunks are ignored.
void FreeObjectInstance(WNDPROC instance);

// Diagnostics for tests: thunks in use, and code blocks made so far (blocks are never freed).
size_t ObjectInstancesInUse();
size_t ObjectInstanceBlocks();

class TWindowSubclass {
public:
    TWindowSubclass() = default;
    ~TWindowSubclass() { Restore(); }
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // Routes hwnd's messages to method (which passes on what it does not consume with
    // CallOld). False when hwnd is not a window or this object is already attached.
    bool Attach(HWND hwnd, TWndMethod method);
    // Gives the window its procedure back when that is safe (see the contract), and lets go.
    void Restore();

    bool Attached() const { return state_ != nullptr; }
    HWND Handle() const;
    WNDPROC Thunk() const;
    WNDPROC OldProc() const;
    // The replaced procedure's answer to a message.
    LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void CallOld(TMessage& m) const { m.Result = CallOld(m.Msg, m.WParam, m.LParam); }

    struct State;

private:
    std::shared_ptr<State> state_;
};

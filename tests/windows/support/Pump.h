// Waiting in GUI tests: by polling for a condition while messages are dispatched, never by
// sleeping a fixed time; and the small window queries tests share.
//
// Contract:
//  - PumpPending() dispatches (with TranslateMessage) every message waiting for this thread
//    and returns. Tests of the framework pass Application->ProcessMessages as pump instead,
//    where the framework's own pre-processing (dialog keys, hints) matters.
//  - PumpUntil(done, timeoutMs, pump) calls pump (PumpPending unless given) and waits for new
//    input in steps of at most 10 ms until done() holds or timeoutMs have passed; it answers
//    done()'s last value. A done() that holds at once returns without pumping.
//  - ClassNameOf(hwnd) is the window's class name ("" for no window); class names are ASCII.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kv::test {

void PumpPending();
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000,
               const std::function<void()>& pump = PumpPending);
std::string ClassNameOf(HWND hwnd);

} // namespace kv::test

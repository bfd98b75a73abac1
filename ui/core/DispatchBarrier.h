#pragma once
// The one exception barrier of every window procedure. An exception must never unwind into the
// system's message dispatch (the frames between DispatchMessage and a window procedure are not
// ours); every one that reaches a procedure goes to the application's error report instead.
//
// Contract:
//  - DispatchBarrier(fn, onError) calls fn() and returns its result as an LRESULT (0 for a fn
//    that returns nothing). When fn throws anything at all, the exception is reported and
//    `onError` is returned. It never throws.
//  - ReportCurrentException(), inside a catch block only, reports the exception being handled:
//    a std::exception as it is, anything else as an Exception "Unknown error".
//  - Reports go to the handler set with SetDispatchExceptionHandler (the application installs
//    its default error report there and takes it away when it goes); with none set, to a
//    message box. Reporting never throws: an exception out of the handler itself is dropped,
//    since reporting it would go round again.
#include <windows.h>

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

using TExceptionHandler = std::function<void(const std::exception&)>;
// Returns the handler it replaces, so that a temporary one can put it back.
TExceptionHandler SetDispatchExceptionHandler(TExceptionHandler handler);
void ReportDispatchException(const std::exception& e) noexcept;
void ReportCurrentException() noexcept;

template <typename Fn> LRESULT DispatchBarrier(Fn&& fn, LRESULT onError = 0) noexcept {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Fn&>>) {
            fn();
            return 0;
        } else {
            return static_cast<LRESULT>(fn());
        }
    } catch (...) {
        ReportCurrentException();
        return onError;
    }
}

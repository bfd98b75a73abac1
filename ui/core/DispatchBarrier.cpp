#include "ui/core/DispatchBarrier.h"
#include "ui/classes/Exception.h"
#include "ui/core/Controls.h"

namespace {
TExceptionHandler& ExceptionHandler() {
    static TExceptionHandler handler;
    return handler;
}
} // namespace

TExceptionHandler SetDispatchExceptionHandler(TExceptionHandler handler) {
    return std::exchange(ExceptionHandler(), std::move(handler));
}

void ReportDispatchException(const std::exception& e) noexcept {
    try {
        if (ExceptionHandler()) {
            ExceptionHandler()(e);
            return;
        }
        MessageBoxW(nullptr, AnsiToWide(e.what()).c_str(), L"Error", MB_OK | MB_ICONSTOP);
    } catch (...) {
        // The report itself failed; there is nowhere left to send that.
    }
}

void ReportCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        ReportDispatchException(e);
    } catch (...) {
        try {
            ReportDispatchException(Exception("Unknown error"));
        } catch (...) {
        }
    }
}

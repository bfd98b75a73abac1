// WaitFor: PumpUntil (Pump.h) with the framework's own message loop step,
// Application->ProcessMessages, so that its pre-processing (dialog keys, hints) takes part.
// Header only: for test programs that link the framework.
#pragma once

#include "tests/windows/support/Pump.h"
#include "ui/forms/Forms.h"

namespace kv::test {

inline bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 2000) {
    return PumpUntil(done, timeoutMs, [] { Application->ProcessMessages(); });
}

} // namespace kv::test

#pragma once
// The quiet command-line tasks (see app/logic/QuietTask.h) carried out without any window.
//
// Contract: returns the process exit code: 0 when the association was written, or removed, or
// left alone because another program owns it now; 1 when the registry refused a change.
#include "app/logic/QuietTask.h"

namespace kv::app {

int RunQuietTask(QuietTask task);

} // namespace kv::app

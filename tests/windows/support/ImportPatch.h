// Redirecting one imported function of this test program.
//
// Contract:
//  - PatchImport replaces the address that the program's own import table holds for
//    dll!function by replacement and returns the address it held before (to be called by the
//    replacement), or null when the program does not import that function (nothing changes).
//  - Only calls made from the program's own code (the test and the static libraries linked
//    into it) are redirected; calls inside system libraries are not.
//  - Patch once, before the first call that matters, and never undo it: code that keeps the
//    address of an imported function (a window class procedure, a saved default procedure)
//    must see one value for the whole run. Not thread-safe; call it from a static initializer.
#pragma once

#include <windows.h>

namespace kv::test {

void* PatchImport(const char* dll, const char* function, void* replacement);

} // namespace kv::test

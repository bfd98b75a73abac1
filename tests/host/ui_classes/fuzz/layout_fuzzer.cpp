#include "tests/host/ui_classes/fuzz/UiClassesFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ui_fuzz::ReadAnyLayout({data, size});
    return 0;
}

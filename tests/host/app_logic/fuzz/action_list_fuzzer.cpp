#include "tests/host/app_logic/fuzz/AppLogicFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::app::fuzz::ReadActionList({data, size});
    return 0;
}

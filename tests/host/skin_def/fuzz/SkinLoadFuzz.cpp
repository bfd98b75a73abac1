#include "tests/host/skin_def/fuzz/SkinLoadInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    skinload_fuzz::LoadAnySkin({data, size});
    return 0;
}

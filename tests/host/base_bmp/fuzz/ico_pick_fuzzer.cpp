#include "tests/host/base_bmp/fuzz/BmpFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::fuzz::PickAnyIcoImage({data, size});
    return 0;
}

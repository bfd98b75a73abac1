#include "tests/host/skin_stream/fuzz/SkinStreamFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::fuzz::DecodePacked(data, size);
    return 0;
}

#include "tests/host/skin_def/fuzz/DefinitionInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    skindef_fuzz::RunDefinitionInput({data, size});
    return 0;
}

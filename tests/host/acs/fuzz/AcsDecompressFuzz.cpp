// Any bytes through the decompressor, into an output whose size the first byte picks.
#include "agent/acs/AcsCompression.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::vector<uint8_t> out(size_t(data[0]) * 64);
    size_t written = 0;
    kv::AcsDecompress({data + 1, size - 1}, out, written);
    return written <= out.size() ? 0 : 1;
}

// Compress then decompress any bytes; a character read from any bytes writes and reads back
// equal.
#include "agent/acs/AcsCompression.h"
#include "agent/acs/AcsReader.h"
#include "agent/acs/AcsWriter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> packed = kv::AcsCompress({data, size});
    std::vector<uint8_t> back(size);
    size_t written = 0;
    if (kv::AcsDecompress(packed, back, written) != kv::AcsDecodeStatus::Ok || written != size ||
        !std::equal(back.begin(), back.end(), data))
        std::abort();
    kv::AcsCharacter c, again;
    std::string error;
    if (!kv::ReadAcs({data, size}, c, error)) return 0;
    std::vector<uint8_t> bytes;
    if (!kv::WriteAcs(c, bytes, error) || !kv::ReadAcs(bytes, again, error) || !(again == c))
        std::abort();
    return 0;
}

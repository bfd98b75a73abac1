// Any bytes as stored region data, and as a picture whose region must round-trip.
#include "tests/host/acs/fuzz/AcsRegionInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::fuzz::DecodeStoredRegion({data, size});
    kv::fuzz::RegionOfPicture({data, size});
    return 0;
}

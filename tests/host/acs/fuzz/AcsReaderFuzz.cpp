// Any bytes through the reader; whatever loads must validate and compose.
#include "agent/acs/AcsCompose.h"
#include "agent/acs/AcsReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::AcsCharacter c;
    std::string error;
    if (!kv::ReadAcs({data, size}, c, error)) return 0;
    if (!kv::AcsValidate(c).empty()) std::abort();
    kv::AcsFrameComposer composer(c);
    kv::PixelBuffer out;
    for (const auto& a : c.animations)
        for (const auto& f : a.frames) composer.Compose(f, out, {kv::AcsMouth::Closed, 0});
    return 0;
}

// Icons from the bytes of an .ico file (layouts name them as a program resource).
#include "ui/forms/Forms.h"

#include "base/IcoDirectory.h"

HICON IconFromIcoFile(const uint8_t* bytes, size_t size) {
    if (!bytes) return nullptr;
    const auto image = kv::BestIcoImage({bytes, size}, GetSystemMetrics(SM_CXICON));
    if (!image) return nullptr;
    // The image data is copied: CreateIconFromResourceEx wants writable, aligned bytes.
    std::vector<uint8_t> copy(image->begin(), image->end());
    return CreateIconFromResourceEx(copy.data(), DWORD(copy.size()), TRUE, 0x00030000, 0, 0,
                                    LR_DEFAULTCOLOR);
}

#include "skin/form/draw/ShareBuffer.h"

#include <memory>

namespace kv {

namespace {

struct Shared {
    PixelBuffer buffer;
    std::vector<std::string> strings;
};

int g_starts = 0;
std::unique_ptr<Shared> g_shared;

// Handed out when nobody started the engine; reset on each hand-out so it stays empty.
Shared& Fallback() {
    static Shared fallback;
    return fallback;
}

} // namespace

void ShareBufferStart() {
    if (g_starts++ == 0) g_shared = std::make_unique<Shared>();
}

void ShareBufferEnd() {
    if (g_starts == 0) return;
    if (--g_starts == 0) g_shared.reset();
}

bool ShareBufferStarted() {
    return g_shared != nullptr;
}

PixelBuffer& ShareBuffer() {
    if (g_shared) return g_shared->buffer;
    Fallback().buffer = PixelBuffer();
    return Fallback().buffer;
}

std::vector<std::string>& ShareStrings() {
    if (g_shared) return g_shared->strings;
    Fallback().strings.clear();
    return Fallback().strings;
}

} // namespace kv

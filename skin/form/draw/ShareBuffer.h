#pragma once
// The engine-wide scratch for composing without an allocation per paint: one pixel buffer and
// one string list, made by the first ShareBufferStart and freed by the ShareBufferEnd that
// balances it (nested start/end pairs make and free them once). User-interface thread only.
//
// Contract: ShareBuffer() and ShareStrings() return the shared objects while started and
// empty fallback objects otherwise (so a stray call never crashes); ShareBufferEnd without a
// start does nothing. The buffer's contents are scratch: every user resizes or overwrites it.
#include "base/Pixels.h"

#include <string>
#include <vector>

namespace kv {

void ShareBufferStart();
void ShareBufferEnd();
bool ShareBufferStarted();

PixelBuffer& ShareBuffer();
std::vector<std::string>& ShareStrings();

} // namespace kv

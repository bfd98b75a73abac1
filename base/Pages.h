#pragma once
// Fresh memory, mapped in one step.
//
// The first touch of a fresh page costs a fault, and on a virtual machine a fault costs as much
// as decoding a few hundred symbols. A short-lived program that is about to fill a known block
// asks for all its pages at once: one call instead of one fault per page.
//
// Contract: MapPagesNow(p, size) asks the system to map, writable, the whole pages inside
// [p, p + size). It changes no byte. Where the system has no such request, or refuses it (an old
// kernel, no memory to spare now), it does nothing: the pages are then mapped as they are first
// touched, as they would have been.
#include <cstddef>

namespace kv {

void MapPagesNow(void* p, size_t size);

} // namespace kv

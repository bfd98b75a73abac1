#pragma once
// skinpack decode: one packed stream into one file.
//
// Contract: DecodePackedFile(packed, out, message, size) unpacks the packed stream in file
// `packed` into file `out` through "<out>.part", renamed over `out` once complete (so a failure
// leaves `out` as it was, and `out` may be `packed`). True on success; false with the failure
// written into `message` (at most `size` bytes with its NUL, cut short if need be): "cannot
// open", "cannot read" or "cannot write" and the file's name, or the packed file's name and
// what is wrong with the stream. Never throws.
//
// On the C library's names alone, so that the program can run it first, before any argument
// string, command dispatch or exception code: touching that code costs about a tenth of a
// millisecond here, and decoding one skin should pay for little more than itself.
#include <cstddef>

namespace kv {

bool DecodePackedFile(const char* packedPath, const char* outPath, char* message, size_t size);

} // namespace kv

#pragma once
// skinpack decode as the program's first and only step: the C library's files and names, no
// C++ strings, streams or paths, so that decoding one skin pays for little more than itself.
//
// Contract: QuickDecode(packed, out) unpacks the packed stream in file `packed` into file `out`
// exactly as `skinpack decode` does: through "<out>.part", renamed over `out` once complete (so
// a failure leaves `out` as it was and `out` may be `packed`); returns 0, or 1 after printing
// "skinpack: " and the same message as the general path to stderr. Never throws.
// POSIX only: Windows needs wide names and a rename that replaces, which the general path has.

namespace kv {

int QuickDecode(const char* packedPath, const char* outPath);

} // namespace kv

#pragma once
// skinpack decode: one packed stream into one file.
//
// Contract: DecodePackedFile(packed, out, message) unpacks the packed stream in file `packed`
// into file `out` through "<out>.part", renamed over `out` once complete (so a failure leaves
// `out` as it was, and `out` may be `packed`). True on success; false with the failure in
// `message`: "cannot open", "cannot read" or "cannot write" and the file's name, or the packed
// file's name and what is wrong with the stream. Raises nothing but std::bad_alloc for the
// name or the message (no memory for the decoder's tables is a failure like the others).
#include <string>

namespace kv {

bool DecodePackedFile(const char* packedPath, const char* outPath, std::string& message);

} // namespace kv

#pragma once
// Path pieces on 8-bit text in the system's code page.
//
// Contract: a separator is "\", "/" or ":" that is not the second byte of a double-byte
// character (Big5 trail bytes include "\"); `isLeadByte` tells lead bytes of the code page in
// force (nullptr: a single-byte code page). Any input is safe.
#include <string>
#include <string_view>

namespace kv::app {

using LeadBytePredicate = bool (*)(unsigned char);

// Everything up to and including the last separator ("" when there is none).
std::string DirectoryOf(std::string_view path, LeadBytePredicate isLeadByte);

// The file name without directory and without its extension (the text from its last ".").
std::string FileTitle(std::string_view path, LeadBytePredicate isLeadByte);

} // namespace kv::app

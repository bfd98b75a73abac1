#pragma once
// Writing skin packages (the inverse of SkinRead.h), for tools and tests; the program itself
// only reads skins.
//
// Contract
// - BuildSkinPackage(entries) returns the unpacked package: version 20000, the names joined
//   by CR LF (with a final CR LF), reserved bytes zero, the size table and the data, in the
//   given order. Duplicate names are written as given.
// - Refuses (returns false, `error` says why) more than kSkinMaxEntries entries, a name that is
//   empty or holds CR, LF or NUL (it would change the name list), an entry above 4 GiB-1 or a
//   package above the decoder's cap.
// - PackSkin(entries) is BuildSkinPackage followed by TLZH::Pack: a packed skin.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct SkinEntry {
    std::string name;
    std::vector<uint8_t> bytes;
};

bool BuildSkinPackage(const std::vector<SkinEntry>& entries, std::vector<uint8_t>& package,
                      std::string& error);
bool PackSkin(const std::vector<SkinEntry>& entries, std::vector<uint8_t>& packed,
              std::string& error);

} // namespace kv

#include "skin/data/SkinWrite.h"

#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"

namespace kv {
namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(v >> (8 * i)));
}

bool CheckEntry(const SkinEntry& e, std::string& error) {
    if (e.name.empty() || e.name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        error = "entry name \"" + e.name + "\" is empty or holds a line break or NUL";
        return false;
    }
    if (e.bytes.size() > UINT32_MAX) {
        error = "entry \"" + e.name + "\" is larger than 4 GiB";
        return false;
    }
    return true;
}

} // namespace

bool BuildSkinPackage(const std::vector<SkinEntry>& entries, std::vector<uint8_t>& package,
                      std::string& error) {
    package.clear();
    if (entries.size() > kSkinMaxEntries) {
        error = "more than " + std::to_string(kSkinMaxEntries) + " entries";
        return false;
    }
    std::string list;
    uint64_t total = kSkinHeaderBytes;
    for (const SkinEntry& e : entries) {
        if (!CheckEntry(e, error)) return false;
        list += e.name + "\r\n";
        total += 4 + e.name.size() + 2 + e.bytes.size();
    }
    if (total > uint64_t(kLzhMaxUnpacked)) {
        error = "the package would be larger than " + std::to_string(kLzhMaxUnpacked) + " bytes";
        return false;
    }
    package.reserve(size_t(total));
    PutU32(package, uint32_t(kSkinPackageVersion));
    PutU32(package, uint32_t(list.size()));
    package.insert(package.end(), 8, 0);
    package.insert(package.end(), list.begin(), list.end());
    for (const SkinEntry& e : entries) PutU32(package, uint32_t(e.bytes.size()));
    for (const SkinEntry& e : entries)
        package.insert(package.end(), e.bytes.begin(), e.bytes.end());
    return true;
}

bool PackSkin(const std::vector<SkinEntry>& entries, std::vector<uint8_t>& packed,
              std::string& error) {
    packed.clear();
    std::vector<uint8_t> package;
    if (!BuildSkinPackage(entries, package, error)) return false;
    packed = TLZH::Pack(package);
    return true;
}

} // namespace kv

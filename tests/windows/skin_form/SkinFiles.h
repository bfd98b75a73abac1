#pragma once
// Skins made from the stored one for tests: entries changed or left out, the definition text
// edited, and written to a temporary file for SkinFile.
#include "SkinFixture.h"

#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace kv::test {

// The stored skin's entries, each given to `change` (which may edit it, or return false to
// leave it out), packed again.
template <class F> std::vector<uint8_t> RepackedSkin(F change) {
    TSkinReader reader;
    EXPECT_TRUE(reader.OpenPackage(StoredPackedSkin()));
    std::vector<SkinEntry> entries;
    for (size_t i = 0; i < reader.Count(); ++i) {
        auto entry = reader.Entry(i);
        SkinEntry e{reader.Names()[i], {entry->begin(), entry->end()}};
        if (change(e)) entries.push_back(std::move(e));
    }
    std::vector<uint8_t> packed;
    std::string error;
    EXPECT_TRUE(PackSkin(entries, packed, error)) << error;
    return packed;
}

// The stored skin with every `from` in its definition text made `to` (same images); without
// the definition when `from` is empty.
inline std::vector<uint8_t> EditedSkin(const std::string& from, const std::string& to) {
    return RepackedSkin([&](SkinEntry& e) {
        if (e.name.find(".ini") == std::string::npos) return true;
        if (from.empty()) return false;
        std::string text(e.bytes.begin(), e.bytes.end());
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
        e.bytes.assign(text.begin(), text.end());
        return true;
    });
}

inline std::string TempSkinFile(const std::vector<uint8_t>& bytes, const char* name) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    std::string path = std::string(dir) + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
    return path;
}

} // namespace kv::test

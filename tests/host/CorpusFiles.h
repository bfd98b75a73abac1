#pragma once
// The checked-in seeds of a fuzz target, for the host tests that replay them through the
// target's body (so every build runs the corpus, with or without libFuzzer).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kv::test {

struct CorpusFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Every file under `dir` (relative to the source tree, KV_SOURCE_DIR), in name order.
inline std::vector<CorpusFile> CorpusFiles(const std::string& dir) {
    const char* root = std::getenv("KV_SOURCE_DIR");
    EXPECT_NE(root, nullptr) << "KV_SOURCE_DIR is not set";
    std::vector<CorpusFile> files;
    if (!root) return files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(
             std::filesystem::path(root) / dir)) {
        if (!item.is_regular_file()) continue;
        std::ifstream f(item.path(), std::ios::binary);
        files.push_back({item.path().filename().string(),
                         std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {})});
    }
    std::sort(files.begin(), files.end(),
              [](const CorpusFile& a, const CorpusFile& b) { return a.name < b.name; });
    return files;
}

// Writes a seed into `dir` of the source tree (for the tests that make seeds when asked).
inline void WriteCorpusFile(const std::string& dir, const std::string& name,
                            const std::vector<uint8_t>& bytes) {
    const char* root = std::getenv("KV_SOURCE_DIR");
    if (!root) return;
    const auto folder = std::filesystem::path(root) / dir;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace kv::test

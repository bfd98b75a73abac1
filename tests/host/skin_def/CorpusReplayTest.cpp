// Replays the checked-in fuzz corpus of the definition parser, so every build runs it.
#include "tests/host/skin_def/fuzz/DefinitionInput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

TEST(DefinitionCorpus, EveryInputParsesWithoutFault) {
    const char* root = std::getenv("KV_SOURCE_DIR");
    ASSERT_TRUE(root);
    const auto dir = std::filesystem::path(root) / "tests/host/skin_def/corpus";
    size_t count = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(e.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        skindef_fuzz::RunDefinitionInput(bytes);
        ++count;
    }
    EXPECT_GE(count, 5u);
}

} // namespace

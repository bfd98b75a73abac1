#include "base/WholeFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

using kv::CFile;

// A temporary file holding `size` bytes counting up, opened for reading.
CFile FileOf(size_t size) {
    CFile file(std::tmpfile());
    for (size_t i = 0; i < size; i++) std::fputc(int(i & 0xFF), file.get());
    std::rewind(file.get());
    return file;
}

// Sizes around the reader's pieces and around the cap: the cap itself is allowed, one byte
// more is refused, and whatever is read comes back whole and in order.
TEST(WholeFile, ReadsUpToTheCapAndRefusesOneByteMore) {
    constexpr size_t kPiece = 64 * 1024;
    for (size_t size : {size_t(0), size_t(1), kPiece - 1, kPiece, kPiece + 1, 3 * kPiece + 7}) {
        Bytes bytes{9, 9};
        ASSERT_EQ(kv::ReadWholeFile(FileOf(size).get(), size, bytes), kv::WholeFile::Ok) << size;
        ASSERT_EQ(bytes.size(), size);
        for (size_t i = 0; i < size; i++) ASSERT_EQ(bytes[i], uint8_t(i & 0xFF)) << i;
        if (size > 0) {
            EXPECT_EQ(kv::ReadWholeFile(FileOf(size).get(), size - 1, bytes),
                      kv::WholeFile::TooLarge)
                << size;
        }
    }
}

// A huge file under a small cap is not read whole.
TEST(WholeFile, StopsSoonAfterTheCap) {
    CFile file = FileOf(1 << 20);
    Bytes bytes;
    EXPECT_EQ(kv::ReadWholeFile(file.get(), 10, bytes), kv::WholeFile::TooLarge);
    EXPECT_LE(std::ftell(file.get()), 2 * 64 * 1024);
}

TEST(WholeFile, AReadErrorIsReported) {
    // A folder opens for reading here, and reading it fails.
    CFile folder(std::fopen(fs::temp_directory_path().string().c_str(), "rb"));
    if (!folder) GTEST_SKIP() << "folders do not open as files here";
    Bytes bytes;
    EXPECT_EQ(kv::ReadWholeFile(folder.get(), 100, bytes), kv::WholeFile::ReadError);
}

} // namespace

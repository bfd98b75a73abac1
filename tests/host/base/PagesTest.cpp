#include "base/Pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// Whatever the range (empty, shorter than a page, starting and ending mid-page), no byte changes,
// and the bytes around it are left alone.
TEST(Pages, MappingKeepsEveryByte) {
    std::vector<uint8_t> block(5 * 4096 + 123);
    for (size_t i = 0; i < block.size(); i++) block[i] = uint8_t(i * 7 + 1);
    const std::vector<uint8_t> before = block;
    for (auto [from, size] : {std::pair<size_t, size_t>{0, 0},
                              {1, 10},
                              {17, 4096},
                              {100, 3 * 4096 + 5},
                              {0, block.size()}}) {
        kv::MapPagesNow(block.data() + from, size);
        ASSERT_EQ(block, before) << from << " " << size;
    }
}

#if defined(__linux__)

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// The point of it: a fresh block that was mapped up front is then filled without a fault per page.
TEST(Pages, AMappedBlockFillsWithoutFaults) {
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const size_t pages = 16;
    auto fill = [&](bool mapFirst) {
        void* fresh =
            mmap(nullptr, pages * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (fresh == MAP_FAILED) {
            ADD_FAILURE() << "no fresh memory";
            return -1L;
        }
        auto* bytes = static_cast<volatile uint8_t*>(fresh);
        if (mapFirst) kv::MapPagesNow(fresh, pages * page);
        long before = MinorFaults();
        for (size_t i = 0; i < pages; i++) bytes[i * page] = 1;
        long faults = MinorFaults() - before;
        munmap(fresh, pages * page);
        return faults;
    };
    // A kernel that maps several pages per fault (multi-size huge pages) leaves nothing to see.
    if (fill(false) < long(pages)) GTEST_SKIP() << "this kernel maps several pages per fault";
#if defined(MADV_POPULATE_WRITE)
    void* probe = mmap(nullptr, page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    bool kernelCan = madvise(probe, page, MADV_POPULATE_WRITE) == 0;
    munmap(probe, page);
    if (!kernelCan) GTEST_SKIP() << "this kernel maps pages only when they are touched";
    EXPECT_EQ(fill(true), 0);
#endif
}

#endif

} // namespace

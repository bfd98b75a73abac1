#include "base/Pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace kv {

#if defined(__linux__) && defined(MADV_POPULATE_WRITE)

void MapPagesNow(void* p, size_t size) {
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    uintptr_t begin = (uintptr_t(p) + page - 1) & ~(page - 1);
    uintptr_t end = (uintptr_t(p) + size) & ~(page - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

#else

void MapPagesNow(void*, size_t) {}

#endif

} // namespace kv

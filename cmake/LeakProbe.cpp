// Frees what it allocates: it exits 0 where LeakSanitizer can run, and fails where the leak
// check at exit cannot inspect the process.
#include <cstdlib>

int main() {
    void* volatile p = std::malloc(16);
    std::free(p);
    return 0;
}

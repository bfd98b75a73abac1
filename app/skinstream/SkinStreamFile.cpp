// Writes a packed skin as the skin component's stored stream: a 4-byte little-endian length,
// then the packed bytes. The Windows build embeds the result as the main window's skin.
//   kv_skin_stream PACKED.skin OUT.bin
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kv_skin_stream PACKED.skin OUT.bin\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? std::streamoff(in.tellg()) : -1;
    std::vector<char> bytes(size > 0 && size <= INT32_MAX ? size_t(size) : 0);
    in.seekg(0);
    if (bytes.empty() || !in.read(bytes.data(), std::streamsize(bytes.size()))) {
        std::fprintf(stderr, "kv_skin_stream: cannot read %s\n", argv[1]);
        return 1;
    }
    const uint32_t n = static_cast<uint32_t>(bytes.size());
    const char length[4] = {char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF),
                            char((n >> 24) & 0xFF)};
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(length, 4);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "kv_skin_stream: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

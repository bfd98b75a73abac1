// Writes the decoder's benchmark inputs as files, for timing whole processes (compare.sh):
//   write_bench_inputs DIR
// DIR/NAME.packed is a packed stream (size word + bits), DIR/NAME.raw the bytes it unpacks to.
#include "skin/data/Lzh.h"
#include "skin/data/SkinWrite.h"
#include "tests/host/skin_stream/bench/BenchInputs.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool SaveInput(const std::string& dir, const char* name, const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> packed = kv::TLZH::Pack(raw);
    std::printf("%-14s %9zu bytes, packed %9zu\n", name, raw.size(), packed.size());
    return Save(dir + "/" + name + ".raw", raw) && Save(dir + "/" + name + ".packed", packed);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_bench_inputs DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    std::vector<uint8_t> package;
    std::string error;
    if (!kv::BuildSkinPackage(kv::benchdata::NoisySkinEntries(), package, error)) {
        std::fprintf(stderr, "write_bench_inputs: %s\n", error.c_str());
        return 1;
    }
    std::string text = kv::benchdata::EnglishLikeText(600 * 1024);
    // One byte: the time of a process that does next to nothing, start-up and files.
    bool ok = SaveInput(dir, "one-byte", {'x'}) && SaveInput(dir, "noisy-skin", package) &&
              SaveInput(dir, "noisy-images", kv::benchdata::NoisyImageData(8 << 20)) &&
              SaveInput(dir, "english", std::vector<uint8_t>(text.begin(), text.end()));
    if (!ok) std::fprintf(stderr, "write_bench_inputs: cannot write to %s\n", dir.c_str());
    return ok ? 0 : 1;
}

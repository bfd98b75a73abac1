// A full load of the default skin: decode the package, parse the definition, decode every
// image. Run: build/host/tests/host/skin_def/skin_def_bench
#include "skin/data/SkinDefinition.h"
#include "skin/data/SkinRead.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> DefaultSkin() {
    const char* dir = std::getenv("KV_BINARY_DIR");
    std::ifstream in(std::string(dir ? dir : ".") + "/assets/skin/Default.skin", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void BM_LoadDefaultSkin(benchmark::State& state) {
    const auto packed = DefaultSkin();
    if (packed.empty()) state.SkipWithError("no assets/skin/Default.skin (set KV_BINARY_DIR)");
    for (auto _ : state) {
        auto def = kv::LoadPackedSkin(packed);
        benchmark::DoNotOptimize(def);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(packed.size()));
}
BENCHMARK(BM_LoadDefaultSkin)->Unit(benchmark::kMillisecond);

void BM_ParseDefinitionOnly(benchmark::State& state) {
    const auto packed = DefaultSkin();
    kv::TSkinReader reader;
    if (packed.empty() || !reader.OpenPackage(packed)) {
        state.SkipWithError("no default skin");
        return;
    }
    std::vector<uint8_t> ini;
    std::string name;
    reader.ExtractEntryContaining(".ini", ini, name);
    const std::string_view text(reinterpret_cast<const char*>(ini.data()), ini.size());
    const auto lookup = kv::PackageLookup(reader);
    for (auto _ : state) {
        auto def = kv::ParseSkinDefinition(text, lookup);
        benchmark::DoNotOptimize(def);
    }
}
BENCHMARK(BM_ParseDefinitionOnly)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

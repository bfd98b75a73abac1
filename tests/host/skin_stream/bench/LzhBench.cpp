// Decoding speed of packed skins: a deterministic skin-like package (about 380 KB unpacked),
// inputs like real skins (noisy pictures, text; see BenchInputs.h, compare.sh times the same
// against the classic decoder), and the default skin when the build has made it.
#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"
#include "tests/host/skin_stream/SkinStreamData.h"
#include "tests/host/skin_stream/bench/BenchInputs.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes& SkinLikePacked() {
    static const Bytes packed = [] {
        Bytes out;
        std::string error;
        kv::PackSkin(kv::testdata::SkinLikeEntries(), out, error);
        return out;
    }();
    return packed;
}

void Decode(benchmark::State& state, const Bytes& packed) {
    Bytes out;
    for (auto _ : state) {
        if (kv::TLZH::Unpack(packed, out) != kv::LzhStatus::Ok) state.SkipWithError("decode");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.size()));
    state.counters["packed"] = double(packed.size());
    state.counters["unpacked"] = double(out.size());
}

void BM_DecodeSkinLike(benchmark::State& state) {
    Decode(state, SkinLikePacked());
}
BENCHMARK(BM_DecodeSkinLike)->Unit(benchmark::kMicrosecond);

void BM_DecodeNoisySkin(benchmark::State& state) {
    static const Bytes packed = [] {
        Bytes out;
        std::string error;
        kv::PackSkin(kv::benchdata::NoisySkinEntries(), out, error);
        return out;
    }();
    Decode(state, packed);
}
BENCHMARK(BM_DecodeNoisySkin)->Unit(benchmark::kMicrosecond);

void BM_DecodeNoisyImages(benchmark::State& state) {
    static const Bytes packed = kv::TLZH::Pack(kv::benchdata::NoisyImageData(8 << 20));
    Decode(state, packed);
}
BENCHMARK(BM_DecodeNoisyImages)->Unit(benchmark::kMillisecond);

void BM_DecodeEnglish(benchmark::State& state) {
    static const Bytes packed = [] {
        std::string text = kv::benchdata::EnglishLikeText(600 * 1024);
        return kv::TLZH::Pack(Bytes(text.begin(), text.end()));
    }();
    Decode(state, packed);
}
BENCHMARK(BM_DecodeEnglish)->Unit(benchmark::kMicrosecond);

void BM_OpenPackageSkinLike(benchmark::State& state) {
    for (auto _ : state) {
        kv::TSkinReader reader;
        if (!reader.OpenPackage(SkinLikePacked())) state.SkipWithError("open");
        benchmark::DoNotOptimize(reader.Count());
    }
}
BENCHMARK(BM_OpenPackageSkinLike)->Unit(benchmark::kMicrosecond);

void BM_EncodeSkinLike(benchmark::State& state) {
    Bytes package;
    kv::TLZH::Unpack(SkinLikePacked(), package);
    for (auto _ : state) benchmark::DoNotOptimize(kv::TLZH::Encode(package).size());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(package.size()));
}
BENCHMARK(BM_EncodeSkinLike)->Unit(benchmark::kMillisecond);

// The default skin as packed by the build: KV_DEFAULT_SKIN, or its place in the build folder.
Bytes DefaultSkin() {
    std::string path;
    if (const char* p = std::getenv("KV_DEFAULT_SKIN"))
        path = p;
    else if (const char* b = std::getenv("KV_BINARY_DIR"))
        path = std::string(b) + "/assets/skin/Default.skin";
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

void BM_DecodeDefaultSkin(benchmark::State& state) {
    static const Bytes packed = DefaultSkin();
    if (packed.empty()) {
        state.SkipWithError("default skin not built");
        for (auto _ : state) {
        }
        return;
    }
    Decode(state, packed);
}
BENCHMARK(BM_DecodeDefaultSkin)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

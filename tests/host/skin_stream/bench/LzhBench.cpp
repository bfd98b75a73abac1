// Decoding speed of packed skins: a deterministic skin-like package (about 380 KB unpacked),
// inputs like real skins (noisy pictures, text; see BenchInputs.h, compare.sh times the same
// against the classic decoder), from memory and streamed, and the default skin when the build
// has made it.
#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"
#include "tests/host/skin_stream/SkinStreamData.h"
#include "tests/host/skin_stream/bench/BenchInputs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
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

// Streamed from memory into a sink that keeps nothing: the decoder alone, without the output
// buffer that Unpack fills (skinpack decode runs this path).
void Stream(benchmark::State& state, const Bytes& packed) {
    size_t unpacked = 0;
    for (auto _ : state) {
        size_t pos = 0;
        unpacked = 0;
        auto read = [&](std::span<uint8_t> buffer) {
            size_t n = std::min(buffer.size(), packed.size() - pos);
            std::copy_n(packed.data() + pos, n, buffer.data());
            pos += n;
            return n;
        };
        auto write = [&](std::span<const uint8_t> piece) {
            benchmark::DoNotOptimize(piece.data());
            unpacked += piece.size();
            return true;
        };
        if (kv::TLZH::UnpackStream(read, write) != kv::LzhStatus::Ok) state.SkipWithError("stream");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(unpacked));
}

void BM_DecodeSkinLike(benchmark::State& state) {
    Decode(state, SkinLikePacked());
}
BENCHMARK(BM_DecodeSkinLike)->Unit(benchmark::kMicrosecond);

const Bytes& NoisySkinPacked() {
    static const Bytes packed = [] {
        Bytes out;
        std::string error;
        kv::PackSkin(kv::benchdata::NoisySkinEntries(), out, error);
        return out;
    }();
    return packed;
}

const Bytes& NoisyImagesPacked() {
    static const Bytes packed = kv::TLZH::Pack(kv::benchdata::NoisyImageData(8 << 20));
    return packed;
}

const Bytes& EnglishPacked() {
    static const Bytes packed = [] {
        std::string text = kv::benchdata::EnglishLikeText(600 * 1024);
        return kv::TLZH::Pack(Bytes(text.begin(), text.end()));
    }();
    return packed;
}

void BM_DecodeNoisySkin(benchmark::State& state) {
    Decode(state, NoisySkinPacked());
}
BENCHMARK(BM_DecodeNoisySkin)->Unit(benchmark::kMicrosecond);

void BM_DecodeNoisyImages(benchmark::State& state) {
    Decode(state, NoisyImagesPacked());
}
BENCHMARK(BM_DecodeNoisyImages)->Unit(benchmark::kMillisecond);

void BM_DecodeEnglish(benchmark::State& state) {
    Decode(state, EnglishPacked());
}
BENCHMARK(BM_DecodeEnglish)->Unit(benchmark::kMicrosecond);

void BM_StreamNoisySkin(benchmark::State& state) {
    Stream(state, NoisySkinPacked());
}
BENCHMARK(BM_StreamNoisySkin)->Unit(benchmark::kMicrosecond);

void BM_StreamNoisyImages(benchmark::State& state) {
    Stream(state, NoisyImagesPacked());
}
BENCHMARK(BM_StreamNoisyImages)->Unit(benchmark::kMillisecond);

void BM_StreamEnglish(benchmark::State& state) {
    Stream(state, EnglishPacked());
}
BENCHMARK(BM_StreamEnglish)->Unit(benchmark::kMicrosecond);

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

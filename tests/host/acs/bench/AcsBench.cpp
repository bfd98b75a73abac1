// Load and compose timings: the sample character, a ~2 MB generated character, one frame.
#include "agent/acs/AcsCompose.h"
#include "agent/acs/AcsImage.h"
#include "agent/acs/AcsReader.h"
#include "agent/acs/AcsWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

namespace {

using namespace kv;

std::vector<uint8_t> SampleBytes() {
    const char* dir = std::getenv("KV_SOURCE_DIR");
    std::ifstream f(std::filesystem::path(dir ? dir : ".") / "assets/sample/Pip.acs",
                    std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// 30 animations of 12 frames, each frame with its own noisy 200 x 200 image, about 2 MB.
std::vector<uint8_t> LargeBytes() {
    AcsCharacter c;
    c.width = c.height = 200;
    c.flags = kAcsFlagVoiceDisabled | kAcsFlagBalloonDisabled;
    for (uint32_t i = 0; i < 256; ++i) c.palette.push_back(i * 0x010101);
    c.localized.push_back({0x0409, u"Big", u"", u""});
    uint32_t seed = 1;
    std::vector<uint8_t> px(200 * 200);
    for (int a = 0; a < 30; ++a) {
        AcsAnimation anim;
        anim.name = u"Anim" + AcsFromUtf8(std::to_string(a));
        for (int f = 0; f < 12; ++f) {
            for (size_t i = 0; i < px.size(); ++i) {
                seed = seed * 1103515245 + 12345;
                px[i] = (i % 200) < 100 + (seed >> 28) ? uint8_t((i / 200 + a) & 0xF0) : 0;
            }
            c.images.push_back(AcsEncodeImage(200, 200, px, 0, true));
            AcsFrame frame;
            frame.images.push_back({uint32_t(c.images.size() - 1), 0, 0});
            anim.frames.push_back(frame);
        }
        c.animations.push_back(anim);
    }
    std::vector<uint8_t> bytes;
    std::string error;
    WriteAcs(c, bytes, error);
    return bytes;
}

void Load(benchmark::State& state, const std::vector<uint8_t>& bytes) {
    AcsCharacter c;
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(ReadAcs(bytes, c, error));
    state.counters["bytes"] = double(bytes.size());
}

void BM_LoadSample(benchmark::State& state) {
    Load(state, SampleBytes());
}
void BM_LoadLarge(benchmark::State& state) {
    Load(state, LargeBytes());
}

void BM_ComposeFrame(benchmark::State& state) {
    AcsCharacter c;
    std::string error;
    ReadAcs(SampleBytes(), c, error);
    const AcsAnimation* a = c.FindAnimation(u"Congratulate");
    if (!a) return state.SkipWithError("no sample");
    AcsFrameComposer composer(c);
    PixelBuffer out;
    for (auto _ : state) benchmark::DoNotOptimize(composer.Compose(a->frames[2], out));
}

void BM_DecodeFrameImages(benchmark::State& state) {
    AcsCharacter c;
    std::string error;
    ReadAcs(SampleBytes(), c, error);
    std::vector<uint8_t> out;
    for (auto _ : state)
        for (const auto& img : c.images) benchmark::DoNotOptimize(AcsDecodePixels(img, 0, out));
    state.counters["images"] = double(c.images.size());
}

} // namespace

BENCHMARK(BM_LoadSample);
BENCHMARK(BM_LoadLarge);
BENCHMARK(BM_ComposeFrame);
BENCHMARK(BM_DecodeFrameImages);
BENCHMARK_MAIN();

// One benchmark per compositing routine, at the sizes a skinned window paints.
#include "skin/form/draw/SkinDraw.h"
#include "skin/form/draw/SkinRegion.h"

#include <benchmark/benchmark.h>

namespace kv {
namespace {

PixelBuffer Gradient(int w, int h) {
    PixelBuffer image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.At(x, y) = RgbPixel(uint8_t(x * 3), uint8_t(y * 7), 90);
    return image;
}

// A caption image of two frames (active, inactive) with its top corners rounded by magenta.
PixelBuffer CaptionStrip(int frameWidth, int height, int frames) {
    PixelBuffer image = Gradient(frameWidth * frames, height);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5 - y; ++x) {
                image.At(f * frameWidth + x, y) = kMagenta;
                image.At(f * frameWidth + frameWidth - 1 - x, y) = kMagenta;
            }
    return image;
}

void BM_BuildNineSliceCaption(benchmark::State& state) {
    const PixelBuffer strip = CaptionStrip(80, 30, 2);
    const bool tile = state.range(0) != 0;
    for (auto _ : state) {
        PixelBuffer out =
            BuildNineSlice({0, 0, 640, 30}, strip.View(), {24, 0, 24, 0}, false, tile, 2, 1);
        benchmark::DoNotOptimize(out.View().pixels);
    }
    state.SetItemsProcessed(state.iterations() * 640 * 30);
}
BENCHMARK(BM_BuildNineSliceCaption)->Arg(0)->Arg(1);

void BM_DrawNineSliceTransparentFrame(benchmark::State& state) {
    const PixelBuffer border = CaptionStrip(40, 40, 2);
    PixelBuffer target(800, 600);
    for (auto _ : state)
        DrawNineSlice(target.View(), {0, 0, 800, 600}, border.View(), false, false, true, 2, 1,
                      {8, 8, 8, 8});
    state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_DrawNineSliceTransparentFrame);

void BM_StretchPieceCaptionText(benchmark::State& state) {
    const PixelBuffer back = Gradient(30, 20);
    PixelBuffer target(300, 20);
    for (auto _ : state)
        StretchPiece(target.View(), {0, 0, 300, 20}, back.View(), false, false, 1, 1,
                     {10, 0, 10, 0});
    state.SetItemsProcessed(state.iterations() * 300 * 20);
}
BENCHMARK(BM_StretchPieceCaptionText);

void BM_DrawSkinStripButton(benchmark::State& state) {
    const PixelBuffer strip = CaptionStrip(23, 21, 4);
    PixelBuffer target(100, 30);
    for (auto _ : state)
        DrawSkinStrip(target.View(), {0, 0, 100, 30}, strip.View(), state.range(0) != 0, 4, 3);
    state.SetItemsProcessed(state.iterations() * 100 * 30);
}
BENCHMARK(BM_DrawSkinStripButton)->Arg(0)->Arg(1);

void BM_DrawTransparentCaption(benchmark::State& state) {
    const PixelBuffer caption = CaptionStrip(300, 30, 1);
    PixelBuffer target(300, 30);
    for (auto _ : state) DrawTransparent(target.View(), {0, 0, 300, 30}, caption.View(), kMagenta);
    state.SetItemsProcessed(state.iterations() * 300 * 30);
}
BENCHMARK(BM_DrawTransparentCaption);

void BM_TileBitmapBackground(benchmark::State& state) {
    const PixelBuffer tile = Gradient(64, 64);
    PixelBuffer target(800, 600);
    for (auto _ : state) TileBitmap(target.View(), {0, 0, 800, 600}, tile.View(), {0, 0, 64, 64});
    state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_TileBitmapBackground);

void BM_BitmapToRegionCaption(benchmark::State& state) {
    const PixelBuffer caption = CaptionStrip(300, 30, 1);
    for (auto _ : state) {
        auto batches = BitmapToRegionRects(caption.View(), 0, 0, 1, 1, 1, kMagenta);
        benchmark::DoNotOptimize(batches.data());
    }
    state.SetItemsProcessed(state.iterations() * 300 * 30);
}
BENCHMARK(BM_BitmapToRegionCaption);

} // namespace
} // namespace kv

BENCHMARK_MAIN();

// What the marks cost on a 4K selection: an arrow across most of it, a frame as large, a step,
// a mosaic of a quarter of it, and, as the anchor, a copy of the whole selection (what taking
// a mark back costs at least).

#include "imaging/MarkShapes.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct TSelection {
    std::vector<std::uint8_t> Pixels = std::vector<std::uint8_t>(3840 * 2160 * 4, 0x80);
    TPixels32Canvas Canvas{Pixels.data(), 3840, 2160, 3840 * 4, 0, 0};
};

TSelection& Selection() {
    static TSelection selection;
    return selection;
}

void Arrow(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            PaintArrow(Selection().Canvas, {480, 270}, {2880, 1080}, 3, 0xE81123));
    }
}
BENCHMARK(Arrow)->Unit(benchmark::kMillisecond);

void Frame(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaintFrame(Selection().Canvas, {480, 270, 2880, 1620}, 3, 0));
    }
}
BENCHMARK(Frame)->Unit(benchmark::kMillisecond);

void Step(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaintDisc(Selection().Canvas, {1000, 1000}, 13, 0xE81123));
    }
}
BENCHMARK(Step)->Unit(benchmark::kMillisecond);

void Mosaic(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaintMosaic(Selection().Canvas, {0, 0, 1920, 1080}, 10));
    }
}
BENCHMARK(Mosaic)->Unit(benchmark::kMillisecond);

void WholeCopy(benchmark::State& state) {
    std::vector<std::uint8_t> copy;
    for (auto _ : state) {
        copy = Selection().Pixels;
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(WholeCopy)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

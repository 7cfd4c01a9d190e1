// The scrolling capture's stitch: one step's shift found and its new rows added, for a 1000x700
// rectangle; a 20,000-row page put together step by step; and, as the anchor, a plain copy of
// that page's pixels.

#include "app/PageStitcher.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 1000, kHeight = 700, kStep = 60, kPageRows = 20000;

// A document's row: text-like runs on white, every row its own, with blank lines between.
std::uint32_t PageColour(int x, int y) {
    if (y % 24 >= 18) {
        return 0xFFFFFF;
    }
    const std::uint32_t seed = std::uint32_t(y) * 2654435761u + std::uint32_t(x / 7) * 40503u;
    return (seed >> 13) % 3 == 0 ? 0x202020 : 0xFFFFFF;
}

// The window over the page from `offset`: a header of 40 rows and a footer of 30 that stay.
std::vector<std::uint32_t> Frame(int offset) {
    std::vector<std::uint32_t> pixels(std::size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            pixels[std::size_t(y) * kWidth + x] = y < 40 ? 0x2050A0 + std::uint32_t(x)
                                                  : y >= kHeight - 30
                                                      ? 0xA05020 + std::uint32_t(x)
                                                      : PageColour(x, offset + y - 40);
        }
    }
    return pixels;
}

TPixels32View View(const std::vector<std::uint32_t>& pixels) {
    return {reinterpret_cast<const std::uint8_t*>(pixels.data()), kWidth, kHeight, 4 * kWidth};
}

// A step in the middle of a page: the first two grabs (the first screen kept, the fixed parts
// found) off the clock.
void OneStep(benchmark::State& state) {
    const std::vector<std::uint32_t> first = Frame(0), second = Frame(kStep),
                                     third = Frame(2 * kStep);
    for (auto _ : state) {
        TPageStitcher stitcher(View(first));
        stitcher.Add(View(second));
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(stitcher.Add(View(third)));
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(OneStep)->UseManualTime()->Unit(benchmark::kMillisecond);

void WholePage(benchmark::State& state) {
    std::vector<std::vector<std::uint32_t>> frames;
    for (int offset = 0; offset + kHeight - 70 < kPageRows; offset += kStep) {
        frames.push_back(Frame(offset));
    }
    for (auto _ : state) {
        TPageStitcher stitcher(View(frames.front()));
        for (std::size_t i = 1; i < frames.size(); ++i) {
            stitcher.Add(View(frames[i]));
        }
        benchmark::DoNotOptimize(stitcher.TakePage(100000).data());
    }
    state.counters["rows"] = double(kStep) * double(frames.size() - 1) + kHeight;
}
BENCHMARK(WholePage)->Unit(benchmark::kMillisecond);

void CopyOfThePage(benchmark::State& state) {
    const std::vector<std::uint8_t> page(std::size_t(kWidth) * 4 * kPageRows, 0x80);
    std::vector<std::uint8_t> copy;
    for (auto _ : state) {
        copy = page;
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(CopyOfThePage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

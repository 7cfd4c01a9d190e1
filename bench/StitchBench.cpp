// The scrolling capture's stitch: one step's shift found and its new rows added, for a 1000x700
// rectangle; a 20,000-row page put together step by step, with steps of 60 rows and of half the
// moving part (as the capture turns the wheel); and, as the anchors, a plain copy of that page's
// pixels, into memory already touched and into new memory. Then a 30,000-row page 3,840 wide from
// its grabs to its 24-bit BMP file, with the process's peak memory over that against the page's
// pixels.

#include "app/scroll/PageStitcher.h"
#include "imaging/Bitmap.h"
#include "support/PosixFileSystem.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1000, kHeight = 700, kHeader = 40, kFooter = 30, kPageRows = 20000;
constexpr int kHalfMoving = (kHeight - kHeader - kFooter) / 2;

// A document's row: text-like runs on white, every row its own, with blank lines between.
std::uint32_t PageColour(int x, int y) {
    if (y % 24 >= 18) {
        return 0xFFFFFF;
    }
    const std::uint32_t seed = std::uint32_t(y) * 2654435761u + std::uint32_t(x / 7) * 40503u;
    return (seed >> 13) % 3 == 0 ? 0x202020 : 0xFFFFFF;
}

// The window over the page from `offset`: a header and a footer that stay.
void Paint(std::vector<std::uint32_t>& pixels, int width, int height, int offset) {
    pixels.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[std::size_t(y) * width + x] = y < kHeader ? 0x2050A0 + std::uint32_t(x % 256)
                                                 : y >= height - kFooter
                                                     ? 0xA05020 + std::uint32_t(x % 256)
                                                     : PageColour(x, offset + y - kHeader);
        }
    }
}

std::vector<std::uint32_t> Frame(int offset) {
    std::vector<std::uint32_t> pixels;
    Paint(pixels, kWidth, kHeight, offset);
    return pixels;
}

TPixels32View View(const std::vector<std::uint32_t>& pixels, int width = kWidth) {
    return {reinterpret_cast<const std::uint8_t*>(pixels.data()), width,
            static_cast<std::int32_t>(pixels.size() / std::size_t(width)), 4 * width};
}

// A step in the middle of a page: the first two grabs (the first screen kept, the fixed parts
// found) off the clock.
void OneStep(benchmark::State& state) {
    const std::vector<std::uint32_t> first = Frame(0), second = Frame(kHalfMoving),
                                     third = Frame(2 * kHalfMoving);
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

// The page step by step, `range(0)` rows a step.
void WholePage(benchmark::State& state) {
    const int step = static_cast<int>(state.range(0));
    std::vector<std::vector<std::uint32_t>> frames;
    for (int offset = 0; offset + kHeight - kHeader - kFooter < kPageRows; offset += step) {
        frames.push_back(Frame(offset));
    }
    for (auto _ : state) {
        TPageStitcher stitcher(View(frames.front()));
        for (std::size_t i = 1; i < frames.size(); ++i) {
            if (stitcher.Add(View(frames[i])) != TPageStitcher::TStep::Moved) {
                state.SkipWithError("a step was not followed");
                return;
            }
        }
        benchmark::DoNotOptimize(stitcher.TakePage(100000).Row(0));
    }
    state.counters["rows"] = double(step) * double(frames.size() - 1) + kHeight;
}
BENCHMARK(WholePage)->Arg(60)->Arg(kHalfMoving)->MinTime(2)->Unit(benchmark::kMillisecond);

void CopyOfThePage(benchmark::State& state) {
    const std::vector<std::uint8_t> page(std::size_t(kWidth) * 4 * kPageRows, 0x80);
    std::vector<std::uint8_t> copy;
    for (auto _ : state) {
        copy = page;
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(CopyOfThePage)->Unit(benchmark::kMillisecond);

// The same copy into memory the process has not touched yet, as a page growing must have it.
void CopyIntoNewMemory(benchmark::State& state) {
    const std::vector<std::uint8_t> page(std::size_t(kWidth) * 4 * kPageRows, 0x80);
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(page);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(CopyIntoNewMemory)->Unit(benchmark::kMillisecond);

// A figure of the process's memory from /proc/self/status ("VmHWM:" its peak resident bytes
// since the last reset, "VmRSS:" what it holds now), in bytes.
double StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stod(line.substr(field.size())) * 1024;
        }
    }
    return 0;
}
double PeakBytes() {
    return StatusBytes("VmHWM:");
}
double ResidentBytes() {
    return StatusBytes("VmRSS:");
}

// What the benchmarks before left in the heap given back, then the peak reset.
void ResetPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A 30,000-row page 3,840 wide, grabbed a screen of 700 rows at a time (one grab held, as the
// capture holds it) and stitched, then drawn into a 24-bit picture and written to its file. The
// peak counts everything over what the process held before, against the page's pixels.
void PageToFile(benchmark::State& state) {
    constexpr int width = 3840, rows = 30000;
    TTempFolder folder;
    TPosixFileSystem files;
    std::vector<std::uint32_t> grab;
    for (auto _ : state) {
        ResetPeak();
        const double before = ResidentBytes();
        Paint(grab, width, kHeight, 0);
        TPageStitcher stitcher(View(grab, width));
        for (int offset = kHalfMoving; stitcher.Height() < rows; offset += kHalfMoving) {
            Paint(grab, width, kHeight, offset);
            stitcher.Add(View(grab, width));
        }
        TRowBlocks page = stitcher.TakePage(rows);
        state.counters["stitched_MB"] = (PeakBytes() - before) / 1e6;
        TBitmap bitmap;
        bitmap.SetColumns(page.Width());
        bitmap.SetRows(page.Height());
        bitmap.SetPixelDepth(TPixelDepth::pd24Bit);
        bitmap.DrawRowBlocks(page);
        state.counters["drawn_MB"] = (PeakBytes() - before) / 1e6;
        state.counters["drawn_now_MB"] = (ResidentBytes() - before) / 1e6;
        bitmap.SaveBmpFile(folder.Program("page.bmp"), files);
        const double pixels = 4.0 * width * rows;
        state.counters["pixels_MB"] = pixels / 1e6;
        state.counters["peak_MB"] = (PeakBytes() - before) / 1e6;
        state.counters["peak_to_pixels"] = (PeakBytes() - before) / pixels;
    }
}
BENCHMARK(PageToFile)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

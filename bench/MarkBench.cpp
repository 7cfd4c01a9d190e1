// What the marks cost on a 4K selection: an arrow across most of it, a frame as large, a step,
// a mosaic of a quarter of it, a pen's line and an ellipse, and, as the anchor, a copy of the
// whole selection; and what finding the mark under a press costs, a mark at a time.

#include "app/marks/MarkGeometry.h"
#include "imaging/MarkShapes.h"
#include "imaging/StrokeShapes.h"

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

void PenLine(benchmark::State& state) {
    std::vector<TScreenPoint> points;
    for (int i = 0; i <= 200; ++i) { // a wavy line across half the screen, a point each 10 px
        points.push_back({480 + 10 * i, 1080 + (i % 4 == 1 ? 12 : i % 4 == 3 ? -12 : 0)});
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaintStroke(Selection().Canvas, points, 3, 0xE81123, true));
    }
}
BENCHMARK(PenLine)->Unit(benchmark::kMillisecond);

void Ellipse(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaintEllipse(Selection().Canvas, {480, 270, 2880, 1620}, 3, 0));
    }
}
BENCHMARK(Ellipse)->Unit(benchmark::kMillisecond);

// A press that takes none of 8 marks of every kind that can be taken by its stroke or inside
// it: each is tested; the time is per mark.
void HitTest(benchmark::State& state) {
    const TMarkStyle style;
    std::vector<TMark> marks;
    for (const TMarkTool tool :
         {TMarkTool::Frame, TMarkTool::Arrow, TMarkTool::Line, TMarkTool::Ellipse,
          TMarkTool::Highlighter, TMarkTool::Mosaic, TMarkTool::Step, TMarkTool::Pen}) {
        TMark mark{tool, 0, {100, 100}, {900, 600}, {}, 1, {}};
        for (int i = 0; i <= 80; ++i) {
            mark.Points.push_back({100 + 10 * i, 100 + (i % 2) * 8});
        }
        marks.push_back(mark);
    }
    const TScreenPoint at{500, 300};
    for (auto _ : state) {
        for (const TMark& mark : marks) {
            benchmark::DoNotOptimize(HitsMark(mark, at, style, {}));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(marks.size()));
}
BENCHMARK(HitTest);

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

// The key watcher's decision for one keyboard event, as its hook makes it for every key the
// user presses anywhere: a key passed on, and a bound key swallowed down and up.

#include "keys/KeyFilter.h"

#include <benchmark/benchmark.h>

namespace {

TKeyFilter DefaultFilter() {
    TKeyFilter filter;
    filter.SetBindings({{TKeyAction::Capture, {0x2C, 0}},
                        {TKeyAction::CaptureWindow, {0x2C, kModAlt}},
                        {TKeyAction::SelectRegion, {0x2C, kModCtrl}},
                        {TKeyAction::CaptureScreen, {0x2C, kModShift}}});
    return filter;
}

void KeyPassedOn(benchmark::State& state) {
    TKeyFilter filter = DefaultFilter();
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter.OnKey(true, 'A', 0));
        benchmark::DoNotOptimize(filter.OnKey(false, 'A', 0));
    }
}
BENCHMARK(KeyPassedOn);

void BoundKeySwallowed(benchmark::State& state) {
    TKeyFilter filter = DefaultFilter();
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter.OnKey(true, 0x2C, kModCtrl));
        benchmark::DoNotOptimize(filter.OnKey(false, 0x2C, 0));
    }
}
BENCHMARK(BoundKeySwallowed);

} // namespace

BENCHMARK_MAIN();

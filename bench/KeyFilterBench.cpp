// The key watcher's decision for one keyboard event, as its hook makes it for every key the
// user presses anywhere: a key passed on, and a bound key swallowed down and up.

#include "platform/KeyBindings.h"

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
        benchmark::DoNotOptimize(filter.OnEvent(kHookAction, kKeyDown, 'A', 0));
        benchmark::DoNotOptimize(filter.OnEvent(kHookAction, kKeyUp, 'A', 0));
    }
}
BENCHMARK(KeyPassedOn);

void BoundKeySwallowed(benchmark::State& state) {
    TKeyFilter filter = DefaultFilter();
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter.OnEvent(kHookAction, kKeyDown, 0x2C, kModCtrl));
        benchmark::DoNotOptimize(filter.OnEvent(kHookAction, kKeyUp, 0x2C, 0));
    }
}
BENCHMARK(BoundKeySwallowed);

} // namespace

BENCHMARK_MAIN();

// The latency benchmark's shared measures: the clock, the report, the pointer's events.

#include "Latency.h"

#include <algorithm>
#include <cstdio>

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

TSpread SpreadOf(std::vector<double> times) {
    if (times.empty()) {
        return {};
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

// One line of a measure on the screen's size: its median and range over so many `what`.
void Report(const char* name, const std::vector<double>& times, const char* what) {
    const TSpread spread = SpreadOf(times);
    std::printf("  %-8s %4dx%-4d  median %5.1f ms   (%.1f to %.1f ms, %d %s)\n", name,
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), spread.Median,
                spread.Low, spread.High, static_cast<int>(times.size()), what);
    std::fflush(stdout);
}

double TimeUntilShown(TPointerEvent event, const std::function<bool()>& shown) {
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    event();
    do {
        QueryPerformanceCounter(&now);
    } while (!shown() && Milliseconds(start, now) < 2000);
    return Milliseconds(start, now);
}

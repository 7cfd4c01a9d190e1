// The latency benchmark (tools/latency.sh): whole captures of Quorlan.exe under Wine, from
// PrintScreen to the final file in its place. A benchmark, not a test.
//
// Usage: QuorlanLatency.exe <folder holding Quorlan.exe> <empty work folder>

#include "Driver.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// From PrintScreen (by SendInput) to the final file in its place, for one kind of file: one
// capture first, on its own, then `runs` more; prints the first, the median and the spread.
void MeasureLatency(const char* name, const std::string& imageKeys, const wchar_t* extension,
                    int runs, const std::string& fileKeys = "") {
    ClearPictures();
    TApp app;
    if (!Start(app, IniWith("IsUpdate=0\r\n" + fileKeys, imageKeys))) {
        std::printf("  %-8s Quorlan did not start\n", name);
        return;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    std::vector<double> times;
    for (int i = 1; i <= runs + 1; ++i) {
        wchar_t file[32];
        std::swprintf(file, 32, L"%04d%ls", i, extension);
        const std::wstring path = Pic(file);
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        PrintScreen(false);
        do {
            Sleep(1);
            QueryPerformanceCounter(&now);
        } while (!Exists(path) && Milliseconds(start, now) < 20000);
        times.push_back(Milliseconds(start, now));
        Pump(300); // the program settles; the next capture starts from rest
    }
    const double first = times.front();
    std::vector<double> steady(times.begin() + 1, times.end());
    std::sort(steady.begin(), steady.end());
    std::printf("  %-8s %4dx%-4d  first %7.1f ms   median %7.1f ms   (%.1f to %.1f ms, %d runs)\n",
                name, width, height, first, steady[steady.size() / 2], steady.front(),
                steady.back(), runs);
    std::fflush(stdout);
    ClosePattern(pattern);
    Stop(app);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: QuorlanLatency.exe <folder of Quorlan.exe> <work folder>\n");
        return 2;
    }
    SetUpDriver(argv[1], argv[2]);
    std::printf("From PrintScreen to the file (median of 10 after a first capture)\n");
    MeasureLatency("24-bit", "Bit=3\r\n", L".bmp", 10);
    MeasureLatency("+ clip", "Bit=3\r\n", L".bmp", 10, "CopyToClipboard=1\r\n");
    MeasureLatency("8-bit", "Bit=4\r\n", L".bmp", 10);
    MeasureLatency("JPEG", "Type=1\r\n", L".jpg", 10);
    MeasureLatency("PNG", "Type=2\r\n", L".png", 10);
    return 0;
}

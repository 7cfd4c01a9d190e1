// The latency benchmark of a pin: from F3 on the marks' toolbar to the pinned picture painted
// over the frozen screen (the toolbar, an aid the picture lacks, gone from the screen) and to
// the frozen screen gone, and the memory a pin of nearly the whole screen holds.

#include "Latency.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

namespace {

double PrivateMegabytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    // The private bytes committed (Wine leaves PrivateUsage at 0).
    return double(counters.PagefileUsage) / (1024.0 * 1024.0);
}

HWND ShownPin() {
    HWND pin = FindWindowW(L"QuorlanPin", nullptr);
    return pin && IsWindowVisible(pin) ? pin : nullptr;
}

} // namespace

void MeasurePin(int runs) {
    TApp app;
    TPatternWindow pattern;
    if (!StartOverThePattern(app, pattern, IniWith("Markup=1\r\n"))) {
        ClosePattern(pattern);
        return;
    }
    const int width = pattern.Width, height = pattern.Height;
    std::vector<double> shown, settled, held;
    double left = 0;
    for (int i = 0; i < runs; ++i) {
        Pump(300);
        const double before = PrivateMegabytes(app.Process.hProcess);
        if (!OpenOverlay(app)) {
            std::printf("  the overlay did not open\n");
            break;
        }
        // All but the screen's edge, where the pin's border goes: the toolbar inside the
        // selection's lower edge.
        MouseTo(1, 1);
        LeftButton(false);
        MouseTo(width / 2, height / 2);
        MouseTo(width - 1, height - 1);
        LeftButton(true);
        Pump(300);
        HDC screen = GetDC(nullptr);
        const POINT button{width - 20, height - 31}; // the last button's face, by its top
        const auto toolbarShown = [&] {
            return GetPixel(screen, button.x, button.y) == RGB(0x20, 0x20, 0x20);
        };
        if (!toolbarShown()) {
            std::printf("  the toolbar is not where it was looked for\n");
        }
        INPUT keys[2]{};
        for (int k = 0; k < 2; ++k) {
            keys[k].type = INPUT_KEYBOARD;
            keys[k].ki.wVk = VK_F3;
            keys[k].ki.dwFlags = k ? KEYEVENTF_KEYUP : 0;
        }
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        SendInput(2, keys, sizeof(INPUT));
        do {
            QueryPerformanceCounter(&now);
        } while (toolbarShown() && Milliseconds(start, now) < 2000);
        shown.push_back(Milliseconds(start, now));
        do {
            QueryPerformanceCounter(&now);
        } while (IsWindowVisible(app.Main) && Milliseconds(start, now) < 2000);
        settled.push_back(Milliseconds(start, now));
        ReleaseDC(nullptr, screen);
        if (!ShownPin()) {
            std::printf("  no pin\n");
        }
        Pump(500);
        held.push_back(PrivateMegabytes(app.Process.hProcess) - before);
        Press(VK_ESCAPE);
        WaitFor([] { return ShownPin() == nullptr; });
        Pump(500);
        left = PrivateMegabytes(app.Process.hProcess) - before;
    }
    Report("pin", shown, "pins");
    Report("unfrozen", settled, "pins");
    std::sort(held.begin(), held.end());
    if (!held.empty()) {
        std::printf("  memory   %4dx%-4d  a pin of %dx%d holds %.1f MB (its pixels %.1f MB); "
                    "%.1f MB more than before once closed\n",
                    width, height, width - 2, height - 2, held[held.size() / 2],
                    4.0 * (width - 2) * (height - 2) / (1024.0 * 1024.0), left);
    }
    std::fflush(stdout);
    ClosePattern(pattern);
    Stop(app);
}

// The latency benchmark (tools/latency.sh): whole captures of Quorlan.exe under Wine, from
// PrintScreen to the final file in its place. A benchmark, not a test.
//
// Usage: QuorlanLatency.exe <folder holding Quorlan.exe> <empty work folder>

#include "Driver.h"
#include "Latency.h"

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

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

bool OpenTrayMenu(TApp& app, RECT& menuRect) {
    PostMessageW(app.Main, kTrayNotify, 1, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    if (!WaitFor([&] {
            menu = FindWindowW(L"#32768", nullptr);
            return menu && IsWindowVisible(menu);
        })) {
        return false;
    }
    Pump(300);
    GetWindowRect(menu, &menuRect);
    return true;
}

// What the tray menu's wait stands for, without a compositor: from the menu's window hidden
// (closed by Esc) to the screen showing again, where the menu was, what the window under it
// paints. The driver paints that window, answering its messages all the while, as a program at
// rest does.
void MeasureMenuRepaint(int runs) {
    TApp app;
    if (!Start(app, gDefaultIni)) {
        std::printf("  Quorlan did not start\n");
        return;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        MouseTo(width / 3 + 10 * i, height / 3);
        RECT menu{};
        if (!OpenTrayMenu(app, menu)) {
            std::printf("  the menu did not open\n");
            break;
        }
        HWND window = FindWindowW(L"#32768", nullptr);
        Key(VK_ESCAPE, false);
        Key(VK_ESCAPE, true);
        LARGE_INTEGER start, now;
        do {
            QueryPerformanceCounter(&start);
        } while (IsWindowVisible(window));
        bool repainted = false;
        do {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            const std::vector<std::uint32_t> shot = ScreenShotOf(menu);
            repainted = true;
            for (int y = menu.top; y < menu.bottom && repainted; ++y) {
                for (int x = menu.left; x < menu.right; ++x) {
                    if (shot[std::size_t(y - menu.top) * (menu.right - menu.left) + x -
                             menu.left] != PatternColour(x, y)) {
                        repainted = false;
                        break;
                    }
                }
            }
            QueryPerformanceCounter(&now);
        } while (!repainted && Milliseconds(start, now) < 2000);
        times.push_back(Milliseconds(start, now));
        Pump(200);
    }
    Report("menu", times, "closings");
    ClosePattern(pattern);
    Stop(app);
}

// From the tray menu's capture item (Enter on 撮る) to the file in its place.
void MeasureMenuCapture(int runs) {
    ClearPictures();
    TApp app;
    if (!Start(app, IniWith("IsUpdate=0\r\n"))) {
        std::printf("  Quorlan did not start\n");
        return;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    PrintScreen(false); // the whole screen becomes the region
    WaitFor([] { return Exists(Pic(L"0001.bmp")); });
    Pump(300);
    std::vector<double> times;
    for (int i = 2; i <= runs + 1; ++i) {
        RECT menu{};
        if (!OpenTrayMenu(app, menu)) {
            std::printf("  the menu did not open\n");
            break;
        }
        for (int step = 0; step < 2; ++step) { // the second item: 撮る
            Key(VK_DOWN, false);
            Key(VK_DOWN, true);
        }
        wchar_t file[32];
        std::swprintf(file, 32, L"%04d.bmp", i);
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        Key(VK_RETURN, false);
        Key(VK_RETURN, true);
        do {
            Sleep(1);
            QueryPerformanceCounter(&now);
        } while (!Exists(Pic(file)) && Milliseconds(start, now) < 20000);
        times.push_back(Milliseconds(start, now));
        Pump(300);
    }
    Report("menu", times, "runs");
    ClosePattern(pattern);
    Stop(app);
}

LARGE_INTEGER gKeyArrived{};

LRESULT CALLBACK KeyArrivalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        QueryPerformanceCounter(&gKeyArrived);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// From a key pressed (SendInput) to its key-down in the window in front: with Quorlan's
// watcher in the way and without Quorlan, for a key the watcher passes on. The difference is
// what the hook costs each event, Wine's call into it across threads included.
void MeasureHookCost(int runs) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = KeyArrivalProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"QuorlanLatencyKeys";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, cls.lpszClassName, L"keys", WS_POPUP, 100, 100,
                                  100, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    const auto measure = [&] {
        SetForegroundWindow(window);
        SetFocus(window);
        Pump(300);
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            LARGE_INTEGER start, now;
            gKeyArrived.QuadPart = 0;
            QueryPerformanceCounter(&start);
            Key(VK_F11, false);
            do {
                MSG message;
                while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                    DispatchMessageW(&message);
                }
                QueryPerformanceCounter(&now);
            } while (gKeyArrived.QuadPart == 0 && Milliseconds(start, now) < 1000);
            times.push_back(Milliseconds(start, gKeyArrived.QuadPart ? gKeyArrived : now));
            Key(VK_F11, true);
            Pump(20);
        }
        return SpreadOf(times);
    };
    const TSpread without = measure();
    TApp app;
    if (!Start(app, gDefaultIni)) {
        std::printf("  Quorlan did not start\n");
        DestroyWindow(window);
        return;
    }
    const TSpread with = measure();
    std::printf("  without Quorlan median %5.2f ms (%.2f to %.2f), with its watcher %5.2f ms "
                "(%.2f to %.2f), %d keys\n",
                without.Median, without.Low, without.High, with.Median, with.Low, with.High, runs);
    std::fflush(stdout);
    Stop(app);
    DestroyWindow(window);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: QuorlanLatency.exe <folder of Quorlan.exe> <work folder>\n");
        return 2;
    }
    SetUpDriver(argv[1], argv[2]);
    std::printf("From the mouse to a mark shown on the frozen screen\n");
    MeasureMarkRedraw(20);
    if (argc > 3 && std::wstring(argv[3]) == L"marks") {
        return 0; // the marks alone
    }
    std::printf("From F3 on the marks' toolbar to the pin shown\n");
    MeasurePin(10);
    if (argc > 3 && std::wstring(argv[3]) == L"pin") {
        return 0; // the marks and the pin alone
    }
    std::printf("From a move over the overlay to its aids redrawn\n");
    MeasureMoveRedraw(20);
    std::printf("From a key pressed to the window in front, through the key watcher\n");
    MeasureHookCost(50);
    std::printf("From the tray menu closed to the screen under it repainted\n");
    MeasureMenuRepaint(10);
    std::printf("From the tray menu's capture item to the file, 24-bit\n");
    MeasureMenuCapture(10);
    std::printf("From PrintScreen to the file (median of 10 after a first capture)\n");
    MeasureLatency("24-bit", "Bit=3\r\n", L".bmp", 10);
    MeasureLatency("+ clip", "Bit=3\r\n", L".bmp", 10, "CopyToClipboard=1\r\n");
    // Each capture's notice is still up when the next one comes.
    MeasureLatency("+ notice", "Bit=3\r\n", L".bmp", 10, "NotifySaved=1\r\n");
    MeasureLatency("8-bit", "Bit=4\r\n", L".bmp", 10);
    MeasureLatency("JPEG", "Type=1\r\n", L".jpg", 10);
    MeasureLatency("PNG", "Type=2\r\n", L".png", 10);
    return 0;
}

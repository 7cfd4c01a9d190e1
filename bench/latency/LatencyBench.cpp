// The latency benchmark (tools/latency.sh): whole captures of Quorlan.exe under Wine, from
// PrintScreen to the final file in its place. A benchmark, not a test.
//
// Usage: QuorlanLatency.exe <folder holding Quorlan.exe> <empty work folder>

#include "Driver.h"

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <functional>
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

struct TSpread {
    double Median = 0, Low = 0, High = 0;
};

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

// A pointer event at that position on the primary screen: a move, with `buttons` (the
// MOUSEEVENTF_ flags of a press or a release) if any. Made before the clock starts; sending it
// is what is timed.
struct TPointerEvent {
    TPointerEvent(POINT at, DWORD buttons = 0) {
        Input.type = INPUT_MOUSE;
        Input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        Input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        Input.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    void operator()() { SendInput(1, &Input, sizeof Input); }
    INPUT Input{};
};

// Sends the event, then waits (2 s at most) until `shown`: the milliseconds between.
double TimeUntilShown(TPointerEvent event, const std::function<bool()>& shown) {
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    event();
    do {
        QueryPerformanceCounter(&now);
    } while (!shown() && Milliseconds(start, now) < 2000);
    return Milliseconds(start, now);
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

// Quorlan started with those keys of [File] and its overlay open over the pattern, which
// covers the screen; false, told, when either fails.
bool OpenOverlayOverThePattern(TApp& app, TPatternWindow& pattern, const std::string& fileKeys) {
    if (!StartOverThePattern(app, pattern, IniWith(fileKeys))) {
        ClosePattern(pattern);
        return false;
    }
    if (!OpenOverlay(app)) {
        std::printf("  the overlay did not open\n");
        ClosePattern(pattern);
        Stop(app);
        return false;
    }
    return true;
}

// From a pointer move over the overlay (by SendInput) to the screen showing its aids moved: the
// readout's background where the new one stands, and the snapshot again where the old one
// stood. Before a press (the aids alone) and during a drag (the band too). A benchmark of what
// a user sees, Wine's delivery of the move and its flush to the display included.
void MeasureMoveRedraw(int runs) {
    TApp app;
    TPatternWindow pattern;
    if (!OpenOverlayOverThePattern(app, pattern, "CaptAtSameTime=0\r\n")) {
        return;
    }
    const int width = pattern.Width, height = pattern.Height;
    HDC screen = GetDC(nullptr);
    const POINT points[2] = {{width / 4, height / 4}, {width / 2, height / 2}};
    // A pixel of the readout's background: below the magnifier, left of the text.
    const auto readoutShown = [&](POINT at) {
        return GetPixel(screen, at.x + 22, at.y + 20 + 122 + 4) == RGB(0x20, 0x20, 0x20);
    };
    for (const bool dragging : {false, true}) {
        MouseTo(points[1].x, points[1].y);
        if (dragging) {
            MouseTo(width / 8, height / 8);
            LeftButton(false);
        }
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            const POINT to = points[i % 2], from = points[(i + 1) % 2];
            times.push_back(TimeUntilShown(
                TPointerEvent(to), [&] { return readoutShown(to) && !readoutShown(from); }));
            Pump(50);
        }
        Report(dragging ? "dragging" : "pointing", times, "moves");
    }
    LeftButton(true);
    ReleaseDC(nullptr, screen);
    Press(VK_ESCAPE);
    ClosePattern(pattern);
    Stop(app);
}

// From the mouse's act to the screen showing a mark: a large frame's corner and an arrow's
// head followed during their drags (the preview), the frame moved and resized with the select
// tool, and a step number placed by a click, over a selection of most of the screen.
void MeasureMarkRedraw(int runs) {
    TApp app;
    TPatternWindow pattern;
    if (!OpenOverlayOverThePattern(app, pattern, "Markup=1\r\n")) {
        return;
    }
    const int width = pattern.Width, height = pattern.Height;
    MouseTo(width / 16, height / 16);
    LeftButton(false);
    MouseTo(width * 15 / 16, height * 13 / 16);
    LeftButton(true);
    Pump(300);
    HDC screen = GetDC(nullptr);
    const COLORREF red = RGB(0xE8, 0x11, 0x23);
    // A drag from an eighth of the screen to one end and the other, by turns: the time until
    // the pixel `shown` picks for the new end is the mark's and the old end's no longer.
    const POINT start{width / 8, height / 8};
    std::vector<double> times;
    const auto drag = [&](const char* name, const POINT(&ends)[2], auto shown) {
        times.clear();
        MouseTo(start.x, start.y);
        LeftButton(false);
        for (int i = 0; i < runs; ++i) {
            const POINT to = shown(ends[i % 2]), from = shown(ends[(i + 1) % 2]);
            times.push_back(TimeUntilShown(TPointerEvent(ends[i % 2]), [&] {
                return GetPixel(screen, to.x, to.y) == red &&
                       GetPixel(screen, from.x, from.y) != red;
            }));
            Pump(50);
        }
        LeftButton(true);
        Report(name, times, "marks");
    };
    // A frame's corner; ends on one line from the start, each outside the other's frame.
    const POINT corners[2] = {{width * 3 / 4, height * 3 / 4}, {width * 5 / 8, height * 5 / 8}};
    drag("frame", corners, [](POINT end) { return end; });
    // That frame, selected as drawn, from (1/8, 1/8) to (5/8, 5/8): moved by its left edge with
    // the select tool, its left edge a pixel shown; then resized by its bottom-right handle.
    Press('V');
    const auto reshape = [&](const char* name, POINT grip, const POINT(&to)[2], auto shown) {
        times.clear();
        MouseTo(grip.x, grip.y);
        LeftButton(false);
        for (int i = 0; i < runs; ++i) {
            const POINT now = shown(to[i % 2]), before = shown(to[(i + 1) % 2]);
            times.push_back(TimeUntilShown(TPointerEvent(to[i % 2]), [&] {
                return GetPixel(screen, now.x, now.y) == red &&
                       GetPixel(screen, before.x, before.y) != red;
            }));
            Pump(50);
        }
        LeftButton(true);
        Report(name, times, "marks");
    };
    const POINT edge{width / 8, height / 4};
    const POINT moves[2] = {{edge.x + 60, edge.y}, {edge.x + 20, edge.y}};
    reshape("move", edge, moves, [](POINT at) { return at; });
    // Left 20 pixels right of where it was drawn: its corner is 20 pixels right too.
    const POINT corner{width * 5 / 8 + 20, height * 5 / 8};
    // Within the selection, which ends 13/16 of the way down.
    const POINT sizes[2] = {{width * 7 / 8, height * 3 / 4}, {width * 3 / 4, height * 11 / 16}};
    // On the bottom edge beside the corner: the selected frame's handle covers the corner.
    reshape("resize", corner, sizes, [](POINT at) { return POINT{at.x - 20, at.y}; });
    Press('F');
    // A pixel inside an arrow's head, half the head's length back; ends off each other's line.
    Press('A');
    const POINT ends[2] = {{width * 3 / 4, height / 2}, {width / 2, height * 3 / 4}};
    drag("arrow", ends, [&](POINT end) {
        const double dx = end.x - start.x, dy = end.y - start.y, length = std::hypot(dx, dy);
        return POINT{end.x - static_cast<LONG>(8 * dx / length),
                     end.y - static_cast<LONG>(8 * dy / length)};
    });
    // Steps along a row: from the button's press to the circle beside its number.
    Press('N');
    times.clear();
    for (int i = 0; i < runs; ++i) {
        const POINT at{width / 8 + 40 * i, height / 4};
        MouseTo(at.x, at.y);
        times.push_back(TimeUntilShown(TPointerEvent(at, MOUSEEVENTF_LEFTDOWN),
                                       [&] { return GetPixel(screen, at.x - 9, at.y) == red; }));
        TPointerEvent(at, MOUSEEVENTF_LEFTUP)();
        Pump(50);
    }
    Report("step", times, "marks");
    ReleaseDC(nullptr, screen);
    Press(VK_ESCAPE);
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
    std::printf("From the mouse to a mark shown on the frozen screen\n");
    MeasureMarkRedraw(20);
    if (argc > 3 && std::wstring(argv[3]) == L"marks") {
        return 0; // the marks alone
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

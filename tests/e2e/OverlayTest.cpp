// The region overlay, driven with the mouse and the keyboard.

#include "Driver.h"
#include "Tests.h"

#include <algorithm>
#include <cstdio>

void TheRegionOverlay() {
    TApp app;
    TPatternWindow pattern;
    StartOverThePattern(app, pattern, gDefaultIni);
    const int width = pattern.Width, height = pattern.Height;
    Check(OpenOverlay(app), "the first menu item shows the overlay");
    RECT rect{};
    GetWindowRect(app.Main, &rect);
    Check(rect.left == 0 && rect.top == 0 && rect.right == width && rect.bottom == height,
          "over the whole primary screen");

    // The screen behind changes; the overlay keeps showing the snapshot.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pattern.Pixels[std::size_t(y) * width + x] = PatternColour(x + 30, y);
        }
    }
    InvalidateRect(pattern.Window, nullptr, FALSE);
    UpdateWindow(pattern.Window);
    Pump(300);

    MouseTo(500, 400);
    Check(ScreenShot()[std::size_t(300) * width + 400] == PatternColour(400, 300),
          "the overlay shows the snapshot, not the live screen");
    LeftButton(false);
    const std::vector<std::uint32_t> before = ScreenShot();
    MouseTo(300, 250);
    const std::vector<std::uint32_t> middle = ScreenShot();
    auto at = [&](const std::vector<std::uint32_t>& shot, int x, int y) {
        return shot[std::size_t(y) * width + x];
    };
    Check(at(middle, 300, 250) == (PatternColour(300, 250) ^ 0xFFFFFF) &&
              at(middle, 400, 250) == (PatternColour(400, 250) ^ 0xFFFFFF) &&
              at(middle, 499, 399) == (PatternColour(499, 399) ^ 0xFFFFFF),
          "mid-drag the band inverts the pixels under it");
    Check(at(middle, 450, 300) == PatternColour(450, 300), "inside the band the snapshot shows");
    // The magnifier's border and the readout's background, right of and below the pointer.
    Check(at(middle, 320, 270) == 0x808080 && at(middle, 325, 400) == 0x202020,
          "the magnifier and the readout beside the pointer");
    MouseTo(500, 400); // back to the anchor: the band drawn again is gone
    const std::vector<std::uint32_t> again = ScreenShot();
    Check(again == before, "drawing the band twice leaves the screen as it was");
    MouseTo(100, 50);
    LeftButton(true);

    Check(CapturedExactly(L"0001.bmp", 100, 50, 400, 350, PatternColour),
          "the release captures at once the normalised region (100,50)-(500,400), with the "
          "snapshot's pixels and no trace of the band or the aids");
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "the overlay hides again");

    // While the overlay is up the tray still answers; Esc ends it without a capture.
    Check(OpenOverlay(app), "the overlay again");
    PostMessageW(app.Main, kTrayNotify, 1, WM_LBUTTONDBLCLK);
    Check(WaitFor([] { return Exists(Pic(L"0002.bmp")); }), "a double-click captures meanwhile");
    Key(VK_ESCAPE, false);
    Key(VK_ESCAPE, true);
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "Esc hides the overlay");
    Pump(500);
    Check(!Exists(Pic(L"0003.bmp")), "and captures nothing");
    ClosePattern(pattern);
    Stop(app);
}

// Two monitors (the runner's second display: the primary at the origin, the other left of it
// and lower, so the virtual screen starts at a negative x and has gaps).
void TheOverlayOnTwoMonitors() {
    ClearPictures();
    const RECT all = VirtualScreen();
    const int width = all.right - all.left, height = all.bottom - all.top;
    Check(GetSystemMetrics(SM_CMONITORS) == 2 && all.left < 0, "two monitors, one left of 0");
    TPatternWindow pattern;
    ShowPattern(pattern, all.left, all.top, width, height, 0);
    TApp app;
    Check(Start(app, IniWith("IsUpdate=0\r\n")), "started");
    SetWindowPos(pattern.Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump(300);
    const std::vector<std::uint32_t> desktop = ScreenShotOf(all);
    const auto shown = [&](const std::vector<std::uint32_t>& shot, int x, int y) {
        return shot[std::size_t(y - all.top) * width + (x - all.left)];
    };
    // The monitors' rectangles, asked for once: a question per pixel would take minutes.
    std::vector<RECT> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT rect, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<RECT>*>(data)->push_back(*rect);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    const auto onMonitor = [&](int x, int y) {
        const POINT at{x, y};
        return std::any_of(monitors.begin(), monitors.end(),
                           [&](const RECT& m) { return PtInRect(&m, at) != FALSE; });
    };
    // A capture is exact when every pixel is the desktop's, or white where no monitor is.
    const auto exact = [&](const wchar_t* name, int left, int top, int right, int bottom) {
        return CapturedExactly(name, left, top, right - left, bottom - top, [&](int x, int y) {
            return onMonitor(x, y) ? shown(desktop, x, y) : 0xFFFFFFu;
        });
    };

    Check(OpenOverlay(app), "the overlay opens");
    RECT overlay{};
    GetWindowRect(app.Main, &overlay);
    Check(EqualRect(&overlay, &all) != FALSE, "over the whole virtual screen");
    // The aids aside: the outline of the pattern (it covers the virtual screen) and the
    // magnifier and readout beside the pointer.
    MouseToVirtual(300, 300);
    const RECT panel{320, 320, 442, 482};
    const auto aid = [&](int x, int y) {
        return x < all.left + 3 || x >= all.right - 3 || y < all.top + 3 || y >= all.bottom - 3 ||
               PtInRect(&panel, POINT{x, y});
    };
    const std::vector<std::uint32_t> overlaid = ScreenShotOf(all);
    int differing = 0;
    for (int y = all.top; y < all.bottom; ++y) {
        for (int x = all.left; x < all.right; ++x) {
            if (aid(x, y)) {
                continue;
            }
            const std::uint32_t expected = onMonitor(x, y) ? shown(desktop, x, y) : 0xFFFFFFu;
            if (shown(overlaid, x, y) != expected && differing++ == 0) {
                std::printf("    first difference at %d,%d: %06X for %06X\n", x, y,
                            shown(overlaid, x, y), expected);
            }
        }
    }
    Check(differing == 0, "showing every monitor as it was, white where none is");

    // On the second monitor alone.
    MouseToVirtual(-900, 200);
    LeftButton(false);
    MouseToVirtual(-600, 400);
    LeftButton(true);
    Check(exact(L"0001.bmp", -900, 200, -600, 400), "a drag on the second monitor, exact");

    // Across both, the band checked on both.
    Check(OpenOverlay(app), "the overlay opens again");
    MouseToVirtual(-200, 300);
    LeftButton(false);
    MouseToVirtual(200, 500);
    const std::vector<std::uint32_t> band = ScreenShotOf(all);
    const auto inverted = [&](int x, int y) {
        return shown(band, x, y) == (shown(desktop, x, y) ^ 0xFFFFFF);
    };
    Check(inverted(-200, 300) && inverted(-100, 300) && inverted(100, 499) && inverted(199, 400) &&
              inverted(-200, 450),
          "the band inverts its pixels on both monitors");
    Check(shown(band, 0, 400) == shown(desktop, 0, 400), "inside the band the snapshot shows");
    LeftButton(true);
    Check(exact(L"0002.bmp", -200, 300, 200, 500), "a drag across both, exact");

    // Over the gap above the second monitor (the pointer cannot go there): white there.
    Check(OpenOverlay(app), "and again");
    MouseToVirtual(-100, 150);
    LeftButton(false);
    MouseToVirtual(60, 30);
    LeftButton(true);
    Check(exact(L"0003.bmp", -100, 30, 60, 150), "a gap captures white");

    // Esc ends a selection on the second monitor; nothing is captured.
    Check(OpenOverlay(app), "once more");
    MouseToVirtual(-500, 300);
    LeftButton(false);
    MouseToVirtual(-400, 350);
    Press(VK_ESCAPE);
    LeftButton(true);
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "Esc ends it");
    Pump(500);
    Check(!Exists(Pic(L"0004.bmp")), "and captures nothing");

    Stop(app);
    ClosePattern(pattern);
}

// A selection made with the keyboard alone: the arrows step the pointer, Enter presses and
// releases, and the capture is exactly the stepped rectangle.
void TheOverlayByKeyboard() {
    TApp app;
    TPatternWindow pattern;
    StartOverThePattern(app, pattern, gDefaultIni);
    MouseTo(200, 150);
    Check(OpenOverlay(app), "the overlay opens");
    POINT start{};
    GetCursorPos(&start);
    for (int i = 0; i < 3; ++i) {
        Press(VK_RIGHT);
    }
    Press(VK_DOWN);
    Press(VK_RETURN);
    Chord(VK_SHIFT, VK_RIGHT);
    Chord(VK_SHIFT, VK_RIGHT);
    Press(VK_RIGHT);
    Chord(VK_SHIFT, VK_DOWN);
    Press(VK_UP);
    Press(VK_RETURN);
    Check(CapturedExactly(L"0001.bmp", start.x + 3, start.y + 1, 21, 9, PatternColour),
          "the second Enter captures exactly the stepped rectangle, 21 x 9");
    Stop(app);
    ClosePattern(pattern);
}

// A click without a drag takes the window under the pointer, outlined before the press.
void TheOverlayTakesAWindowByAClick() {
    ClearPictures();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    TPatternWindow background, window;
    ShowPattern(background, 0, 0, width, height, 0);
    ShowPattern(window, 200, 150, 320, 240, 0);
    Pump(300);
    Check(OpenOverlay(app), "the overlay opens");
    MouseTo(300, 200);
    Check(ScreenShot()[std::size_t(250) * width + 200] == 0x0078D7, "the window is outlined");
    LeftButton(false);
    MouseTo(301, 202); // a hand's tremor
    LeftButton(true);
    Check(CapturedExactly(L"0001.bmp", 200, 150, 320, 240,
                          [](int x, int y) { return PatternColour(x - 200, y - 150); }),
          "the click captures exactly the window, 320 x 240");
    Stop(app);
    ClosePattern(window);
    ClosePattern(background);
}

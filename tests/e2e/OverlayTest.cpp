// The region overlay, driven with the mouse and the keyboard.

#include "Driver.h"
#include "Tests.h"

#include <algorithm>
#include <cstdio>

void TheRegionOverlay() {
    ClearPictures();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
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
    const std::vector<std::uint32_t> before = ScreenShot();
    Check(before[std::size_t(300) * width + 400] == PatternColour(400, 300),
          "the overlay shows the snapshot, not the live screen");
    LeftButton(false);
    MouseTo(300, 250);
    const std::vector<std::uint32_t> middle = ScreenShot();
    auto at = [&](const std::vector<std::uint32_t>& shot, int x, int y) {
        return shot[std::size_t(y) * width + x];
    };
    Check(at(middle, 300, 250) == (PatternColour(300, 250) ^ 0xFFFFFF) &&
              at(middle, 400, 250) == (PatternColour(400, 250) ^ 0xFFFFFF) &&
              at(middle, 499, 399) == (PatternColour(499, 399) ^ 0xFFFFFF),
          "mid-drag the band inverts the pixels under it");
    Check(at(middle, 400, 300) == PatternColour(400, 300), "inside the band the snapshot shows");
    MouseTo(500, 400); // back to the anchor: the band drawn again is gone
    const std::vector<std::uint32_t> again = ScreenShot();
    Check(again == before, "drawing the band twice leaves the screen as it was");
    MouseTo(100, 50);
    LeftButton(true);

    std::string bytes;
    Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), "the release captures at once");
    Pump(300);
    ReadFileBytes(Pic(L"0001.bmp"), bytes);
    const TBmpInfo info = BmpInfo(bytes);
    Check(info.Ok && info.Width == 400 && info.Height == 350,
          "the normalised region (100,50)-(500,400)");
    if (info.Ok && info.Width == 400 && info.Height == 350) {
        int wrong = 0;
        std::string first;
        for (int y = 0; y < 350; ++y) {
            for (int x = 0; x < 400; ++x) {
                const bool differs = BmpPixel(bytes, x, y) != PatternColour(x + 100, y + 50);
                if (differs && first.empty()) {
                    char text[96];
                    std::snprintf(text, sizeof text, "first at %d,%d: %06X for %06X", x, y,
                                  BmpPixel(bytes, x, y), PatternColour(x + 100, y + 50));
                    first = text;
                }
                wrong += differs;
            }
        }
        if (wrong) {
            std::printf("    %s\n", first.c_str());
        }
        Check(wrong == 0, "with the snapshot's pixels and no trace of the band (" +
                              std::to_string(wrong) + " differ)");
    }
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

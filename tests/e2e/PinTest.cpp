// A region pinned on the screen: above other windows, dragged, saved and closed by the keys.

#include "Driver.h"
#include "Tests.h"

#include <cstdio>

namespace {

constexpr std::uint32_t kRed = 0xE81123;
constexpr std::uint32_t kBorder = 0x0078D7;
constexpr int kShift = 37; // the window under the pin shows the pattern moved sideways

HWND ShownPin() {
    HWND pin = FindWindowW(L"QuorlanPin", nullptr);
    return pin && IsWindowVisible(pin) ? pin : nullptr;
}

// The region (100, 50)-(500, 400) with a frame from (150, 100) to (250, 200), at a screen
// position of it.
std::uint32_t Marked(int x, int y) {
    const bool frame =
        x >= 150 && x <= 250 && y >= 100 && y <= 200 && !(x > 152 && x < 248 && y > 102 && y < 198);
    return frame ? kRed : PatternColour(x, y);
}

// Whether the screen shows the marked region with its top-left pixel at (left, top), within a
// border of one pixel, and the window under it beyond.
bool ShowsPin(int left, int top) {
    const std::vector<std::uint32_t> shown = ScreenShot();
    const int width = GetSystemMetrics(SM_CXSCREEN);
    for (int y = top - 2; y <= top + 351; ++y) {
        for (int x = left - 2; x <= left + 401; ++x) {
            const bool outside = x < left - 1 || x > left + 400 || y < top - 1 || y > top + 350;
            const bool border =
                !outside && (x < left || x >= left + 400 || y < top || y >= top + 350);
            const std::uint32_t wanted = outside  ? PatternColour(x + kShift, y)
                                         : border ? kBorder
                                                  : Marked(x - left + 100, y - top + 50);
            const std::uint32_t pixel = shown[std::size_t(y) * width + x];
            if (pixel != wanted) {
                std::printf("    first difference at %d,%d: %06X for %06X\n", x, y, pixel, wanted);
                return false;
            }
        }
    }
    return true;
}

} // namespace

void ARegionPinnedStaysOnTopMovesSavesAndCloses() {
    TApp app;
    // Another window lies under the pattern the region is taken from; it shows once the pattern
    // has gone. (A window mapped after the pin would lie above it here: without a window
    // manager, Wine maps every new window on top of the display, whatever the windows' order.)
    TPatternWindow other, pattern;
    ShowPattern(other, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), kShift,
                false);
    StartOverThePattern(app, pattern, IniWith("Markup=1\r\n"));
    Check(OpenOverlay(app), "the overlay opens");
    Drag(100, 50, 500, 400);
    Pump(300);
    Drag(150, 100, 250, 200); // a frame, the tool the toolbar starts with
    Press(VK_F3);
    Check(WaitFor([] { return ShownPin() != nullptr; }), "F3 pins the region");
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "and leaves the frozen screen");

    ClosePattern(pattern);
    Pump(300);
    Check(ShowsPin(100, 50),
          "the pin shows its pixels exactly where they were, over another window");
    Check(!Exists(Pic(L"0001.bmp")), "nothing is saved by pinning");

    Drag(300, 300, 360, 340);
    Pump(300);
    Check(ShowsPin(160, 90), "dragged, it shows them at the new place");

    Chord(VK_CONTROL, 'S');
    Check(CapturedExactly(L"0001.bmp", 100, 50, 400, 350, Marked),
          "Ctrl+S on it saves the next numbered file with the pinned pixels");
    // Its menu's copy: the picture as pinned, on the clipboard.
    MouseTo(300, 300);
    RightButton(false);
    RightButton(true);
    Check(WaitFor([] {
              HWND menu = FindWindowW(L"#32768", nullptr);
              return menu && IsWindowVisible(menu);
          }),
          "a right-click opens its menu");
    Press('C');
    Pump(300);
    const std::string copied = AsBmpFile(ClipboardBytes(CF_DIB));
    const TBmpInfo info = BmpInfo(copied);
    bool same = info.Ok && info.Width == 400 && info.Height == 350;
    for (int y = 0; same && y < 350; ++y) {
        for (int x = 0; same && x < 400; ++x) {
            same = BmpPixel(copied, x, y) == Marked(x + 100, y + 50);
        }
    }
    Check(same, "its menu's copy puts the pinned pixels on the clipboard");
    Press(VK_ESCAPE);
    Check(WaitFor([] { return ShownPin() == nullptr; }), "Esc closes it");
    Check(!Exists(Pic(L"0002.bmp")), "and saves nothing more");
    ClosePattern(other);
    Stop(app);
}

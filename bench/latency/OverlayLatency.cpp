// The latency benchmark on the frozen screen: from the pointer to the overlay's aids and to the
// marks shown.

#include "Latency.h"

#include <cmath>
#include <cstdio>

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
    // A drag from `grip` to one end and the other, by turns: the time until the pixel `shown`
    // picks for the new end is the mark's and the old end's no longer.
    const POINT start{width / 8, height / 8};
    std::vector<double> times;
    const auto drag = [&](const char* name, POINT grip, const POINT(&ends)[2], auto shown) {
        times.clear();
        MouseTo(grip.x, grip.y);
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
    drag("frame", start, corners, [](POINT end) { return end; });
    // That frame, selected as drawn, from (1/8, 1/8) to (5/8, 5/8): moved by its left edge with
    // the select tool, its left edge a pixel shown; then resized by its bottom-right handle.
    Press('V');
    const POINT edge{width / 8, height / 4};
    const POINT moves[2] = {{edge.x + 60, edge.y}, {edge.x + 20, edge.y}};
    drag("move", edge, moves, [](POINT at) { return at; });
    // Left 20 pixels right of where it was drawn: its corner is 20 pixels right too.
    const POINT corner{width * 5 / 8 + 20, height * 5 / 8};
    // Within the selection, which ends 13/16 of the way down.
    const POINT sizes[2] = {{width * 7 / 8, height * 3 / 4}, {width * 3 / 4, height * 11 / 16}};
    // On the bottom edge beside the corner: the selected frame's handle covers the corner.
    drag("resize", corner, sizes, [](POINT at) { return POINT{at.x - 20, at.y}; });
    Press('F');
    // A pixel inside an arrow's head, half the head's length back; ends off each other's line.
    Press('A');
    const POINT ends[2] = {{width * 3 / 4, height / 2}, {width / 2, height * 3 / 4}};
    drag("arrow", start, ends, [&](POINT end) {
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

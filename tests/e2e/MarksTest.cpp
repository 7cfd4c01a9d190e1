// Marks drawn on the frozen screen before the save, by the mouse and the keys.

#include "Driver.h"
#include "Tests.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint32_t kRed = 0xE81123;

// The overlay open over the pattern, and the region (100,50)-(500,400) dragged: the marks'
// toolbar waits beside it.
bool DragRegion(TApp& app, const wchar_t* next = L"0001.bmp") {
    if (!OpenOverlay(app)) {
        return false;
    }
    Drag(100, 50, 500, 400);
    Pump(300);
    return IsWindowVisible(app.Main) && !Exists(Pic(next));
}

// The pattern with blocks of ten from (x0, y0) to (x1, y1) inclusive, each its rounded mean.
std::uint32_t Mosaic(int x, int y, int x0, int y0, int x1, int y1) {
    const int bx = x0 + (x - x0) / 10 * 10, by = y0 + (y - y0) / 10 * 10;
    std::uint32_t sum[3] = {}, count = 0;
    for (int v = by; v < std::min(by + 10, y1 + 1); ++v) {
        for (int u = bx; u < std::min(bx + 10, x1 + 1); ++u, ++count) {
            for (int c = 0; c < 3; ++c) {
                sum[c] += PatternColour(u, v) >> (8 * c) & 0xFF;
            }
        }
    }
    std::uint32_t mean = 0;
    for (int c = 0; c < 3; ++c) {
        mean |= (sum[c] + count / 2) / count << (8 * c);
    }
    return mean;
}

void PutTextOnTheClipboard(const wchar_t* text) {
    if (!OpenClipboard(nullptr)) {
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text, bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

} // namespace

void AFrameAndAMosaicAreSavedWhereDrawn() {
    TApp app;
    TPatternWindow pattern;
    StartOverThePattern(app, pattern, IniWith("Markup=1\r\n"));
    Check(DragRegion(app), "the release keeps the frozen screen up and saves nothing yet");

    Drag(150, 100, 250, 200); // the frame, the tool the toolbar starts with
    const std::vector<std::uint32_t> shown = ScreenShot();
    const auto at = [&](int x, int y) { return shown[std::size_t(y) * pattern.Width + x]; };
    Check(at(180, 100) == kRed && at(152, 130) == kRed && at(153, 130) == PatternColour(153, 130),
          "the frame shows at once, three pixels wide inside its corners");
    Press('M');
    Drag(300, 150, 339, 189);
    Press('F');
    Drag(120, 300, 200, 380);
    Chord(VK_CONTROL, 'Z'); // the last frame goes
    Press(VK_RETURN);

    const auto expected = [](int x, int y) {
        const bool inFrame = x >= 150 && x <= 250 && y >= 100 && y <= 200;
        const bool inside = x >= 153 && x <= 247 && y >= 103 && y <= 197;
        if (inFrame && !inside) {
            return kRed;
        }
        if (x >= 300 && x <= 339 && y >= 150 && y <= 189) {
            return Mosaic(x, y, 300, 150, 339, 189);
        }
        return PatternColour(x, y);
    };
    Check(CapturedExactly(L"0001.bmp", 100, 50, 400, 350, expected),
          "Enter saves the region with the frame and the mosaic exactly where drawn, the frame "
          "taken back gone, every other pixel the snapshot's");
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "and the overlay goes");

    Check(DragRegion(app, L"0002.bmp"), "the marks again");
    Drag(150, 100, 250, 200);
    Press(VK_ESCAPE);
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "Esc leaves");
    Pump(500);
    Check(!Exists(Pic(L"0002.bmp")), "and saves nothing");
    ClosePattern(pattern);
    Stop(app);
}

void MarksAreMovedRecolouredResizedAndDeleted() {
    constexpr std::uint32_t kBlue = 0x0078D7;
    TApp app;
    TPatternWindow pattern;
    StartOverThePattern(app, pattern, IniWith("Markup=1\r\n"));
    Check(DragRegion(app), "the marks' toolbar");
    Drag(150, 100, 250, 200); // a frame, selected as it is drawn
    Press('V');
    Drag(150, 130, 170, 140); // by its left edge: moved by (20, 10)
    Press('2');               // blue
    Drag(270, 210, 300, 250); // its bottom-right handle
    Press('F');
    Drag(350, 300, 400, 350);
    Press(VK_DELETE); // the second frame, right after it was drawn
    Press('P');
    MouseTo(120, 300);
    LeftButton(false);
    for (const POINT p : {POINT{135, 320}, POINT{150, 330}, POINT{175, 322}, POINT{200, 310}}) {
        MouseTo(p.x, p.y);
    }
    LeftButton(true);
    Press('E');
    Drag(320, 100, 420, 180);
    Press(VK_RETURN);

    // The pen and the ellipse are antialiased: where their lines pass, the colour exactly; off
    // them, the screen.
    const auto expected = [](int x, int y) -> std::int64_t {
        const bool inFrame = x >= 170 && x <= 300 && y >= 110 && y <= 250;
        const bool inside = x >= 173 && x <= 297 && y >= 113 && y <= 247;
        if (inFrame && !inside) {
            return kBlue;
        }
        if ((x == 120 && y == 300) || (x == 321 && y == 140) || (x == 419 && y == 140)) {
            return kBlue; // the pen's start, the ellipse's left and right
        }
        const bool nearPen = x >= 116 && x <= 204 && y >= 296 && y <= 334;
        const bool inEllipse = x >= 319 && x <= 422 && y >= 99 && y <= 182;
        return nearPen || inEllipse ? std::int64_t{-1} : std::int64_t{PatternColour(x, y)};
    };
    std::string bytes;
    Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), "Enter saves");
    Pump(300);
    ReadFileBytes(Pic(L"0001.bmp"), bytes);
    int wrong = BmpInfo(bytes).Ok ? 0 : 1, changed = 0;
    for (int y = 50; y < 400 && !wrong; ++y) {
        for (int x = 100; x < 500; ++x) {
            const std::uint32_t pixel = BmpPixel(bytes, x - 100, y - 50);
            const std::int64_t want = expected(x, y);
            changed += want < 0 && pixel != PatternColour(x, y);
            if (want >= 0 && pixel != want) {
                std::printf("    (%d, %d) is %06X, not %06X\n", x, y, pixel, unsigned(want));
                ++wrong;
                break;
            }
        }
    }
    std::printf("    the pen and the ellipse changed %d pixels\n", changed);
    Check(wrong == 0, "the file holds the one frame moved, blue and resized, the second one gone, "
                      "the pen and the ellipse where drawn, every other pixel the screen's");
    Check(changed > 400, "the pen and the ellipse are drawn");
    ClosePattern(pattern);
    Stop(app);
}

void TextTypedAndPastedIsSaved() {
    TApp app;
    TPatternWindow pattern;
    StartOverThePattern(app, pattern, IniWith("Markup=1\r\n"));
    Check(DragRegion(app), "the marks' toolbar");
    PutTextOnTheClipboard(L"日本語");
    Press('T');
    MouseTo(150, 100);
    LeftButton(false);
    LeftButton(true);
    Type(L"OK");
    Chord(VK_CONTROL, 'V');
    Press(VK_RETURN); // ends the text
    Press(VK_RETURN); // saves
    std::string bytes;
    Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), "saved");
    Pump(300);
    ReadFileBytes(Pic(L"0001.bmp"), bytes);
    // The text's pixels start where it was clicked; everything else is the snapshot's.
    int changed = 0, red = 0, right = 0, outside = 0;
    for (int y = 0; y < 350; ++y) {
        for (int x = 0; x < 400; ++x) {
            const std::uint32_t pixel = BmpPixel(bytes, x, y);
            if (pixel == PatternColour(100 + x, 50 + y)) {
                continue;
            }
            const bool inText = x >= 50 && y >= 50 && y < 50 + 30;
            outside += !inText;
            changed += inText;
            red += pixel == kRed;
            right = std::max(right, x - 50);
        }
    }
    std::printf("    the text changed %d pixels, %d red, %d wide\n", changed, red, right + 1);
    Check(outside == 0, "nothing changed beside the text");
    Check(red >= 20, "the text is drawn in red");
    // "OK" alone is some 25 pixels wide; the three characters pasted add 60 more.
    Check(right >= 75, "the Japanese text pasted is drawn after what was typed");
    ClosePattern(pattern);
    Stop(app);
}

// Every kind of file, checked pixel for pixel against what the screen showed.

#include "Driver.h"
#include "Tests.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

void EveryDepthAndJpeg() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const int bits[] = {1, 16, 4, 24, 8, 32};
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    for (int imageBit = 0; imageBit <= 6; ++imageBit) {
        ClearPictures();
        const bool jpeg = imageBit == 6;
        TApp app;
        Check(Start(app,
                    IniWith("", jpeg ? "Type=1\r\n" : "Bit=" + std::to_string(imageBit) + "\r\n")),
              "started");
        // Wine's stand-in notification area may pop up over the pattern with the new icon.
        SetWindowPos(pattern.Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(pattern.Window);
        Pump(200);
        PrintScreen(false);
        std::string bytes;
        const std::string name = "setting " + std::to_string(imageBit);
        if (jpeg) {
            Check(ReadWhenThere(Pic(L"0001.jpg"), bytes), "JPEG writes 0001.jpg");
            Pump(300);
            ReadFileBytes(Pic(L"0001.jpg"), bytes);
            const bool framed = bytes.size() > 200 &&
                                bytes.compare(0, 4, "\xFF\xD8\xFF\xE0") == 0 &&
                                bytes.compare(bytes.size() - 2, 2, "\xFF\xD9") == 0;
            Check(framed, "a JFIF file from SOI to EOI");
            const std::size_t sof = bytes.find("\xFF\xC0");
            Check(sof != std::string::npos &&
                      (std::uint8_t(bytes[sof + 5]) << 8 | std::uint8_t(bytes[sof + 6])) ==
                          height &&
                      (std::uint8_t(bytes[sof + 7]) << 8 | std::uint8_t(bytes[sof + 8])) == width,
                  "a baseline frame of the screen's size");
        } else {
            Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), name + " writes 0001.bmp");
            Pump(300);
            ReadFileBytes(Pic(L"0001.bmp"), bytes);
            const TBmpInfo info = BmpInfo(bytes);
            Check(info.Ok && info.Bits == bits[imageBit] && info.Width == width,
                  name + ": a " + std::to_string(bits[imageBit]) + "-bit file");
            if (info.Ok && info.Bits >= 24) {
                Check(CountPatternMismatches(bytes, width, height, 0) == 0,
                      name + ": exact pixels");
            }
        }
        Stop(app);
    }
    ClosePattern(pattern);
}

// A PNG of the window in front, as its pixels.
void PngOfTheWindowInFront() {
    ClearPictures();
    TApp app;
    Check(Start(app, IniWith("", "Type=2\r\n")), "started");
    TPatternWindow front;
    ShowPattern(front, 120, 90, 333, 201, 17); // an odd width
    PrintScreen(true);
    Check(WaitFor([] { return Exists(Pic(L"0001.png")); }), "Alt+PrintScreen writes 0001.png");
    Pump(300);
    UINT width = 0, height = 0;
    const std::vector<std::uint32_t> pixels = ReadPng(Pic(L"0001.png"), width, height);
    Check(!pixels.empty() && width == 333 && height == 201, "a PNG of the window's size (" +
                                                                std::to_string(width) + " x " +
                                                                std::to_string(height) + ")");
    int wrong = 0;
    for (UINT y = 0; y < height && !pixels.empty(); ++y) {
        for (UINT x = 0; x < width; ++x) {
            wrong += pixels[std::size_t(y) * width + x] != PatternColour(int(x) + 17, int(y));
        }
    }
    Check(wrong == 0, "with the window's pixels (" + std::to_string(wrong) + " differ)");
    ClosePattern(front);
    Stop(app);
}

void ThePointerInTheCapture() {
    ClearPictures();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TApp app;
    Check(Start(app, IniWith("CaptureCursor=1\r\n")), "started with the pointer drawn in");
    // Over a window of Quorlan's own: Wine lends no other process's pointer (below).
    HWND dialog = OpenOptions(app);
    Check(dialog != nullptr, "the options dialog");
    RECT rect{};
    GetWindowRect(dialog, &rect);
    const POINT at{rect.left + 40, rect.bottom - 70}; // over the panel of the next number
    MouseTo(at.x, at.y);
    Pump(300);
    const std::vector<std::uint32_t> screen = ScreenShot(); // the pointer is never in it
    PrintScreen(false);
    std::string bytes;
    Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), "PrintScreen writes 0001.bmp");
    Pump(300);
    ReadFileBytes(Pic(L"0001.bmp"), bytes);
    const TBmpInfo info = BmpInfo(bytes);
    int differ = 0, outside = 0;
    if (info.Ok && info.Width == width && info.Height == height) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (BmpPixel(bytes, x, y) != screen[std::size_t(y) * width + x]) {
                    ++differ;
                    // Only where the pointer stands: its picture is at most 64 pixels from it.
                    outside += std::abs(x - at.x) > 64 || std::abs(y - at.y) > 64;
                }
            }
        }
    }
    std::printf("    %d pixels of the pointer drawn in\n", differ);
    Check(differ > 0 && outside == 0,
          "the capture differs from the screen only where the pointer was (" +
              std::to_string(outside) + " elsewhere)");
    if (dialog) {
        Press(VK_ESCAPE);
    }
    Stop(app);
}

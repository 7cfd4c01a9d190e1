#pragma once

#include "platform/Scrolling.h"
#include "win32/ScrollFrame.h"

#include <windows.h>

// The scrolling capture on Windows: another program's window under a point, brought to the
// front; the wheel turned by SendInput, as the user's own; the frame; the timer of the main
// window; the system's clock and memory.
class TWin32Scrolling : public IScrolling {
public:
    TWin32Scrolling(HINSTANCE instance, HWND window) : FWindow(window), FFrame(instance, window) {}

    TWindowId WindowAt(TScreenPoint at) override;
    TWindowId ForegroundWindow() override;
    void BringToFront(TWindowId window) override;
    void TurnWheel(int units) override;
    bool ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) override;
    void HideScrollFrame() override;
    void SetScrollTimer(int milliseconds) override;
    std::int64_t Milliseconds() override;
    std::uint64_t MemoryAvailable() override;

private:
    HWND FWindow;
    TScrollFrame FFrame;
};

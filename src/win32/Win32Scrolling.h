#pragma once

#include "platform/Scrolling.h"
#include "win32/ScrollFrame.h"

#include <windows.h>

// The scrolling capture on Windows: the window under a point, brought to the front; the wheel
// turned by SendInput, as the user's own; the frame; the timer of the main window.
class TWin32Scrolling : public IScrolling {
public:
    TWin32Scrolling(HINSTANCE instance, HWND window) : FWindow(window), FFrame(instance, window) {}

    TWindowId WindowAt(TScreenPoint at) override;
    void BringToFront(TWindowId window) override;
    void TurnWheel(int notches) override;
    void ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) override;
    void HideScrollFrame() override;
    void SetScrollTimer(int milliseconds) override;

private:
    HWND FWindow;
    TScrollFrame FFrame;
};

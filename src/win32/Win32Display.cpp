#include "win32/Win32Display.h"

#include "win32/PointerPicture.h"
#include "win32/WindowFrames.h"

#include <windows.h>

TWin32Display::TWin32Display() {
    // The whole screen's section, ready for the first capture.
    FGrabber.Prepare(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

std::int32_t TWin32Display::ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

std::int32_t TWin32Display::ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

std::vector<TMonitor> TWin32Display::Monitors() {
    return DesktopMonitors();
}

std::unique_ptr<TScreenPixels> TWin32Display::GrabScreen(std::int32_t left, std::int32_t top,
                                                         std::int32_t width, std::int32_t height) {
    return FGrabber.Grab(left, top, width, height);
}

TDisplayColours TWin32Display::DisplayColours() {
    return ReadDisplayColours();
}

std::vector<TCaptureRegion> TWin32Display::WindowFrames() {
    return TopLevelWindowFrames();
}

TScreenPoint TWin32Display::PointerPosition() {
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y};
}

void TWin32Display::SetPointerPosition(TScreenPoint position) {
    SetCursorPos(position.X, position.Y); // the system sends the window under it its move
}

std::optional<TPointerPicture> TWin32Display::PointerPicture() {
    return CurrentPointerPicture();
}

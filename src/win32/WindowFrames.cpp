#include "win32/WindowFrames.h"

#include <windows.h>
#include <dwmapi.h>

#include <cwchar>

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE; // no memory for more: the windows in front are enough to pick from
    }
}

// The shell's desktop windows cover every monitor, but are the desktop, not a window on it.
bool IsDesktop(HWND window) {
    if (window == GetShellWindow()) {
        return true;
    }
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wcscmp(name, L"Progman") == 0 || std::wcscmp(name, L"WorkerW") == 0;
}

bool IsShown(HWND window) {
    if (!IsWindowVisible(window) || IsIconic(window) || IsDesktop(window)) {
        return false;
    }
    DWORD cloaked = 0;
    if (SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
        cloaked != 0) {
        return false; // on another virtual desktop, or a suspended app's window
    }
    // A window that lets every click through is no window a click can mean.
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    return (style & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) != (WS_EX_LAYERED | WS_EX_TRANSPARENT);
}

} // namespace

std::vector<TCaptureRegion> TopLevelWindowFrames() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows)); // front to back
    std::vector<TCaptureRegion> frames;
    for (HWND window : windows) {
        if (!IsShown(window)) {
            continue;
        }
        RECT frame{};
        const bool framed = SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS,
                                                            &frame, sizeof frame)) &&
                            frame.right > frame.left && frame.bottom > frame.top;
        if (!framed && !GetWindowRect(window, &frame)) {
            continue;
        }
        if (frame.right > frame.left && frame.bottom > frame.top) {
            frames.push_back({frame.left, frame.top, frame.right, frame.bottom});
        }
    }
    return frames;
}

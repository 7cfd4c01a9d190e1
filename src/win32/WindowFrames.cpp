#include "win32/WindowFrames.h"

#include "platform/MonitorLayout.h"

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

} // namespace

bool IsShownWindow(HWND window) {
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

HWND OtherProgramsWindowAt(POINT at) {
    struct TSearch {
        POINT At;
        HWND Found = nullptr;
    } search{at};
    // Front to back: the first that is another program's, shown, and holds the point.
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& search = *reinterpret_cast<TSearch*>(param);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            RECT rect{};
            if (process == GetCurrentProcessId() || !IsShownWindow(window) ||
                !GetWindowRect(window, &rect) || !PtInRect(&rect, search.At)) {
                return TRUE;
            }
            search.Found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::optional<TCaptureRegion> WindowFrameOf(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return std::nullopt;
    }
    RECT bounds{};
    std::optional<TCaptureRegion> extended;
    if (SUCCEEDED(
            DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &bounds, sizeof bounds))) {
        extended = TCaptureRegion{bounds.left, bounds.top, bounds.right, bounds.bottom};
    }
    std::optional<TCaptureRegion> monitor;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (IsZoomed(window) &&
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
        const RECT& m = info.rcMonitor;
        monitor = TCaptureRegion{m.left, m.top, m.right, m.bottom};
    }
    return VisibleFrame(extended, {rect.left, rect.top, rect.right, rect.bottom}, monitor);
}

std::vector<TCaptureRegion> TopLevelWindowFrames() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows)); // front to back
    std::vector<TCaptureRegion> frames;
    for (HWND window : windows) {
        if (!IsShownWindow(window)) {
            continue;
        }
        const auto frame = WindowFrameOf(window);
        if (frame && frame->Right > frame->Left && frame->Bottom > frame->Top) {
            frames.push_back(*frame);
        }
    }
    return frames;
}

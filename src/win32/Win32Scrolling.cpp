#include "win32/Win32Scrolling.h"

#include "win32/PrivateMessages.h"
#include "win32/WideText.h"

TWindowId TWin32Scrolling::WindowAt(TScreenPoint at) {
    HWND window = WindowFromPoint({at.X, at.Y});
    window = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (!window || window == GetDesktopWindow() || window == GetShellWindow()) {
        return 0;
    }
    return reinterpret_cast<TWindowId>(window);
}

void TWin32Scrolling::BringToFront(TWindowId id) {
    HWND window = reinterpret_cast<HWND>(id);
    // Quorlan was the foreground program a moment ago (its overlay): Windows lets it hand the
    // foreground on.
    SetForegroundWindow(window);
    BringWindowToTop(window);
}

void TWin32Scrolling::TurnWheel(int notches) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA * notches);
    SendInput(1, &input, sizeof input);
}

void TWin32Scrolling::ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) {
    FFrame.Show(rect, WideFromUtf8(label));
}

void TWin32Scrolling::HideScrollFrame() {
    FFrame.Hide();
}

void TWin32Scrolling::SetScrollTimer(int milliseconds) {
    if (milliseconds > 0) {
        SetTimer(FWindow, kScrollTimer, static_cast<UINT>(milliseconds), nullptr);
    } else {
        KillTimer(FWindow, kScrollTimer);
    }
}

#include "win32/Win32Scrolling.h"

#include "win32/PrivateMessages.h"
#include "win32/WideText.h"
#include "win32/WindowFrames.h"

#include <algorithm>

TWindowId TWin32Scrolling::WindowAt(TScreenPoint at) {
    // Ours (a pinned picture, the frame, the label) are passed over: the wheel is for the page.
    return reinterpret_cast<TWindowId>(OtherProgramsWindowAt({at.X, at.Y}));
}

TWindowId TWin32Scrolling::ForegroundWindow() {
    HWND window = GetForegroundWindow();
    return reinterpret_cast<TWindowId>(window ? GetAncestor(window, GA_ROOT) : nullptr);
}

void TWin32Scrolling::BringToFront(TWindowId id) {
    HWND window = reinterpret_cast<HWND>(id);
    // Quorlan was the foreground program a moment ago (its overlay): Windows lets it hand the
    // foreground on.
    SetForegroundWindow(window);
    BringWindowToTop(window);
}

void TWin32Scrolling::TurnWheel(int units) {
    // Parts of WHEEL_DELTA are the wheel's own finer steps: the system, browsers and list views
    // scroll by them.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(-units);
    SendInput(1, &input, sizeof input);
}

bool TWin32Scrolling::ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) {
    return FFrame.Show(rect, WideFromUtf8(label));
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

std::int64_t TWin32Scrolling::Milliseconds() {
    return static_cast<std::int64_t>(GetTickCount64());
}

std::uint64_t TWin32Scrolling::MemoryAvailable() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        return 0;
    }
    // What may still be committed, within what the process can still address.
    return std::min<std::uint64_t>(status.ullAvailPageFile, status.ullAvailVirtual);
}

#include "win32/Win32Overlay.h"

#include "win32/MarkDrawing.h"
#include "win32/ScreenGrab.h"

void TWin32Overlay::ShowMainWindow(TWindowState state) {
    if (state == TWindowState::Maximized) {
        // Over every monitor, borderless and above other windows: one window spanning the
        // virtual screen, so that the snapshot lies on the pixels it came from and a drag goes
        // across monitors. It keeps its size in physical pixels when its monitors differ in
        // scaling (WM_DPICHANGED is not followed).
        const TCaptureRegion all = VirtualScreenOf(DesktopMonitors());
        SetWindowPos(FWindow, HWND_TOPMOST, all.Left, all.Top, all.Right - all.Left,
                     all.Bottom - all.Top, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        SetForegroundWindow(FWindow);
        SetFocus(FWindow);
        UpdateWindow(FWindow);
        return;
    }
    const int command = state == TWindowState::Minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL;
    ShowWindow(FWindow, command);
    SetWindowPos(FWindow, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | (state == TWindowState::Minimized ? SWP_NOACTIVATE : 0));
}

void TWin32Overlay::HideMainWindow() {
    ShowWindow(FWindow, SW_HIDE);
}

void TWin32Overlay::SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) {
    FPainter.SetPicture(std::move(picture));
}

void TWin32Overlay::SetCrossCursor(bool cross) {
    FCrossCursor = cross;
    SetCursor(LoadCursorW(nullptr, cross ? IDC_CROSS : IDC_ARROW));
}

void TWin32Overlay::DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                     std::int32_t y2) {
    FPainter.DrawXorRectangle(x1, y1, x2, y2);
}

void TWin32Overlay::SetOverlayAids(const TOverlayAids& aids) {
    FPainter.SetAids(aids);
}

void TWin32Overlay::SetOverlayMarks(std::shared_ptr<const TScreenPixels> marks,
                                    const std::vector<TCaptureRegion>& changed) {
    FPainter.SetMarks(std::move(marks), changed);
}

std::vector<TCaptureRegion> TWin32Overlay::DrawMark(const TMark& mark, const TMarkStyle& style,
                                                    const TPixels32Canvas& canvas) {
    return DrawMarkOnCanvas(mark, style, canvas);
}

TCaptureRegion TWin32Overlay::LettersBox(const TMark& mark, const TMarkStyle& style) {
    return MarkLettersBox(mark, style);
}

void TWin32Overlay::BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                                   std::int32_t height, const std::string& words) {
    FTextEntry.reset();
    FTextEntry = std::make_unique<TTextEntry>(FWindow, WM_TEXTENTRYENDED, POINT{at.X, at.Y}, width,
                                              colour, height, words);
}

std::optional<std::string> TWin32Overlay::EndTextEntry() {
    if (!FTextEntry) {
        return std::nullopt;
    }
    std::string text = FTextEntry->Text();
    FTextEntry.reset();
    return text;
}

void TWin32Overlay::SetPointerCapture(bool captured) {
    if (captured) {
        SetCapture(FWindow);
    } else if (GetCapture() == FWindow) {
        ReleaseCapture();
    }
}

bool TWin32Overlay::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_PAINT:
        FPainter.Paint();
        return true;
    case WM_CTLCOLOREDIT:
        return FTextEntry && FTextEntry->Colours(reinterpret_cast<HWND>(lParam),
                                                 reinterpret_cast<HDC>(wParam), result);
    case WM_DPICHANGED:
        return true; // the overlay spans monitors of any scaling at its size in physical pixels
    case WM_SETCURSOR:
        if (FCrossCursor && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_CROSS));
            result = TRUE;
            return true;
        }
        return false;
    default:
        return false;
    }
}

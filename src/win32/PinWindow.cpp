#include "win32/PinWindow.h"

#include "win32/CallbackErrors.h"
#include "win32/ColourRef.h"
#include "win32/DibSection.h"
#include "win32/PrivateMessages.h"
#include "win32/ShiftState.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"

#include "base/Texts.h"
#include "platform/OverlayAids.h"

#include <windowsx.h>

namespace {

constexpr wchar_t kPinClass[] = L"QuorlanPin";
constexpr UINT_PTR kLabelTimer = 1;
constexpr UINT kLabelMilliseconds = 1000;

} // namespace

void TPinWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_SIZEALL); // it moves where it is dragged
    cls.lpszClassName = kPinClass;
    RegisterClassExW(&cls);
}

TPinWindow::TPinWindow(HINSTANCE instance, HWND events, HFONT font, TPinId pin,
                       std::shared_ptr<const TPixelRows> picture, TScreenPoint at)
    : FEvents(events), FFont(font), FPin(pin), FPicture(std::move(picture)) {
    const TPixels32View view = FPicture->View();
    // No owner: an owned window would lie above the overlay, which is the main window.
    FWindow.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPinClass,
                                  WideFromUtf8(Text(TText::ButtonPin)).c_str(), WS_POPUP, at.X - 1,
                                  at.Y - 1, view.Width + 2, view.Height + 2, nullptr, nullptr,
                                  instance, this));
    if (!FWindow) {
        RaiseOutOfResources();
    }
    ShowWindow(FWindow.Get(), SW_SHOW);
    SetForegroundWindow(FWindow.Get()); // its keys work at once
    UpdateWindow(FWindow.Get());
}

TPinWindow::~TPinWindow() {
    if (FWindow) {
        // The window's last messages find no pin.
        SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, 0);
    }
}

LRESULT CALLBACK TPinWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<TPinWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return self ? self->HandleMessage(window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
    } catch (...) {
        ReportCallbackError();
        return 0;
    }
}

void TPinWindow::Tell(TPinEvent event) {
    event.Pin = FPin;
    SendMessageW(FEvents, WM_PINEVENT, 0, reinterpret_cast<LPARAM>(&event));
}

LRESULT TPinWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers it
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_LBUTTONDOWN: {
        POINT pointer{};
        GetCursorPos(&pointer);
        RECT placed{};
        GetWindowRect(window, &placed);
        FGrabbedAt = {pointer.x - placed.left, pointer.y - placed.top};
        FDragging = true;
        SetCapture(window);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (FDragging) {
            POINT pointer{};
            GetCursorPos(&pointer);
            SetWindowPos(window, nullptr, pointer.x - FGrabbedAt.x, pointer.y - FGrabbedAt.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (FDragging) {
            ReleaseCapture(); // WM_CAPTURECHANGED ends the drag
        }
        return 0;
    case WM_CAPTURECHANGED:
        FDragging = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        Tell({TPinEventKind::DoubleClick, 0, 0, 0, 0, {}});
        return 0;
    case WM_MOUSEWHEEL:
        Tell({TPinEventKind::Wheel,
              0,
              0,
              PointerShift(GET_KEYSTATE_WPARAM(wParam), false),
              GET_WHEEL_DELTA_WPARAM(wParam),
              {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
        return 0;
    case WM_KEYDOWN:
        Tell({TPinEventKind::Key, 0, static_cast<TKeyCode>(wParam), KeyShift(), 0, {}});
        return 0;
    case WM_CONTEXTMENU: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) { // from the keyboard: at the picture's corner
            RECT placed{};
            GetWindowRect(window, &placed);
            at = {placed.left + 1, placed.top + 1};
        }
        Tell({TPinEventKind::Menu, 0, 0, 0, 0, {at.x, at.y}});
        return 0;
    }
    case WM_CLOSE:
        Tell({TPinEventKind::Close, 0, 0, 0, 0, {}});
        return 0;
    case WM_DPICHANGED:
        return 0; // the same physical pixels on a monitor of any scaling
    case WM_TIMER:
        if (wParam == kLabelTimer) {
            KillTimer(window, kLabelTimer);
            FLabel.clear();
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TPinWindow::Paint(HWND window) {
    const TPaint paint(window);
    HDC dc = paint.Get();
    RECT client{};
    GetClientRect(window, &client);
    const TBrushHandle border(CreateSolidBrush(ColourRefOf(kOutlineColour)));
    FrameRect(dc, &client, border.Get());
    const TPixels32View view = FPicture->View();
    const BITMAPINFO info = TopDown32(view.Width, view.Height);
    // Smaller: every pixel has its say; larger: each pixel a clean block.
    SetStretchBltMode(dc, FZoom < 100 ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, 1, 1, client.right - 2, client.bottom - 2, 0, 0, view.Width, view.Height,
                  view.Data, &info, DIB_RGB_COLORS, SRCCOPY);
    if (!FLabel.empty()) {
        const TSelection font(dc, FFont);
        SIZE text{};
        GetTextExtentPoint32W(dc, FLabel.c_str(), static_cast<int>(FLabel.size()), &text);
        RECT box{1, 1, 1 + text.cx + 12, 1 + text.cy + 6};
        const TBrushHandle background(CreateSolidBrush(ColourRefOf(kReadoutBackground)));
        FillRect(dc, &box, background.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColourRefOf(kReadoutTextColour));
        DrawTextW(dc, FLabel.c_str(), static_cast<int>(FLabel.size()), &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void TPinWindow::Zoom(int percent, TScreenPoint around) {
    const TPixels32View view = FPicture->View();
    RECT placed{};
    GetWindowRect(FWindow.Get(), &placed);
    const TCaptureRegion shown{placed.left + 1, placed.top + 1, placed.right - 1,
                               placed.bottom - 1};
    const TCaptureRegion zoomed = ZoomAround(shown, around, ZoomedSide(view.Width, percent),
                                             ZoomedSide(view.Height, percent));
    FZoom = percent;
    SetWindowPos(FWindow.Get(), nullptr, zoomed.Left - 1, zoomed.Top - 1,
                 zoomed.Right - zoomed.Left + 2, zoomed.Bottom - zoomed.Top + 2,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(FWindow.Get(), nullptr, FALSE);
}

void TPinWindow::SetOpacity(int percent) {
    HWND window = FWindow.Get();
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (percent >= 100) {
        // Opaque: an ordinary window again, painted exactly.
        SetWindowLongPtrW(window, GWL_EXSTYLE, style & ~LONG_PTR{WS_EX_LAYERED});
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        return;
    }
    if (!(style & WS_EX_LAYERED)) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    }
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(percent * 255 / 100), LWA_ALPHA);
}

void TPinWindow::FlashLabel(const std::wstring& label) {
    FLabel = label;
    SetTimer(FWindow.Get(), kLabelTimer, kLabelMilliseconds, nullptr);
    InvalidateRect(FWindow.Get(), nullptr, FALSE);
}

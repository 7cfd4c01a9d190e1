#include "win32/MainWindow.h"

#include "win32/CallbackErrors.h"
#include "win32/ShiftState.h"
#include "win32/WideText.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <shellapi.h>
#include <windowsx.h>

namespace {

constexpr wchar_t kMainClass[] = L"QuorlanMain";

} // namespace

TMainWindow::TMainWindow(HINSTANCE instance) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS; // a text mark's double-click
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    cls.lpszClassName = kMainClass;
    RegisterClassExW(&cls);
    // A tool window has no taskbar button; it is the program's message target and, later,
    // the full-screen overlay.
    FWindow.Reset(CreateWindowExW(
        WS_EX_TOOLWINDOW, kMainClass, WideFromUtf8(Text(TText::MainCaption)).c_str(),
        WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr, instance, this));
    if (!FWindow) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
}

TMainWindow::~TMainWindow() {
    SetCallbackErrorHandler(nullptr);
    if (FWindow) {
        SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, 0);
        FWindow.Reset();
    }
}

void TMainWindow::SetEventHandler(IMainWindowEvents* handler) {
    FHandler = handler;
    SetCallbackErrorHandler(handler);
}

void TMainWindow::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void TMainWindow::Quit() {
    PostQuitMessage(0);
}

void TMainWindow::PostBackgroundError() {
    PostMessageW(FWindow.Get(), WM_BACKGROUNDERROR, 0, 0); // after the window has gone: dropped
}

void TMainWindow::PostTextRead() {
    PostMessageW(FWindow.Get(), WM_TEXTREAD, 0, 0);
}

LRESULT CALLBACK TMainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0); // nothing reaches us after the window
    }
    auto* self = reinterpret_cast<TMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->FWindow) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ReportCallbackError(); // nothing leaves a window procedure: painting, rendering, handlers
        return 0;
    }
}

LRESULT TMainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    for (IWindowMessages* messages : FMessages) {
        LRESULT result = 0;
        if (messages->HandleMessage(message, wParam, lParam, result)) {
            return result;
        }
    }
    if (FHandler && Crack(message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
    case WM_CLOSE:
        return 0; // closing is the program's decision, never the default destroy
    case WM_ERASEBKGND:
        return 1; // the snapshot covers everything
    default:
        return DefWindowProcW(FWindow.Get(), message, wParam, lParam);
    }
}

bool TMainWindow::Crack(UINT message, WPARAM wParam, LPARAM lParam) {
    IMainWindowEvents& events = *FHandler;
    switch (message) {
    case WM_TRAYNOTIFY:
        // The icon's identifier and wParam are not looked at; other mouse activity is dropped.
        switch (LOWORD(lParam)) {
        case WM_LBUTTONDOWN:
            events.TrayNotify(TTrayEvent::LeftDown);
            break;
        case WM_LBUTTONDBLCLK:
            events.TrayNotify(TTrayEvent::DoubleClick);
            break;
        case WM_RBUTTONDOWN:
            events.TrayNotify(TTrayEvent::RightDown);
            break;
        case NIN_BALLOONUSERCLICK:
            events.TrayNotify(TTrayEvent::NoticeClicked);
            break;
        default:
            break;
        }
        return true;
    case WM_CAPTURENOW:
        events.CaptureNowPosted();
        return true;
    case WM_KEYDECISION:
        events.KeyDecided();
        return true;
    case WM_TIMER:
        if (wParam == kCountdownTimer) {
            events.CountdownTick();
        } else if (wParam == kScrollTimer) {
            events.ScrollTick();
        } else {
            return false;
        }
        return true;
    case WM_SCROLLLABELCLICKED:
        events.ScrollLabelClicked();
        return true;
    case WM_BACKGROUNDERROR:
        events.BackgroundErrorPosted();
        return true;
    case WM_TEXTREAD:
        events.TextRead();
        return true;
    case WM_TEXTENTRYENDED:
        events.TextEntryEnded();
        return true;
    case WM_PINEVENT:
        events.PinEvent(*reinterpret_cast<const TPinEvent*>(lParam));
        return true;
    case WM_CLOSE:
        events.CloseRequested();
        return true;
    case WM_ENDSESSION:
        if (wParam) {
            events.SessionEnding();
        }
        return false; // the standard handling answers it too
    case WM_KEYDOWN: {
        TKeyCode key = static_cast<TKeyCode>(wParam);
        events.FormKeyDown(key, KeyShift());
        return true;
    }
    default:
        break;
    }
    if (message < WM_MOUSEFIRST || message > WM_MBUTTONDBLCLK) {
        return false;
    }
    // The program sees screen positions: the overlay starts where the virtual screen does, left
    // of or above the primary monitor's origin when a monitor lies there.
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(FWindow.Get(), &at);
    const bool doubleClick =
        message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
    const TShiftState shift = PointerShift(wParam, doubleClick);
    const TMouseButton button = message <= WM_LBUTTONDBLCLK   ? TMouseButton::Left
                                : message <= WM_RBUTTONDBLCLK ? TMouseButton::Right
                                                              : TMouseButton::Middle;
    switch (message) {
    case WM_MOUSEMOVE:
        events.FormMouseMove(shift, at.x, at.y);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        events.FormMouseDown(button, shift, at.x, at.y);
        break;
    default:
        events.FormMouseUp(button, shift, at.x, at.y);
        break;
    }
    return true;
}

#include "win32/dialogs/SpinArrows.h"

#include "win32/GdiHandles.h"

namespace {

constexpr wchar_t kArrowsClass[] = L"QuorlanSpinArrows";
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeat = 400; // ms held before the first repeated step
constexpr UINT kRepeat = 100;      // ms between the steps after it

// The window's state lives in its extra bytes: which arrow is pressed (0 none, 1 up, 2 down)
// and whether the pointer is over it.
enum : int { kPressedSlot = 0, kOverSlot = sizeof(LONG_PTR) };

int Pressed(HWND arrows) {
    return static_cast<int>(GetWindowLongPtrW(arrows, kPressedSlot));
}
bool Over(HWND arrows) {
    return GetWindowLongPtrW(arrows, kOverSlot) != 0;
}
void SetState(HWND arrows, int pressed, bool over) {
    if (Pressed(arrows) != pressed || Over(arrows) != over) {
        SetWindowLongPtrW(arrows, kPressedSlot, pressed);
        SetWindowLongPtrW(arrows, kOverSlot, over);
        InvalidateRect(arrows, nullptr, FALSE);
    }
}

// 1 for the upper half, 2 for the lower, 0 outside.
int ArrowAt(HWND arrows, LPARAM position) {
    RECT client;
    GetClientRect(arrows, &client);
    const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (!PtInRect(&client, point)) {
        return 0;
    }
    return point.y < client.bottom / 2 ? 1 : 2;
}

void Notify(HWND arrows, WORD code) {
    SendMessageW(GetParent(arrows), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(arrows), code),
                 reinterpret_cast<LPARAM>(arrows));
}

void Step(HWND arrows) {
    Notify(arrows, Pressed(arrows) == 1 ? kSpinStepUp : kSpinStepDown);
}

void Paint(HWND arrows) {
    const TPaint paint(arrows);
    HDC dc = paint.Get();
    RECT client;
    GetClientRect(arrows, &client);
    RECT up{client.left, client.top, client.right, client.bottom / 2};
    RECT down{client.left, client.bottom / 2, client.right, client.bottom};
    const bool pushed = Over(arrows);
    DrawFrameControl(dc, &up, DFC_SCROLL,
                     DFCS_SCROLLUP | (pushed && Pressed(arrows) == 1 ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &down, DFC_SCROLL,
                     DFCS_SCROLLDOWN | (pushed && Pressed(arrows) == 2 ? DFCS_PUSHED : 0));
}

LRESULT CALLBACK ArrowsProc(HWND arrows, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: {
        const int arrow = ArrowAt(arrows, lParam);
        if (arrow == 0) {
            return 0;
        }
        Notify(arrows, kSpinPressed);
        SetCapture(arrows);
        SetState(arrows, arrow, true);
        SetTimer(arrows, kRepeatTimer, kFirstRepeat, nullptr);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (Pressed(arrows) != 0) {
            SetState(arrows, Pressed(arrows), ArrowAt(arrows, lParam) == Pressed(arrows));
        }
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer && Pressed(arrows) != 0) {
            SetTimer(arrows, kRepeatTimer, kRepeat, nullptr);
            if (Over(arrows)) {
                Step(arrows);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (Pressed(arrows) != 0) {
            const bool released = ArrowAt(arrows, lParam) == Pressed(arrows);
            if (released) {
                Step(arrows);
            }
            ReleaseCapture(); // WM_CAPTURECHANGED ends the press
        }
        return 0;
    case WM_CAPTURECHANGED:
        KillTimer(arrows, kRepeatTimer);
        SetState(arrows, 0, false);
        return 0;
    case WM_PAINT:
        Paint(arrows);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the arrows cover it all
    default:
        return DefWindowProcW(arrows, message, wParam, lParam);
    }
}

} // namespace

HWND CreateSpinArrows(HWND parent, int width) {
    static const bool registered = [] {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = ArrowsProc;
        cls.cbWndExtra = 2 * sizeof(LONG_PTR);
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.lpszClassName = kArrowsClass;
        return RegisterClassExW(&cls) != 0;
    }();
    (void)registered;
    RECT client;
    GetClientRect(parent, &client);
    return CreateWindowExW(0, kArrowsClass, L"", WS_CHILD | WS_VISIBLE, client.right - width, 0,
                           width, client.bottom, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

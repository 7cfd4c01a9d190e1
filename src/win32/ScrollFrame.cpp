#include "win32/ScrollFrame.h"

#include "win32/ColourRef.h"
#include "win32/PrivateMessages.h"
#include "win32/dialogs/UiFont.h"

#include "platform/OverlayAids.h"
#include "platform/ScrollLabel.h"

#include <algorithm>
#include <optional>

namespace {

constexpr wchar_t kEdgeClass[] = L"QuorlanScrollEdge";
constexpr wchar_t kLabelClass[] = L"QuorlanScrollLabel";
constexpr int kEdge = kScrollFrameEdge; // pixels of the frame, outside the rectangle
constexpr int kPadding = 8;

void RegisterClasses(HINSTANCE instance, WNDPROC edge, WNDPROC label) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.lpfnWndProc = edge;
    cls.lpszClassName = kEdgeClass;
    RegisterClassExW(&cls);
    cls.lpfnWndProc = label;
    cls.lpszClassName = kLabelClass;
    RegisterClassExW(&cls);
}

} // namespace

TScrollFrame::TScrollFrame(HINSTANCE instance, HWND owner)
    : FInstance(instance), FOwner(owner), FFont(CreateJapaneseFont(MessageFontHeight(), kUiFaces)) {
    RegisterClasses(instance, EdgeProc, LabelProc);
}

LRESULT CALLBACK TScrollFrame::EdgeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const TBrushHandle colour(CreateSolidBrush(ColourRefOf(kOutlineColour)));
        FillRect(dc, &paint.rcPaint, colour.Get());
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TScrollFrame::LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TScrollFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // the page keeps the focus
    case WM_LBUTTONDOWN:
        if (self) {
            PostMessageW(self->FOwner, WM_SCROLLLABELCLICKED, 0, 0);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        const TBrushHandle background(CreateSolidBrush(ColourRefOf(kReadoutBackground)));
        FillRect(dc, &client, background.Get());
        if (self) {
            const TSelection font(dc, self->FFont.Get());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColourRefOf(kReadoutTextColour));
            DrawTextW(dc, self->FLabel.c_str(), static_cast<int>(self->FLabel.size()), &client,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        EndPaint(window, &paint);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool TScrollFrame::Show(const TCaptureRegion& rect, const std::wstring& label) {
    const bool moved = rect != FRect || !FEdges[0];
    FRect = rect;
    FLabel = label;
    const DWORD exStyle =
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;
    const RECT edges[4] = {
        {rect.Left - kEdge, rect.Top - kEdge, rect.Right + kEdge, rect.Top},
        {rect.Left - kEdge, rect.Bottom, rect.Right + kEdge, rect.Bottom + kEdge},
        {rect.Left - kEdge, rect.Top, rect.Left, rect.Bottom},
        {rect.Right, rect.Top, rect.Right + kEdge, rect.Bottom}};
    for (int i = 0; i < 4 && moved; ++i) {
        if (!FEdges[i]) {
            FEdges[i].Reset(CreateWindowExW(exStyle, kEdgeClass, L"", WS_POPUP, 0, 0, 0, 0, FOwner,
                                            nullptr, FInstance, nullptr));
            SetLayeredWindowAttributes(FEdges[i].Get(), 0, 255, LWA_ALPHA);
        }
        const RECT& e = edges[i];
        SetWindowPos(FEdges[i].Get(), HWND_TOPMOST, e.left, e.top, e.right - e.left,
                     e.bottom - e.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (!FLabelWindow) {
        FLabelWindow.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                           kLabelClass, L"", WS_POPUP, 0, 0, 0, 0, FOwner, nullptr,
                                           FInstance, this));
    }
    SetWindowTextW(FLabelWindow.Get(), label.c_str()); // what a reader of the screen is told
    if (!PlaceLabel()) {
        ShowWindow(FLabelWindow.Get(), SW_HIDE);
        return false;
    }
    InvalidateRect(FLabelWindow.Get(), nullptr, TRUE);
    UpdateWindow(FLabelWindow.Get());
    return true;
}

// Beside the rectangle on its monitor, where there is room.
bool TScrollFrame::PlaceLabel() {
    const TWindowDc screen(nullptr);
    const TSelection font(screen.Get(), FFont.Get());
    SIZE text{};
    GetTextExtentPoint32W(screen.Get(), FLabel.c_str(), static_cast<int>(FLabel.size()), &text);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const RECT r{FRect.Left, FRect.Top, FRect.Right, FRect.Bottom};
    GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& m = monitor.rcMonitor;
    const std::optional<TCaptureRegion> at = PlaceScrollLabel(
        FRect, {m.left, m.top, m.right, m.bottom}, text.cx + 2 * kPadding, text.cy + kPadding);
    if (!at) {
        return false;
    }
    SetWindowPos(FLabelWindow.Get(), HWND_TOPMOST, at->Left, at->Top, at->Right - at->Left,
                 at->Bottom - at->Top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return true;
}

void TScrollFrame::Hide() {
    for (TWindowHandle& edge : FEdges) {
        edge.Reset();
    }
    FLabelWindow.Reset();
    FRect = {};
}

#include "ScrollPage.h"

#include "Driver.h"

#include <algorithm>

std::uint32_t ScrollPageColour(int x, int y) {
    if (y % 500 >= 300 && y % 500 < 360) {
        return 0xFFFFFF;
    }
    const std::uint32_t seed = std::uint32_t(y) * 2654435761u;
    return ((seed >> 8) & 0xFFFF00u) ^ std::uint32_t((x * 3 + y) & 0xFF);
}

std::uint32_t ScrollPageText(int x, int y) {
    const int line = y / 22, inLine = y % 22;
    if (line % 8 == 7 || inLine < 5 || inLine > 16 || x < 24 || x > 540) {
        return 0xFFFFFF;
    }
    const std::uint32_t word = (std::uint32_t(line) * 2654435761u >> (x / 36 % 24)) & 7;
    return word < 2 || x % 36 > 30 ? 0xFFFFFF : 0x404040;
}

std::uint32_t ScrollHeaderColour(int x, int y) {
    return 0x203050u + std::uint32_t((x / 8 + y) % 64);
}

std::uint32_t ScrollFooterColour(int x, int y) {
    return 0x502030u + std::uint32_t((x / 4 + 3 * y) % 64) * 0x100;
}

namespace {

void Render(TScrollPage& page) {
    const int viewport = page.Height - page.Header - page.Footer;
    page.Pixels.resize(std::size_t(page.Width) * page.Height);
    for (int y = 0; y < page.Height; ++y) {
        for (int x = 0; x < page.Width; ++x) {
            std::uint32_t colour;
            if (y < page.Header) {
                colour = ScrollHeaderColour(x, y);
            } else if (y >= page.Height - page.Footer) {
                colour = ScrollFooterColour(x, y - (page.Height - page.Footer));
            } else if (y - page.Header + page.Offset >= page.Rows) {
                colour = 0xFFFFFF; // below the document's end, in a page shorter than the window
            } else {
                colour = page.Document(x, y - page.Header + page.Offset);
            }
            // A count of the paints in the viewport's middle row: the page changes as it scrolls.
            if (page.Changing && y == page.Header + viewport / 2 && x < 32) {
                colour = (page.Paints >> (x / 4)) & 1 ? 0xFF0000 : 0x0000FF;
            }
            page.Pixels[std::size_t(y) * page.Width + x] = colour;
        }
    }
}

void ScrollTo(TScrollPage& page, int offset) {
    const int viewport = page.Height - page.Header - page.Footer;
    page.Offset = std::clamp(offset, 0, std::max(0, page.Rows - viewport));
    SetScrollPos(page.Window, SB_VERT, page.Offset, TRUE);
    InvalidateRect(page.Window, nullptr, FALSE);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* page = reinterpret_cast<TScrollPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!page) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_MOUSEWHEEL: {
        page->WheelRest -= GET_WHEEL_DELTA_WPARAM(wParam) * page->PerNotch;
        const int rows = page->WheelRest / WHEEL_DELTA;
        page->WheelRest -= rows * WHEEL_DELTA;
        ScrollTo(*page, page->Offset + rows);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP || wParam == VK_NEXT || wParam == VK_PRIOR) {
            const int step = wParam == VK_DOWN   ? 20
                             : wParam == VK_UP   ? -20
                             : wParam == VK_NEXT ? 200
                                                 : -200;
            ScrollTo(*page, page->Offset + step);
            return 0;
        }
        break;
    case WM_VSCROLL: {
        const int code = LOWORD(wParam);
        ScrollTo(*page, code == SB_THUMBTRACK || code == SB_THUMBPOSITION ? HIWORD(wParam)
                        : code == SB_LINEDOWN                             ? page->Offset + 20
                        : code == SB_LINEUP                               ? page->Offset - 20
                        : code == SB_PAGEDOWN                             ? page->Offset + 200
                        : code == SB_PAGEUP                               ? page->Offset - 200
                                                                          : page->Offset);
        return 0;
    }
    case WM_PAINT: {
        ++page->Paints;
        Render(*page);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintTopDown(dc, page->Width, page->Height, page->Pixels.data());
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void ShowScrollPage(TScrollPage& page, int left, int top, int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW cls{};
        cls.lpfnWndProc = PageProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"QuorlanE2EScrollPage";
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&cls);
        registered = true;
    }
    page.Width = width;
    page.Height = height;
    page.Offset = 0;
    page.Paints = 0;
    page.WheelRest = 0;
    // A popup with a scroll bar: its client area starts at the window's corner.
    RECT outer{0, 0, width + GetSystemMetrics(SM_CXVSCROLL), height};
    AdjustWindowRectEx(&outer, WS_POPUP, FALSE, 0);
    page.Window =
        CreateWindowExW(0, L"QuorlanE2EScrollPage", L"scrolling page", WS_POPUP | WS_VSCROLL, left,
                        top, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(page.Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&page));
    // Shown, disabled, on a page shorter than the window too: the client area keeps its width.
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_DISABLENOSCROLL;
    scroll.nMax = std::max(0, page.Rows - (height - page.Header - page.Footer));
    SetScrollInfo(page.Window, SB_VERT, &scroll, FALSE);
    ShowWindow(page.Window, SW_SHOW);
    SetForegroundWindow(page.Window);
    UpdateWindow(page.Window);
    Pump(400);
}

void CloseScrollPage(TScrollPage& page) {
    DestroyWindow(page.Window);
    page.Window = nullptr;
    Pump(200);
}

RECT ScrollPageClient(const TScrollPage& page) {
    RECT client{};
    GetClientRect(page.Window, &client);
    MapWindowPoints(page.Window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

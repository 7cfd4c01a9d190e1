// Pictures of Quorlan for the README, taken from the real exe under Wine: the tray menu, the
// options dialog and its keys dialog, the overlay with a selection being drawn, the notice
// after a capture, and the countdown of a delayed one.
//
// Usage: QuorlanScreens.exe <folder holding Quorlan.exe> <empty work folder> <picture folder>

#include "Driver.h"
#include "ScrollPage.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

std::wstring gOut;

// The part of the screen within `rect` (grown by a margin) as a PNG file of the imaging
// component.
bool SaveScreenPart(const wchar_t* name, RECT rect, int margin = 8) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<std::uint32_t> screen = ScreenShot();
    rect.left = std::max<LONG>(0, rect.left - margin);
    rect.top = std::max<LONG>(0, rect.top - margin);
    rect.right = std::min<LONG>(screenWidth, rect.right + margin);
    rect.bottom = std::min<LONG>(screenHeight, rect.bottom + margin);
    const UINT width = UINT(rect.right - rect.left), height = UINT(rect.bottom - rect.top);
    std::vector<BYTE> pixels(std::size_t(width) * height * 3);
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x) {
            const std::uint32_t c = screen[std::size_t(rect.top + y) * screenWidth + rect.left + x];
            BYTE* p = &pixels[(std::size_t(y) * width + x) * 3];
            p[0] = BYTE(c), p[1] = BYTE(c >> 8), p[2] = BYTE(c >> 16); // blue, green, red
        }
    }
    const std::wstring path = gOut + L"\\" + name;
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const bool saved =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
        SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(width, height)) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR &&
        SUCCEEDED(frame->WritePixels(height, width * 3, UINT(pixels.size()), pixels.data())) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    for (IUnknown* object : std::initializer_list<IUnknown*>{frame, encoder, stream, factory}) {
        if (object) {
            object->Release();
        }
    }
    std::printf("  %ls: %s\n", name, saved ? "saved" : "FAILED");
    return saved;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT Union(RECT a, RECT b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// A plain desktop to take the pictures over: a calm background, and a window of text on it.
LRESULT CALLBACK DesktopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    for (int y = 0; y < client.bottom; y += 4) {
        const int shade = 90 + 60 * y / std::max<LONG>(1, client.bottom);
        HBRUSH band = CreateSolidBrush(RGB(30, shade, 120 + shade / 2));
        RECT row{0, y, client.right, y + 4};
        FillRect(dc, &row, band);
        DeleteObject(band);
    }
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT page;
    GetClientRect(window, &page);
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT title{page.left, page.top, page.right, page.top + 28};
    HBRUSH bar = CreateSolidBrush(RGB(60, 90, 150));
    FillRect(dc, &title, bar);
    DeleteObject(bar);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    title.left += 10;
    DrawTextW(dc, L"報告書.txt - メモ帳", -1, &title, DT_SINGLELINE | DT_VCENTER);
    SetTextColor(dc, RGB(20, 20, 20));
    RECT text{page.left + 16, page.top + 44, page.right - 16, page.bottom - 16};
    DrawTextW(dc,
              L"四半期の報告\n\n売上は前期より 12% 伸びました。\n"
              L"グラフは別紙のとおりです。\n\nQuorlan で画面の一部を撮って貼り付けます。",
              -1, &text, DT_WORDBREAK);
    EndPaint(window, &paint);
    return 0;
}

HWND gPage = nullptr;

HWND MakeWindow(const wchar_t* className, WNDPROC proc, RECT rect) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = className;
    RegisterClassW(&cls);
    return CreateWindowExW(0, className, className, WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           cls.hInstance, nullptr);
}

HWND ShowDesktop() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HWND desktop = MakeWindow(L"QuorlanScreensDesktop", DesktopProc, {0, 0, w, h});
    gPage = MakeWindow(L"QuorlanScreensPage", PageProc, {w / 6, h / 8, w * 2 / 3, h * 3 / 4});
    Pump(500);
    return desktop;
}

// The desktop, and its window of text over it.
void Raise(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(gPage, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump(300);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: QuorlanScreens.exe <folder of Quorlan.exe> <work folder> <out>\n");
        return 2;
    }
    SetUpDriver(argv[1], argv[2]);
    gOut = argv[3];
    HWND desktop = ShowDesktop();
    TApp app;
    if (!Start(app, IniWith("CopyToClipboard=1\r\nNotifySaved=1\r\n"))) {
        std::printf("Quorlan did not start\n");
        return 1;
    }
    int failures = 0;

    // The tray menu, opened where the pointer is.
    Raise(desktop);
    MouseTo(GetSystemMetrics(SM_CXSCREEN) * 3 / 4, GetSystemMetrics(SM_CYSCREEN) / 2);
    PostMessageW(app.Main, kTrayNotify, 1, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    WaitFor([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    });
    Pump(300);
    failures += !(menu && SaveScreenPart(L"tray-menu.png", WindowRect(menu), 24));
    Press(VK_ESCAPE);
    Pump(300);

    // The options dialog with every switch.
    HWND dialog = OpenOptions(app);
    Pump(300);
    failures += !(dialog && SaveScreenPart(L"options.png", WindowRect(dialog)));
    // The keys dialog over it.
    HWND keys = nullptr;
    if (dialog) {
        Click(GetDlgItem(dialog, kKeysButtonId));
        WaitFor([&] {
            keys = FindWindowW(kDialogClass, L"キーの割り当て");
            return keys && IsWindowVisible(keys);
        });
        Pump(300);
    }
    failures += !(keys && SaveScreenPart(L"keys.png", WindowRect(keys)));
    if (keys) {
        Press(VK_ESCAPE);
        Pump(300);
    }
    if (dialog) {
        Press(VK_ESCAPE);
    }
    Pump(300);

    // The overlay before a press: the window under the pointer outlined, the magnifier and the
    // readout beside the pointer.
    Raise(desktop);
    if (OpenOverlay(app)) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        MouseTo(w / 6 + 150, h / 8 + 85);
        failures += !SaveScreenPart(L"overlay-pick.png", {0, 0, w, h}, 0);
        Press(VK_ESCAPE);
        Pump(500);
    } else {
        ++failures;
    }

    // The overlay with a selection being drawn.
    Raise(desktop);
    if (OpenOverlay(app)) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        MouseTo(w / 6 + 20, h / 8 + 40);
        LeftButton(false);
        MouseTo(w / 2, h / 2);
        MouseTo(w / 2 + 40, h / 2 + 30);
        failures += !SaveScreenPart(L"overlay.png", {0, 0, w, h}, 0);
        LeftButton(true); // captures the selection
        Pump(1000);
    } else {
        ++failures;
    }

    // The notice the capture brought.
    HWND balloon = nullptr;
    WaitFor(
        [&] {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr));) {
                if (IsWindowVisible(w) && TextOf(w).find(L".bmp") != std::wstring::npos) {
                    balloon = w;
                    return true;
                }
            }
            return false;
        },
        5000);
    if (balloon) {
        Pump(300);
        HWND tray = WineTray();
        const RECT area = tray ? Union(WindowRect(balloon), WindowRect(tray)) : WindowRect(balloon);
        failures += !SaveScreenPart(L"notice.png", area);
    } else {
        std::printf("  notice.png: Wine showed no balloon\n");
        ++failures;
    }

    Stop(app);

    // Marks on the frozen screen before the save: a frame (selected, with its handles), an arrow,
    // steps, a highlighter, a mosaic, a text, a pen's line and an ellipse, the toolbar beside the
    // selection with the select tool's tip.
    Raise(desktop);
    TApp marking;
    if (Start(marking, IniWith("Markup=1\r\n"))) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        const int px = w / 6, py = h / 8;
        const auto drag = [](int x0, int y0, int x1, int y1) {
            MouseTo(x0, y0);
            LeftButton(false);
            MouseTo((x0 + x1) / 2, (y0 + y1) / 2);
            MouseTo(x1, y1);
            LeftButton(true);
        };
        const auto click = [](int x, int y) {
            MouseTo(x, y);
            LeftButton(false);
            LeftButton(true);
        };
        if (OpenOverlay(marking)) {
            drag(px + 4, py + 32, px + 420, py + 200);
            Pump(300);
            // The frame first: a press on a selected mark's handle resizes it, whatever the tool.
            drag(px + 130, py + 74, px + 175, py + 100);
            Press('H');
            drag(px + 14, py + 78, px + 250, py + 96);
            Press('A');
            drag(px + 300, py + 150, px + 182, py + 100);
            Press('N');
            click(px + 160, py + 53);
            click(px + 280, py + 107);
            Press('M');
            drag(px + 14, py + 130, px + 130, py + 150);
            Press('T');
            click(px + 230, py + 150);
            Type(L"ここが伸びた");
            Press(VK_RETURN);
            Press('E');
            drag(px + 320, py + 40, px + 410, py + 90);
            Press('P');
            MouseTo(px + 340, py + 170);
            LeftButton(false);
            for (const POINT p : {POINT{px + 355, py + 185}, POINT{px + 370, py + 175},
                                  POINT{px + 385, py + 190}, POINT{px + 400, py + 178}}) {
                MouseTo(p.x, p.y);
            }
            LeftButton(true);
            Press('V');
            click(px + 152, py + 74); // the frame's top edge: selected, its handles shown
            // The select tool's tip: the toolbar, too wide for the selection, starts at the
            // monitor's left edge.
            MouseTo(20, py + 219);
            Pump(500);
            failures +=
                !SaveScreenPart(L"marks.png", {0, py + 10, std::max(px + 500, 900), py + 280}, 0);
            Press(VK_ESCAPE);
            Pump(500);
        } else {
            ++failures;
        }
        Stop(marking);
    } else {
        ++failures;
    }

    // The countdown of a delayed capture, in the tray icon and its tip.
    Raise(desktop);
    TApp delayed;
    if (Start(delayed, IniWith("Delay=10\r\n"))) {
        Pump(500);
        PrintScreen(false);
        Pump(1500);
        HWND tray = WineTray();
        HWND icon = tray ? FindWindowExW(tray, nullptr, nullptr, nullptr) : nullptr;
        if (icon) {
            MouseTo(CentreOf(icon).x, CentreOf(icon).y); // its tip shows the seconds left
            Pump(1500);
            RECT area = WindowRect(tray);
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr));) {
                if (IsWindowVisible(w)) {
                    area = Union(area, WindowRect(w));
                }
            }
            failures += !SaveScreenPart(L"countdown.png", area);
            LeftButton(false); // a click cancels it
            LeftButton(true);
        } else {
            ++failures;
        }
        Stop(delayed);
    } else {
        ++failures;
    }
    // A scrolling capture under way: the frame around a page and the label under it.
    TApp scrolling;
    if (Start(scrolling, gDefaultIni)) {
        TScrollPage page;
        page.Rows = 6000;
        page.Document = ScrollPageText;
        Raise(desktop);
        const int w = GetSystemMetrics(SM_CXSCREEN);
        ShowScrollPage(page, w / 2 - 300, 120, 600, 420);
        const RECT client = ScrollPageClient(page);
        Key(VK_CONTROL, false);
        Key(VK_SHIFT, false);
        PrintScreen(false);
        Key(VK_SHIFT, true);
        Key(VK_CONTROL, true);
        if (WaitFor([&] { return IsWindowVisible(scrolling.Main); })) {
            Pump(300);
            MouseTo(client.left, client.top + page.Header);
            LeftButton(false);
            MouseTo(client.right, client.bottom - page.Footer);
            LeftButton(true);
            Pump(450);
            failures += !SaveScreenPart(
                L"scrolling.png",
                {client.left - 30, client.top - 20, client.right + 50, client.bottom + 60}, 0);
            Press(VK_ESCAPE);
            Pump(1000);
        } else {
            ++failures;
        }
        CloseScrollPage(page);
        Stop(scrolling);
    } else {
        ++failures;
    }
    DestroyWindow(desktop);
    return failures == 0 ? 0 : 1;
}

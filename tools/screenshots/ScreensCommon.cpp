// What the README's pictures share: the picture folder, a part of the screen saved as a PNG,
// and the plain desktop they are taken over.

#include "Screens.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

std::wstring gOut;

// The part of the screen within `rect` (grown by a margin) as a PNG file of the imaging
// component.
bool SaveScreenPart(const wchar_t* name, RECT rect, int margin) {
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

namespace {

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

} // namespace

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

#include "Driver.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdio>

// --- the pattern the tests put on the screen -------------------------------------------------

std::uint32_t PatternColour(int x, int y) {
    return (std::uint32_t((x * 7 + y) & 0xFF) << 16) | (std::uint32_t((y * 5) & 0xFF) << 8) |
           std::uint32_t((x ^ y) & 0xFF);
}

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}

void PaintTopDown(HDC dc, int width, int height, const std::uint32_t* pixels) {
    const BITMAPINFO info = TopDown32(width, height);
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels, &info, DIB_RGB_COLORS);
}

static LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        auto* pattern = reinterpret_cast<TPatternWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (pattern) {
            PaintTopDown(dc, pattern->Width, pattern->Height, pattern->Pixels.data());
        }
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window showing the pattern (offset by `shift`) over that rectangle of the screen.
void ShowPattern(TPatternWindow& pattern, int left, int top, int width, int height, int shift,
                 bool topmost) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW cls{};
        cls.lpfnWndProc = PatternProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"QuorlanE2EPattern";
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW); // the pointer over it, as over any window
        RegisterClassW(&cls);
        registered = true;
    }
    pattern.Left = left;
    pattern.Top = top;
    pattern.Width = width;
    pattern.Height = height;
    pattern.Pixels.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pattern.Pixels[std::size_t(y) * width + x] = PatternColour(x + shift, y);
        }
    }
    pattern.Window = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, L"QuorlanE2EPattern", L"pattern",
                                     WS_POPUP, left, top, width, height, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(pattern.Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&pattern));
    ShowWindow(pattern.Window, SW_SHOW);
    SetForegroundWindow(pattern.Window);
    UpdateWindow(pattern.Window);
    Pump(600);
}

void ClosePattern(TPatternWindow& pattern) {
    DestroyWindow(pattern.Window);
    pattern.Window = nullptr;
    Pump(200);
}

bool StartOverThePattern(TApp& app, TPatternWindow& pattern, const std::string& ini) {
    ClearPictures();
    const bool started = Start(app, ini);
    Check(started, "started");
    ShowPattern(pattern, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0);
    return started;
}

// --- BMP and JPEG files ------------------------------------------------------------------------

// The bytes of a clipboard format, asked for as a program pasting it would.
std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) {
        return bytes;
    }
    if (HANDLE data = GetClipboardData(format)) {
        if (const void* locked = GlobalLock(data)) {
            bytes.assign(static_cast<const char*>(locked), GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

// A packed DIB as the BMP file it would be.
std::string AsBmpFile(const std::string& dib) {
    std::string file = "BM";
    for (const std::uint32_t field : {std::uint32_t(14 + dib.size()), 0u, 14u + 40u}) {
        for (int shift = 0; shift < 32; shift += 8) {
            file += static_cast<char>(field >> shift);
        }
    }
    return file + dib;
}

std::uint32_t U32(const std::string& b, std::size_t at) {
    return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t U16(const std::string& b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

TBmpInfo BmpInfo(const std::string& b) {
    TBmpInfo info;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || U32(b, 2) != b.size()) {
        return info;
    }
    info.Width = int(U32(b, 18));
    info.Height = int(U32(b, 22));
    info.Bits = U16(b, 28);
    info.Ok = true;
    return info;
}

// Pixel (x, y from the top) of a 24- or 32-bit file as red << 16 | green << 8 | blue.
std::uint32_t BmpPixel(const std::string& b, int x, int y) {
    const TBmpInfo info = BmpInfo(b);
    const std::size_t bytes = info.Bits / 8;
    const std::size_t stride = ((std::size_t(info.Width) * info.Bits + 31) / 32) * 4;
    const std::size_t at = U32(b, 10) + (std::size_t(info.Height) - 1 - y) * stride + x * bytes;
    return std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 1])) << 8 | std::uint8_t(b[at]);
}

int CountPatternMismatches(const std::string& bmp, int width, int height, int shift) {
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            wrong += BmpPixel(bmp, x, y) != PatternColour(x + shift, y);
        }
    }
    return wrong;
}

// --- PNG files, read by the system's own imaging component --------------------------------

// The pixels of a PNG file as red << 16 | green << 8 | blue, rows from the top; empty when it
// cannot be read.
std::vector<std::uint32_t> ReadPng(const std::wstring& path, UINT& width, UINT& height) {
    std::vector<std::uint32_t> pixels;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    GUID container{};
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetContainerFormat(&container)) &&
        container == GUID_ContainerFormatPng && SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(frame->GetSize(&width, &height)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                        nullptr, 0, WICBitmapPaletteTypeCustom))) {
        pixels.resize(std::size_t(width) * height);
        if (FAILED(converter->CopyPixels(nullptr, width * 4, UINT(pixels.size() * 4),
                                         reinterpret_cast<BYTE*>(pixels.data())))) {
            pixels.clear();
        }
        for (std::uint32_t& pixel : pixels) {
            pixel &= 0xFFFFFF;
        }
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory}) {
        if (object) {
            object->Release();
        }
    }
    return pixels;
}

// What the screen shows now, as red << 16 | green << 8 | blue, rows from the top.
std::vector<std::uint32_t> ScreenShot() {
    return ScreenShotOf({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

RECT VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::vector<std::uint32_t> ScreenShotOf(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = source[i] & 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool CapturedExactly(const wchar_t* name, int left, int top, int width, int height,
                     const std::function<std::uint32_t(int x, int y)>& expected) {
    std::string bytes;
    if (!ReadWhenThere(Pic(name), bytes)) {
        return false;
    }
    Pump(300); // published in one move: read it again once it is surely whole
    ReadFileBytes(Pic(name), bytes);
    const TBmpInfo info = BmpInfo(bytes);
    if (!info.Ok || info.Width != width || info.Height != height) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t wanted = expected(left + x, top + y);
            if (BmpPixel(bytes, x, y) != wanted) {
                std::printf("    first difference at %d,%d: %06X for %06X\n", left + x, top + y,
                            BmpPixel(bytes, x, y), wanted);
                return false;
            }
        }
    }
    return true;
}

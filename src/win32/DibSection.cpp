#include "win32/DibSection.h"

#include "win32/SystemError.h"

BITMAPINFO TopDown32(std::int32_t width, std::int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

TDibSection::TDibSection(HDC screen, int width, int height) : Width(width), Height(height) {
    Dc.Reset(CreateCompatibleDC(screen));
    if (!Dc) {
        RaiseOutOfResources();
    }
    const BITMAPINFO info = TopDown32(width, height);
    Bitmap.Reset(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &Bits, nullptr, 0));
    if (!Bitmap || !Bits) {
        RaiseOutOfResources();
    }
    Old = SelectObject(Dc.Get(), Bitmap.Get());
    if (!Old || Old == HGDI_ERROR) {
        Old = nullptr;
        RaiseOutOfResources();
    }
}

TDibSection::~TDibSection() {
    if (Old) {
        SelectObject(Dc.Get(), Old); // the section leaves the context before either goes
    }
}

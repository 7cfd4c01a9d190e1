#include "platform/win32/ScreenGrab.h"

#include "platform/win32/GdiHandles.h"
#include "platform/win32/SystemError.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <algorithm>

namespace {

class TSectionPixels : public TScreenPixels {
public:
    TPixels32View View() const override { return FView; }

    TBitmapHandle Section;
    TPixels32View FView;
};

[[noreturn]] void RaiseOutOfResources() {
    std::string text = SystemErrorText(GetLastError());
    throw EOutOfResources(text.empty() ? Text(TText::OutOfSystemResources) : text);
}

} // namespace

std::unique_ptr<TScreenPixels> GrabScreenBlock(std::int32_t left, std::int32_t top,
                                               std::int32_t width, std::int32_t height) {
    auto pixels = std::make_unique<TSectionPixels>();
    const std::int64_t screenLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const std::int64_t screenTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const std::int64_t screenRight = screenLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const std::int64_t screenBottom = screenTop + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const std::int64_t x0 = std::max<std::int64_t>(left, screenLeft);
    const std::int64_t y0 = std::max<std::int64_t>(top, screenTop);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{left} + width, screenRight);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{top} + height, screenBottom);
    if (x0 >= x1 || y0 >= y1) {
        return pixels; // nothing of the block is on a screen
    }
    const int w = static_cast<int>(x1 - x0);
    const int h = static_cast<int>(y1 - y0);

    TWindowDc screen(nullptr);
    if (!screen) {
        RaiseOutOfResources();
    }
    TMemoryDc memory(CreateCompatibleDC(screen.Get()));
    if (!memory) {
        RaiseOutOfResources();
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; // top-down rows, as the bitmap expects them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    pixels->Section.Reset(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!pixels->Section || !bits) {
        RaiseOutOfResources();
    }
    {
        TSelection selected(memory.Get(), pixels->Section.Get());
        if (!selected.Ok()) {
            RaiseOutOfResources();
        }
        BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), static_cast<int>(x0), static_cast<int>(y0),
               SRCCOPY);
        GdiFlush();
    }
    pixels->FView = {static_cast<const std::uint8_t*>(bits), w, h,
                     static_cast<std::ptrdiff_t>(w) * 4};
    pixels->OffsetX = static_cast<std::int32_t>(x0 - left);
    pixels->OffsetY = static_cast<std::int32_t>(y0 - top);
    return pixels;
}

TDisplayColours ReadDisplayColours() {
    TDisplayColours colours;
    TWindowDc screen(nullptr);
    if (!screen) {
        return colours;
    }
    if (GetDeviceCaps(screen.Get(), RASTERCAPS) & RC_PALETTE) {
        colours.HardwarePaletteSize = GetDeviceCaps(screen.Get(), SIZEPALETTE);
        if (colours.HardwarePaletteSize >= 16 && colours.HardwarePaletteSize <= 256) {
            PALETTEENTRY entries[256];
            const UINT got =
                GetSystemPaletteEntries(screen.Get(), 0, colours.HardwarePaletteSize, entries);
            for (UINT i = 0; i < got; ++i) {
                colours.SystemPalette.push_back(
                    {entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
            }
        }
    }
    TPaletteHandle halftone(CreateHalftonePalette(screen.Get()));
    if (halftone) {
        PALETTEENTRY entries[256];
        const UINT got = GetPaletteEntries(halftone.Get(), 0, 256, entries);
        for (UINT i = 0; i < got; ++i) {
            colours.Halftone.push_back({entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
        }
    }
    return colours;
}

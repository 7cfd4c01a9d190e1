#include "win32/ScreenGrab.h"

#include "win32/DibSection.h"
#include "win32/GdiHandles.h"
#include "win32/SystemError.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <shellscalingapi.h>

#include <algorithm>
#include <exception>

// The grabber's section, kept from one grab to the next.
struct TScreenGrabber::TSection : TDibSection {
    using TDibSection::TDibSection;
};

namespace {

// What a grab hands out: a view of the section, which stays the grabber's to use again only
// once every such view of it is gone.
class TSectionPixels : public TScreenPixels {
public:
    TPixels32View View() const override { return FView; }

    std::shared_ptr<const void> Section;
    TPixels32View FView;
};

} // namespace

TScreenGrabber::TScreenGrabber() = default;

TScreenGrabber::~TScreenGrabber() {
    FinishPreparing();
}

void TScreenGrabber::FinishPreparing() {
    if (FTouching.joinable()) {
        FTouching.join();
    }
}

void TScreenGrabber::Prepare(std::int32_t width, std::int32_t height) {
    FinishPreparing();
    if (width <= 0 || height <= 0) {
        return;
    }
    try {
        TWindowDc screen(nullptr);
        FSection = std::make_shared<TSection>(screen.Get(), width, height);
        auto* bits = static_cast<std::uint8_t*>(FSection->Bits);
        const std::size_t size = static_cast<std::size_t>(width) * height * 4;
        FTouching = std::thread([bits, size] {
            for (std::size_t at = 0; at < size; at += 4096) {
                bits[at] = 0; // one write a page makes it the program's
            }
        });
    } catch (...) {
        FSection.reset(); // the first grab makes its own, as it would have
    }
}

std::unique_ptr<TScreenPixels> TScreenGrabber::Grab(std::int32_t left, std::int32_t top,
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

    FinishPreparing();
    TWindowDc screen(nullptr);
    if (!screen) {
        RaiseOutOfResources();
    }
    // The section of the last grab serves again while it is large enough and no earlier
    // capture still looks at it: fresh frame-sized memory costs a page fault per page.
    const bool reusable =
        FSection && FSection.use_count() == 1 && FSection->Width >= w && FSection->Height >= h;
    if (!reusable) {
        FSection.reset(); // its memory goes before a new section takes more
        FSection = std::make_shared<TSection>(screen.Get(), w, h);
    }
    if (!BitBlt(FSection->Dc.Get(), 0, 0, w, h, screen.Get(), static_cast<int>(x0),
                static_cast<int>(y0), SRCCOPY)) {
        RaiseOutOfResources();
    }
    GdiFlush();
    // What no monitor shows (the gaps of an uneven layout) is white, as off the screens.
    const TCaptureRegion copied{static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0),
                                static_cast<std::int32_t>(x1), static_cast<std::int32_t>(y1)};
    for (const TCaptureRegion& gap : UncoveredParts(copied, DesktopMonitors())) {
        for (std::int32_t y = gap.Top; y < gap.Bottom; ++y) {
            auto* row = static_cast<std::uint32_t*>(FSection->Bits) +
                        static_cast<std::ptrdiff_t>(y - y0) * FSection->Width;
            std::fill(row + (gap.Left - x0), row + (gap.Right - x0), 0x00FFFFFFu);
        }
    }
    // Only the block just copied is seen: nothing of an earlier grab lies in the view.
    pixels->FView = {static_cast<const std::uint8_t*>(FSection->Bits), w, h,
                     static_cast<std::ptrdiff_t>(FSection->Width) * 4};
    pixels->Section = FSection;
    pixels->Left = left;
    pixels->Top = top;
    pixels->OffsetX = static_cast<std::int32_t>(x0 - left);
    pixels->OffsetY = static_cast<std::int32_t>(y0 - top);
    return pixels;
}

std::vector<TMonitor> DesktopMonitors() {
    struct TWalk {
        std::vector<TMonitor> Monitors;
        std::exception_ptr Failure; // raised once the system's walk is over
    } walk;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR handle, HDC, LPRECT, LPARAM data) -> BOOL {
            auto& walk = *reinterpret_cast<TWalk*>(data);
            try {
                MONITORINFO info{};
                info.cbSize = sizeof info;
                if (GetMonitorInfoW(handle, &info)) {
                    UINT dpiX = 96, dpiY = 96;
                    if (FAILED(GetDpiForMonitor(handle, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) {
                        dpiX = 96;
                    }
                    const RECT& r = info.rcMonitor;
                    walk.Monitors.push_back({{r.left, r.top, r.right, r.bottom},
                                             static_cast<int>(dpiX),
                                             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
                }
                return TRUE;
            } catch (...) {
                walk.Failure = std::current_exception(); // nothing leaves the system's frames
                return FALSE;
            }
        },
        reinterpret_cast<LPARAM>(&walk));
    if (walk.Failure) {
        std::rethrow_exception(walk.Failure);
    }
    std::vector<TMonitor> monitors = std::move(walk.Monitors);
    if (monitors.empty()) { // no answer: the primary screen as the metrics give it
        monitors.push_back(
            {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, 96, true});
    }
    return monitors;
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

#include "support/headless/HeadlessDisplay.h"

#include "base/Errors.h"
#include "base/Texts.h"
#include "imaging/Palette.h"
#include "platform/MonitorLayout.h"

#include <algorithm>

namespace {

class TBufferPixels : public TScreenPixels {
public:
    TPixels32View View() const override {
        return {reinterpret_cast<const std::uint8_t*>(Pixels.data()), Width, Height,
                static_cast<std::ptrdiff_t>(Width) * 4};
    }
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> Pixels;
};

} // namespace

THeadlessDisplay::THeadlessDisplay() {
    PaintScreen(
        [](int x, int y) { return std::uint32_t(x * 4) << 16 | std::uint32_t(y * 5) << 8 | 0x40; });
}

std::vector<TMonitor> THeadlessDisplay::Layout() const {
    if (Displays.empty()) {
        return {{{0, 0, ScreenW, ScreenH}, 96, true}};
    }
    return Displays;
}

void THeadlessDisplay::PaintScreen(std::function<std::uint32_t(int, int)> colour) {
    const TCaptureRegion all = VirtualScreenOf(Layout());
    const std::int32_t width = all.Right - all.Left;
    Screen.assign(std::size_t(width) * (all.Bottom - all.Top), 0);
    for (const TMonitor& monitor : Layout()) {
        for (int y = monitor.Bounds.Top; y < monitor.Bounds.Bottom; ++y) {
            for (int x = monitor.Bounds.Left; x < monitor.Bounds.Right; ++x) {
                Screen[std::size_t(y - all.Top) * width + (x - all.Left)] = colour(x, y) & 0xFFFFFF;
            }
        }
    }
}

std::uint32_t THeadlessDisplay::ScreenAt(std::int32_t x, std::int32_t y) const {
    const TCaptureRegion all = VirtualScreenOf(Layout());
    return Screen[std::size_t(y - all.Top) * (all.Right - all.Left) + (x - all.Left)];
}

std::unique_ptr<TScreenPixels> THeadlessDisplay::GrabScreen(std::int32_t left, std::int32_t top,
                                                            std::int32_t width,
                                                            std::int32_t height) {
    ++Grabs;
    if (GrabFails) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    // As the Win32 grab does it: the part on the virtual screen copied, then what no monitor
    // shows within it made white.
    auto pixels = std::make_unique<TBufferPixels>();
    pixels->Left = left;
    pixels->Top = top;
    const std::vector<TMonitor> monitors = Layout();
    const TCaptureRegion all = VirtualScreenOf(monitors);
    const std::int64_t x0 = std::max<std::int64_t>(left, all.Left);
    const std::int64_t y0 = std::max<std::int64_t>(top, all.Top);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{left} + width, all.Right);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{top} + height, all.Bottom);
    if (x0 < x1 && y0 < y1) {
        pixels->Width = static_cast<std::int32_t>(x1 - x0);
        pixels->Height = static_cast<std::int32_t>(y1 - y0);
        pixels->OffsetX = static_cast<std::int32_t>(x0 - left);
        pixels->OffsetY = static_cast<std::int32_t>(y0 - top);
        const std::size_t stride = std::size_t(all.Right - all.Left);
        for (std::int64_t y = y0; y < y1; ++y) {
            const auto* row = &Screen[std::size_t(y - all.Top) * stride];
            pixels->Pixels.insert(pixels->Pixels.end(), row + (x0 - all.Left),
                                  row + (x1 - all.Left));
        }
        const TCaptureRegion copied{std::int32_t(x0), std::int32_t(y0), std::int32_t(x1),
                                    std::int32_t(y1)};
        for (const TCaptureRegion& gap : UncoveredParts(copied, monitors)) {
            for (std::int32_t y = gap.Top; y < gap.Bottom; ++y) {
                for (std::int32_t x = gap.Left; x < gap.Right; ++x) {
                    pixels->Pixels[std::size_t(y - y0) * pixels->Width + (x - x0)] = 0xFFFFFF;
                }
            }
        }
    }
    return pixels;
}

TDisplayColours THeadlessDisplay::DisplayColours() {
    return {0, {}, TrueColourHalftonePalette()};
}

void THeadlessDisplay::SetPointerPosition(TScreenPoint position) {
    Pointer = position;
    if (OnPointerMoved) {
        OnPointerMoved(position);
    }
}

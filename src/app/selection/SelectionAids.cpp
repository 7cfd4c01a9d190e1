#include "app/selection/SelectionAids.h"

#include "base/DpiScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Where a box `size` long goes beside `pointer` on a monitor from `low` to `high`: past the
// pointer by `gap` where it fits, else before it, and within the monitor.
std::int32_t Beside(std::int32_t pointer, std::int32_t size, std::int32_t gap, std::int32_t low,
                    std::int32_t high) {
    std::int32_t start = pointer + gap;
    if (start + size > high) {
        start = pointer - gap - size;
    }
    return std::max(low, std::min(start, high - size));
}

} // namespace

TOverlayAids PlaceAids(TScreenPoint pointer, const TMonitor& monitor, bool magnifier,
                       std::string readout) {
    TOverlayAids aids;
    const int dpi = monitor.Dpi;
    aids.Zoom = ScaledToDpi(8, dpi);
    aids.Cells = 15;
    aids.TextHeight = ScaledToDpi(14, dpi);
    // The readout is as wide as the magnifier, which holds its longest line.
    const std::int32_t width = aids.Cells * aids.Zoom + 2;
    const std::int32_t magnifierHeight = magnifier ? width : 0;
    const std::int32_t readoutHeight = ScaledToDpi(20, dpi);
    // Clear of the cross cursor's arms.
    const std::int32_t gap = ScaledToDpi(20, dpi);
    const TCaptureRegion& m = monitor.Bounds;
    const std::int32_t left = Beside(pointer.X, width, gap, m.Left, m.Right);
    const std::int32_t top =
        Beside(pointer.Y, magnifierHeight + readoutHeight, gap, m.Top, m.Bottom);
    if (magnifier) {
        aids.Magnifier = {left, top, left + width, top + width};
        aids.MagnifiedAt = pointer;
    }
    aids.Readout = {left, top + magnifierHeight, left + width,
                    top + magnifierHeight + readoutHeight};
    aids.ReadoutText = std::move(readout);
    return aids;
}

TCaptureRegion PickedRegion(const std::vector<TCaptureRegion>& frames,
                            const std::vector<TMonitor>& monitors, TScreenPoint at) {
    const TCaptureRegion screen = VirtualScreenOf(monitors);
    for (const TCaptureRegion& frame : frames) {
        const TCaptureRegion shown = Intersection(frame, screen);
        if (Contains(shown, at)) {
            return shown;
        }
    }
    return MonitorUnder(monitors, at).Bounds;
}

std::string PositionReadout(TScreenPoint at) {
    return std::to_string(at.X) + ", " + std::to_string(at.Y);
}

std::string SizeReadout(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " \u00D7 " + std::to_string(height);
}

TCaptureRegion HintBox(const std::string& text, const TMonitor& monitor) {
    const std::int32_t height = ScaledToDpi(14, monitor.Dpi);
    const std::int32_t width = TextWidth(text, height) + ScaledToDpi(16, monitor.Dpi);
    const TCaptureRegion& m = monitor.Bounds;
    const std::int32_t left = m.Left + (m.Right - m.Left - width) / 2;
    const std::int32_t top = m.Top + ScaledToDpi(12, monitor.Dpi);
    return {left, top, left + width, top + height + ScaledToDpi(10, monitor.Dpi)};
}

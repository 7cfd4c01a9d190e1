#include "platform/ScrollLabel.h"

#include <algorithm>

std::optional<TCaptureRegion> PlaceScrollLabel(const TCaptureRegion& rect,
                                               const TCaptureRegion& monitor, std::int32_t width,
                                               std::int32_t height) {
    if (width > monitor.Right - monitor.Left || height > monitor.Bottom - monitor.Top) {
        return std::nullopt;
    }
    // Along an edge of the rectangle, held within the monitor.
    const std::int32_t left = std::clamp(rect.Left, monitor.Left, monitor.Right - width);
    const std::int32_t top = std::clamp(rect.Top, monitor.Top, monitor.Bottom - height);
    const auto at = [&](std::int32_t x, std::int32_t y) {
        return TCaptureRegion{x, y, x + width, y + height};
    };
    if (rect.Bottom + kScrollLabelGap + height <= monitor.Bottom) {
        return at(left, rect.Bottom + kScrollLabelGap);
    }
    if (rect.Top - kScrollLabelGap - height >= monitor.Top) {
        return at(left, rect.Top - kScrollLabelGap - height);
    }
    if (rect.Right + kScrollLabelGap + width <= monitor.Right) {
        return at(rect.Right + kScrollLabelGap, top);
    }
    if (rect.Left - kScrollLabelGap - width >= monitor.Left) {
        return at(rect.Left - kScrollLabelGap - width, top);
    }
    return std::nullopt;
}

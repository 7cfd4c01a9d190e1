#include "platform/Pins.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

std::int32_t ZoomedSide(std::int32_t side, int percent) {
    const std::int64_t zoomed = (std::int64_t{side} * percent + 50) / 100;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(zoomed, 1, INT32_MAX));
}

int NextPinZoom(int percent, int steps, std::int32_t width, std::int32_t height) {
    if (steps == 0) {
        return percent;
    }
    const std::ptrdiff_t count = std::ssize(kPinZooms);
    // Counted from the first step above `percent` going up, from the first below it going down,
    // should it be none of them.
    const int* const first = std::begin(kPinZooms);
    const std::ptrdiff_t next =
        steps > 0 ? std::upper_bound(first, std::end(kPinZooms), percent) - first + steps - 1
                  : std::lower_bound(first, std::end(kPinZooms), percent) - first + steps;
    std::ptrdiff_t zoom = std::clamp<std::ptrdiff_t>(next, 0, count - 1);
    const auto tooLarge = [&](int step) {
        return ZoomedSide(width, step) > kMaxPinSide || ZoomedSide(height, step) > kMaxPinSide;
    };
    while (zoom > 0 && kPinZooms[zoom] > percent && tooLarge(kPinZooms[zoom])) {
        --zoom;
    }
    // Zooming in where no larger step fits leaves the zoom as it is.
    const int zoomed = kPinZooms[zoom];
    return steps > 0 && (zoomed < percent || tooLarge(zoomed)) ? percent : zoomed;
}

int NextPinOpacity(int percent, int steps) {
    return std::clamp(percent + steps * kPinOpacityStep, kMinPinOpacity, 100);
}

TCaptureRegion ZoomAround(const TCaptureRegion& shown, TScreenPoint around, std::int32_t width,
                          std::int32_t height) {
    const double oldWidth = std::max(shown.Right - shown.Left, 1);
    const double oldHeight = std::max(shown.Bottom - shown.Top, 1);
    const auto left = static_cast<std::int32_t>(
        std::lround(around.X - (around.X - shown.Left) * (width / oldWidth)));
    const auto top = static_cast<std::int32_t>(
        std::lround(around.Y - (around.Y - shown.Top) * (height / oldHeight)));
    return {left, top, left + width, top + height};
}

#include "platform/PointerStep.h"

#include <algorithm>
#include <cstdint>

void StepPointer(IDisplay& display, const std::vector<TMonitor>& monitors, TKeyCode key,
                 bool shift) {
    const std::int32_t step = shift ? 10 : 1;
    const TCaptureRegion screen = VirtualScreenOf(monitors);
    TScreenPoint at = display.PointerPosition();
    at.X += key == kKeyLeft ? -step : key == kKeyRight ? step : 0;
    at.Y += key == kKeyUp ? -step : key == kKeyDown ? step : 0;
    at.X = std::clamp(at.X, screen.Left, screen.Right - 1);
    at.Y = std::clamp(at.Y, screen.Top, screen.Bottom - 1);
    display.SetPointerPosition(at);
}

#pragma once

#include "base/CaptureRegion.h"

#include <optional>
#include <vector>

// A monitor as the desktop reports it: its rectangle on the virtual screen, in physical pixels
// with the origin at the primary monitor's top-left corner (a monitor left of or above it has
// negative coordinates), and its scaling. Quorlan is aware of each monitor's scaling and works
// in physical pixels throughout, so the scaling moves nothing: a pixel is a pixel everywhere.
struct TMonitor {
    TCaptureRegion Bounds;
    int Dpi = 96;
    bool Primary = false;

    bool operator==(const TMonitor&) const = default;
};

// The smallest rectangle holding every monitor: the virtual screen. Empty for no monitor.
TCaptureRegion VirtualScreenOf(const std::vector<TMonitor>& monitors);

// The parts of `block` that no monitor shows (the gaps of an uneven layout, and what lies off
// every monitor), as rectangles that do not overlap. Empty when monitors cover all of it.
std::vector<TCaptureRegion> UncoveredParts(const TCaptureRegion& block,
                                           const std::vector<TMonitor>& monitors);

// The rectangle a capture takes of a window: its visible frame where the desktop's compositor
// gives one (the extended frame bounds: on Windows 10 and 11 the window's rectangle also holds
// invisible resize borders), else the window's rectangle as the system gives it (classic
// desktops, Wine). A maximised window is its part on its monitor.
TCaptureRegion VisibleFrame(const std::optional<TCaptureRegion>& extendedBounds,
                            const TCaptureRegion& windowRect,
                            const std::optional<TCaptureRegion>& maximisedOn);

// The monitor the pointer is on; in a gap between monitors, the nearest one.
TMonitor MonitorUnder(const std::vector<TMonitor>& monitors, TScreenPoint at);

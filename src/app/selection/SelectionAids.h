#pragma once

#include "platform/MonitorLayout.h"
#include "platform/OverlayAids.h"

#include <cstdint>
#include <string>
#include <vector>

// The magnifier (when shown) and below it the readout, beside the pointer on its monitor:
// below and right of it where they fit, else flipped to the other side, never over the
// pointer's pixel. Their sizes follow the monitor's scaling.
TOverlayAids PlaceAids(TScreenPoint pointer, const TMonitor& monitor, bool magnifier,
                       std::string readout);

// What a click at `at` takes: the frontmost window frame holding it, cut to the virtual
// screen; over the desktop, the monitor under the pointer.
TCaptureRegion PickedRegion(const std::vector<TCaptureRegion>& frames,
                            const std::vector<TMonitor>& monitors, TScreenPoint at);

// A line of text in the interface's font, about as wide as it is drawn, in a box centred at the
// top of the monitor: what the frozen screen is for.
TCaptureRegion HintBox(const std::string& text, const TMonitor& monitor);

// The readout's line: the pointer's position before a press, the selection's size after.
std::string PositionReadout(TScreenPoint at);
std::string SizeReadout(std::int64_t width, std::int64_t height);

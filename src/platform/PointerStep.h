#pragma once

#include "keys/KeyCodes.h"
#include "platform/Display.h"
#include "platform/MonitorLayout.h"

#include <vector>

inline bool IsArrowKey(TKeyCode key) {
    return key == kKeyLeft || key == kKeyUp || key == kKeyRight || key == kKeyDown;
}

// An arrow key moves the pointer by a pixel, ten with Shift, within the virtual screen of
// `monitors`; the move reaches the window under it as the pointer's own would.
void StepPointer(IDisplay& display, const std::vector<TMonitor>& monitors, TKeyCode key,
                 bool shift);

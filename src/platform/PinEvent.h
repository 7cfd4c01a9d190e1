#pragma once

#include "base/CaptureRegion.h"
#include "keys/KeyCodes.h"

#include <cstdint>

// A picture pinned on the screen, numbered from 1 in the order they were pinned.
using TPinId = std::uint32_t;

// What a pinned picture's window tells the program: a key pressed on it, the wheel turned over
// it (Delta in 120ths of a notch, positive away from the user), its menu asked for at a point,
// a double-click, or the system's request to close it.
enum class TPinEventKind { Key, Wheel, Menu, DoubleClick, Close };
struct TPinEvent {
    TPinEventKind Kind = TPinEventKind::Key;
    TPinId Pin = 0;
    TKeyCode Key = 0;
    std::uint32_t Shift = 0; // TShiftState
    int Delta = 0;
    TScreenPoint At;
};

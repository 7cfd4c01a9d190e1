#pragma once

#include "keys/KeyChord.h"

#include <windows.h>

#include <cstdint>

// The modifiers held, as a chord's kMod... bits, by a reader of the keys' state: GetKeyState
// (as this thread's messages saw them) or GetAsyncKeyState (as the keyboard is now).
inline std::uint8_t HeldModifiers(SHORT(WINAPI* state)(int)) {
    const auto held = [state](int key) { return state(key) < 0; };
    return static_cast<std::uint8_t>(
        (held(VK_CONTROL) ? kModCtrl : 0) | (held(VK_MENU) ? kModAlt : 0) |
        (held(VK_SHIFT) ? kModShift : 0) | (held(VK_LWIN) || held(VK_RWIN) ? kModWin : 0));
}

#pragma once

#include <cstdint>

// The main form's private window messages, numbered from the platform's WM_USER.
inline constexpr std::uint32_t WM_USER_BASE = 0x0400;
// Mouse activity on the tray icon; lParam is the mouse message.
inline constexpr std::uint32_t WM_TRAYNOTIFY = WM_USER_BASE + 100;
// A request to capture the current region now (both parameters 0).
inline constexpr std::uint32_t WM_CAPTURENOW = WM_USER_BASE + 110;

static_assert(WM_TRAYNOTIFY == 1124 && WM_CAPTURENOW == 1134);

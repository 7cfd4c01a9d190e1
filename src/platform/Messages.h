#pragma once

#include <cstdint>

// Window messages the main form acts on.
inline constexpr std::uint32_t WM_CLOSE_MESSAGE = 0x0010;
inline constexpr std::uint32_t WM_USER_BASE = 0x0400;
// Mouse activity on the tray icon; lParam is the mouse message.
inline constexpr std::uint32_t WM_TRAYNOTIFY = WM_USER_BASE + 100;
// A request to capture the current region now (both parameters 0).
inline constexpr std::uint32_t WM_CAPTURENOW = WM_USER_BASE + 110;
// A PrintScreen decision of the key watcher, waiting in its queue: applied to the region,
// then the capture runs.
inline constexpr std::uint32_t WM_KEYDECISION = WM_USER_BASE + 111;

inline constexpr std::int64_t kMouseLeftDoubleClick = 515; // WM_LBUTTONDBLCLK
inline constexpr std::int64_t kMouseRightDown = 516;       // WM_RBUTTONDOWN

static_assert(WM_TRAYNOTIFY == 1124 && WM_CAPTURENOW == 1134);

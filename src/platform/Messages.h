#pragma once

#include <cstdint>

// Window messages the main form acts on.
inline constexpr std::uint32_t WM_CLOSE_MESSAGE = 0x0010;
// wParam non-zero: the session ends, and the process with it once the message is answered.
inline constexpr std::uint32_t WM_ENDSESSION_MESSAGE = 0x0016;
inline constexpr std::uint32_t WM_USER_BASE = 0x0400;
// Mouse activity on the tray icon; lParam is the mouse message.
inline constexpr std::uint32_t WM_TRAYNOTIFY = WM_USER_BASE + 100;
// A request to capture the current region now (both parameters 0).
inline constexpr std::uint32_t WM_CAPTURENOW = WM_USER_BASE + 110;
// A PrintScreen decision of the key watcher, waiting in its queue: applied to the region,
// then the capture runs.
inline constexpr std::uint32_t WM_KEYDECISION = WM_USER_BASE + 111;
// A thread of ours failed: its error waits to be told on the user-interface thread.
inline constexpr std::uint32_t WM_BACKGROUNDERROR = WM_USER_BASE + 112;
// PrintScreen pressed while a key box listens for it (wParam: the kMod... modifiers held).
inline constexpr std::uint32_t WM_PRINTSCREENKEY = WM_USER_BASE + 113;
// The box a text mark is typed in has been ended (Enter, a click elsewhere) or emptied (Esc).
inline constexpr std::uint32_t WM_TEXTENTRYENDED = WM_USER_BASE + 114;

inline constexpr std::uint32_t WM_KEYDOWN_MESSAGE = 0x0100;
inline constexpr std::uint32_t WM_TIMER_MESSAGE = 0x0113;
inline constexpr std::uint64_t kCountdownTimer = 1; // WM_TIMER's wParam
inline constexpr std::uint32_t WM_MOUSEMOVE_MESSAGE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN_MESSAGE = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP_MESSAGE = 0x0202;
inline constexpr std::uint32_t WM_RBUTTONDOWN_MESSAGE = 0x0204;
inline constexpr std::uint32_t WM_RBUTTONUP_MESSAGE = 0x0205;
inline constexpr std::uint32_t WM_MBUTTONDOWN_MESSAGE = 0x0207;
inline constexpr std::uint32_t WM_MBUTTONUP_MESSAGE = 0x0208;

// The held buttons and keys of a pointer message's wParam.
inline constexpr std::uint32_t kHeldLeft = 0x0001;
inline constexpr std::uint32_t kHeldRight = 0x0002;
inline constexpr std::uint32_t kHeldShift = 0x0004;
inline constexpr std::uint32_t kHeldControl = 0x0008;
inline constexpr std::uint32_t kHeldMiddle = 0x0010;

inline constexpr std::uint16_t kKeyEscape = 27;
inline constexpr std::uint16_t kKeyReturn = 13;
inline constexpr std::uint16_t kArrowLeft = 0x25;
inline constexpr std::uint16_t kArrowUp = 0x26;
inline constexpr std::uint16_t kArrowRight = 0x27;
inline constexpr std::uint16_t kArrowDown = 0x28;
inline constexpr std::uint16_t kKeyZ = 'Z';
inline constexpr std::uint16_t kKeyY = 'Y';

inline constexpr std::int64_t kMouseLeftDown = 513;        // WM_LBUTTONDOWN
inline constexpr std::int64_t kMouseLeftDoubleClick = 515; // WM_LBUTTONDBLCLK
inline constexpr std::int64_t kMouseRightDown = 516;       // WM_RBUTTONDOWN
inline constexpr std::int64_t kNoticeClicked = 0x0405;     // NIN_BALLOONUSERCLICK

static_assert(WM_TRAYNOTIFY == 1124 && WM_CAPTURENOW == 1134);

#pragma once

#include "base/CaptureRegion.h"

#include <cstdint>
#include <optional>

// What the key watcher makes of one keyboard event. It passes every event on unchanged; only
// the key-down of PrintScreen (alone, or with Alt as a system key) leads to a capture.
enum class TKeyDecisionKind { PrintScreen, AltPrintScreen };

struct TKeyDecision {
    TKeyDecisionKind Kind = TKeyDecisionKind::PrintScreen;
    // For Alt+PrintScreen: the foreground window's rectangle when the key went down, as the
    // system gave it; nothing when there was no foreground window.
    std::optional<TCaptureRegion> WindowRect;
};

inline constexpr int kHookAction = 0;                  // HC_ACTION
inline constexpr std::uint32_t kKeyDown = 0x0100;      // WM_KEYDOWN
inline constexpr std::uint32_t kSysKeyDown = 0x0104;   // WM_SYSKEYDOWN
inline constexpr std::uint32_t kPrintScreenKey = 0x2C; // VK_SNAPSHOT

// Nothing for events without effect: other codes, key-ups, other keys.
inline std::optional<TKeyDecisionKind> ClassifyKeyEvent(int code, std::uint32_t message,
                                                        std::uint32_t virtualKey) {
    if (code != kHookAction || (virtualKey & 0xFF) != kPrintScreenKey) {
        return std::nullopt;
    }
    if (message == kKeyDown) {
        return TKeyDecisionKind::PrintScreen;
    }
    if (message == kSysKeyDown) {
        return TKeyDecisionKind::AltPrintScreen;
    }
    return std::nullopt;
}

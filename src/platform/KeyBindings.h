#pragma once

#include "base/CaptureRegion.h"
#include "platform/KeyChord.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

// What a key of the user's choice does, in the order the settings and the keys dialog list them.
enum class TKeyAction { Capture, CaptureWindow, SelectRegion, CaptureScreen };
inline constexpr int kKeyActionCount = 4;

struct TKeyBinding {
    TKeyAction Action;
    TKeyChord Chord;
};
// The keys in use: actions that are on and have a key, no key twice.
using TKeyBindings = std::vector<TKeyBinding>;

// What the key watcher decided when a bound key went down, handed to the user-interface thread:
// for CaptureWindow the foreground window's rectangle then (nothing without one), for
// CaptureScreen the monitor under the pointer.
struct TKeyDecision {
    TKeyAction Action = TKeyAction::Capture;
    std::optional<TCaptureRegion> Rect;
};

inline constexpr int kHookAction = 0;                // HC_ACTION
inline constexpr std::uint32_t kKeyDown = 0x0100;    // WM_KEYDOWN
inline constexpr std::uint32_t kKeyUp = 0x0101;      // WM_KEYUP
inline constexpr std::uint32_t kSysKeyDown = 0x0104; // WM_SYSKEYDOWN: with Alt, or F10
inline constexpr std::uint32_t kSysKeyUp = 0x0105;   // WM_SYSKEYUP

// What the watcher does with one keyboard event.
struct TKeyVerdict {
    bool Swallow = false;             // nothing after the watcher sees the event
    std::optional<TKeyAction> Action; // a bound key went down
    // Alt or Win is held over a swallowed key: without a key between their down and up, the
    // window in front would take them for Alt (its menu) or Win (the Start menu) alone.
    bool MaskModifiers = false;
};

// The watcher's rules, event by event: a key-down of a bound chord (its key with exactly its
// modifiers) is swallowed and acted on, every repeat of it too; the key-up of a key whose down
// was swallowed is swallowed. Everything else passes untouched: modifiers, other keys, the same
// key with other modifiers, and a key-up whose down went on.
class TKeyFilter {
public:
    void SetBindings(TKeyBindings bindings) { FBindings = std::move(bindings); }
    TKeyVerdict OnEvent(int code, std::uint32_t message, std::uint16_t virtualKey,
                        std::uint8_t modifiers);

private:
    TKeyBindings FBindings;
    std::bitset<256> FSwallowedDown;
};

// The actions' keys as the settings give them, in action order, with whether each is on:
// the ones that are on and have a key, a key that two share going to the first.
TKeyBindings ActiveBindings(const TKeyChord (&chords)[kKeyActionCount],
                            const bool (&on)[kKeyActionCount]);

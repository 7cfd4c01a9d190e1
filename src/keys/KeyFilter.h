#pragma once

#include "base/CaptureRegion.h"
#include "keys/KeyActions.h"

#include <bitset>
#include <cstdint>
#include <optional>

// What the key watcher decided when a bound key went down, handed to the user-interface thread:
// for CaptureWindow the foreground window's rectangle then (nothing without one), for
// CaptureScreen the monitor under the pointer.
struct TKeyDecision {
    TKeyAction Action = TKeyAction::Capture;
    std::optional<TCaptureRegion> Rect;
    bool Escape = false; // Esc while a scrolling capture runs, not an action's key
};

// Whether the keys dialog is choosing a key: not at all, open in front (its buttons have the
// focus), or with the focus in one of its key boxes.
enum class TListening { None, Dialog, KeyBox };

// What the watcher does with one keyboard event.
struct TKeyVerdict {
    bool Swallow = false;             // nothing after the watcher sees the event
    std::optional<TKeyAction> Action; // a bound key went down
    // Alt or Win is held over a swallowed key: without a key between their down and up, the
    // window in front would take them for Alt (its menu) or Win (the Start menu) alone.
    bool MaskModifiers = false;
    bool HandToKeyBox = false; // the key box choosing a key gets this press, with its modifiers
    bool Escape = false;       // Esc, while it is watched
};

// The watcher's rules, event by event: a key-down of a bound chord (its key with exactly its
// modifiers) is swallowed and acted on, every repeat of it too; the key-up of a key whose down
// was swallowed is swallowed. Everything else passes untouched: modifiers, other keys, the same
// key with other modifiers, and a key-up whose down went on. While the keys dialog listens, no
// key is acted on: in a key box every press but the dialog's own (Tab, Enter, Esc) is handed to
// the box, bound or not, and elsewhere in the dialog a bound key is only swallowed.
class TKeyFilter {
public:
    void SetBindings(TKeyBindings bindings) { FBindings = std::move(bindings); }
    // Esc alone is taken as a key of Quorlan's (a scrolling capture runs).
    void WatchEscape(bool on) { FEscape = on; }
    TKeyVerdict OnKey(bool down, TKeyCode key, std::uint8_t modifiers,
                      TListening listening = TListening::None);

private:
    TKeyBindings FBindings;
    bool FEscape = false;
    std::bitset<256> FSwallowedDown;
};

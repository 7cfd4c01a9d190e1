#pragma once

#include "keys/KeyFilter.h"

#include <optional>

// The system-wide watch on the keys in use: a bound key's press is Quorlan's alone (down and up
// swallowed), everything else passes.
class IKeyWatcher {
public:
    virtual ~IKeyWatcher() = default;
    // Puts the watcher in place (again: with new bindings); reports whether it is there now.
    // Its decisions wait in order, each announced to the main window as a key decided.
    virtual bool InstallKeyWatcher(const TKeyBindings& bindings) = 0;
    virtual void RemoveKeyWatcher() = 0;
    virtual std::optional<TKeyDecision> TakeKeyDecision() = 0;
    // While on, Esc pressed anywhere is Quorlan's (a scrolling capture runs, and the page has the
    // focus): swallowed and decided as Escape. The watcher runs for it with no key bound.
    virtual void WatchEscape(bool on) = 0;
    // Whether Windows itself opens its screen capture on PrintScreen (the user's setting),
    // nothing when the setting is not there; turning it off reports whether it was written.
    virtual std::optional<bool> SystemPrintScreenCapture() = 0;
    virtual bool TurnOffSystemPrintScreenCapture() = 0;
};

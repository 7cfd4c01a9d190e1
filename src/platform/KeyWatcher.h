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
    // Whether Windows itself opens its screen capture on PrintScreen (the user's setting),
    // nothing when the setting is not there; turning it off reports whether it was written.
    virtual std::optional<bool> SystemPrintScreenCapture() = 0;
    virtual bool TurnOffSystemPrintScreenCapture() = 0;
};

#pragma once

#include "keys/KeyFilter.h"
#include "platform/KeyWatcher.h"

#include <deque>
#include <optional>

// The system-wide watcher: the rules it applies once installed (WatcherCanInstall: whether it
// can be), the decisions queued for the program, and Windows' own PrintScreen setting (on, off
// or missing) with whether turning it off works.
class THeadlessKeyWatcher : public IKeyWatcher {
public:
    bool InstallKeyWatcher(const TKeyBindings& bindings) override;
    void RemoveKeyWatcher() override {
        WatcherInstalled = false;
        Watcher.SetBindings({});
    }
    std::optional<TKeyDecision> TakeKeyDecision() override;
    void WatchEscape(bool on) override {
        EscapeWatched = on;
        Watcher.WatchEscape(on);
    }
    std::optional<bool> SystemPrintScreenCapture() override { return SystemSnipping; }
    bool TurnOffSystemPrintScreenCapture() override {
        if (SystemSnippingLocked) {
            return false;
        }
        SystemSnipping = false;
        return true;
    }

    bool WatcherCanInstall = true;
    bool WatcherInstalled = false;
    int WatcherInstalls = 0;
    TKeyFilter Watcher;
    bool EscapeWatched = false;
    std::deque<TKeyDecision> KeyDecisions;
    std::optional<bool> SystemSnipping;
    bool SystemSnippingLocked = false;
};

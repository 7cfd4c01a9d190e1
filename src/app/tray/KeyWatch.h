#pragma once

#include "keys/KeyActions.h"
#include "platform/KeyWatcher.h"

// The system-wide keys that ask for captures: the watcher takes the keys in use, and none
// removes it. A watcher that cannot be installed is not reported.
class TKeyWatch {
public:
    explicit TKeyWatch(IKeyWatcher& watcher) : FWatcher(watcher) {}

    void Follow(const TKeyBindings& bindings) {
        if (bindings.empty()) {
            Remove();
            return;
        }
        FInstalled = FWatcher.InstallKeyWatcher(bindings);
    }
    void Remove() {
        if (FInstalled) {
            FWatcher.RemoveKeyWatcher();
            FInstalled = false;
        }
    }

private:
    IKeyWatcher& FWatcher;
    bool FInstalled = false;
};

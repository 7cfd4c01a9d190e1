#pragma once

#include "platform/KeyWatcher.h"
#include "win32/KeyWatcherThread.h"
#include "win32/PrivateMessages.h"

#include <windows.h>

#include <memory>

// The key watcher on its thread, its decisions announced to the main window, put in place anew
// after the session is unlocked; and Windows' own use of PrintScreen, a setting of the user's.
class TWin32KeyWatcher : public IKeyWatcher, public IWindowMessages {
public:
    explicit TWin32KeyWatcher(HWND window);
    ~TWin32KeyWatcher() override;
    TWin32KeyWatcher(const TWin32KeyWatcher&) = delete;
    TWin32KeyWatcher& operator=(const TWin32KeyWatcher&) = delete;

    bool InstallKeyWatcher(const TKeyBindings& bindings) override;
    void RemoveKeyWatcher() override;
    std::optional<TKeyDecision> TakeKeyDecision() override;
    void WatchEscape(bool on) override;
    std::optional<bool> SystemPrintScreenCapture() override;
    bool TurnOffSystemPrintScreenCapture() override;

    // WM_WTSSESSION_CHANGE.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND FWindow;
    std::unique_ptr<TKeyWatcherThread> FWatcher;
    bool FBound = false; // keys are bound: the watcher runs without Esc too
};

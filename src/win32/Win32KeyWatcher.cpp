#include "win32/Win32KeyWatcher.h"

#include <wtsapi32.h>

namespace {

// Windows 11's "Use the Print screen key to open screen capture", the user's own.
constexpr wchar_t kKeyboardKey[] = L"Control Panel\\Keyboard";
constexpr wchar_t kSnippingValue[] = L"PrintScreenKeyForSnippingEnabled";

} // namespace

TWin32KeyWatcher::TWin32KeyWatcher(HWND window) : FWindow(window) {
    // Told when the session is unlocked, to put the key watcher's hook in place anew.
    WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
}

TWin32KeyWatcher::~TWin32KeyWatcher() {
    FWatcher.reset(); // it posts to the window: it goes first
    WTSUnRegisterSessionNotification(FWindow);
}

bool TWin32KeyWatcher::InstallKeyWatcher(const TKeyBindings& bindings) {
    if (!FWatcher) {
        FWatcher = std::make_unique<TKeyWatcherThread>(FWindow);
    }
    FWatcher->SetBindings(bindings);
    FBound = !bindings.empty();
    return FWatcher->Start();
}

void TWin32KeyWatcher::RemoveKeyWatcher() {
    FBound = false;
    if (FWatcher) {
        FWatcher->Stop();
    }
}

void TWin32KeyWatcher::WatchEscape(bool on) {
    // Esc needs the watcher even with no key bound; the program puts it back as the settings
    // say once the scrolling capture has ended.
    if (!FWatcher) {
        FWatcher = std::make_unique<TKeyWatcherThread>(FWindow);
    }
    FWatcher->WatchEscape(on);
    if (on) {
        FWatcher->Start();
    } else if (!FBound) {
        FWatcher->Stop();
    }
}

std::optional<TKeyDecision> TWin32KeyWatcher::TakeKeyDecision() {
    return FWatcher ? FWatcher->Take() : std::nullopt;
}

std::optional<bool> TWin32KeyWatcher::SystemPrintScreenCapture() {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, RRF_RT_REG_DWORD, nullptr,
                     &value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value == 1;
}

bool TWin32KeyWatcher::TurnOffSystemPrintScreenCapture() {
    const DWORD off = 0;
    return RegSetKeyValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, REG_DWORD, &off,
                           sizeof off) == ERROR_SUCCESS;
}

bool TWin32KeyWatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_WTSSESSION_CHANGE) {
        return false;
    }
    // Windows keeps a low-level hook across a lock, but drops one it found slow to answer at any
    // time: after an unlock the watcher starts anew, so it is surely in place.
    if (wParam == WTS_SESSION_UNLOCK && FWatcher && FWatcher->Running()) {
        FWatcher->Restart();
    }
    result = 0;
    return true;
}

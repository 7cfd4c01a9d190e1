#include "win32/KeyWatcherThread.h"

#include "win32/PrivateMessages.h"
#include "win32/GdiHandles.h"
#include "win32/KeyModifiers.h"
#include "win32/WindowFrames.h"

#include <atomic>

namespace {

// The hook procedure has no argument of ours: the one watcher there can be is found here.
std::atomic<TKeyWatcherThread*> gWatcher{nullptr};

} // namespace

bool TKeyWatcherThread::Start() {
    if (Running()) {
        return true;
    }
    std::promise<bool> started;
    std::future<bool> installed = started.get_future();
    gWatcher = this;
    try {
        FThread = std::thread(&TKeyWatcherThread::Run, this, &started);
    } catch (...) {
        gWatcher = nullptr;
        return false; // no thread, no watcher: not reported, as a refused hook is not
    }
    if (!installed.get()) {
        FThread.join();
        gWatcher = nullptr;
        return false;
    }
    return true;
}

void TKeyWatcherThread::Stop() {
    if (!Running()) {
        return;
    }
    PostThreadMessageW(FThreadId, WM_QUIT, 0, 0);
    FThread.join();
    gWatcher = nullptr;
}

void TKeyWatcherThread::Run(std::promise<bool>* started) noexcept {
    bool told = false;
    try {
        FThreadId = GetCurrentThreadId();
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue, for WM_QUIT
        THookHandle hook(SetWindowsHookExW(WH_KEYBOARD_LL, HookProc, GetModuleHandleW(nullptr), 0));
        started->set_value(static_cast<bool>(hook));
        told = true;
        if (!hook) {
            return;
        }
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
    } catch (...) {
        // Nothing leaves the thread: a watcher that could not start says so, as a refused hook
        // does; one that ran simply ends with its hook.
        if (!told) {
            try {
                started->set_value(false);
            } catch (...) {
            }
        }
    }
}

void TKeyWatcherThread::SetBindings(TKeyBindings bindings) {
    const std::lock_guard lock(FFilterLock);
    FFilter.SetBindings(std::move(bindings));
}

void TKeyWatcherThread::WatchEscape(bool on) {
    const std::lock_guard lock(FFilterLock);
    FFilter.WatchEscape(on);
}

namespace {

std::atomic<HWND> gListener{nullptr};
std::atomic<HWND> gKeyBox{nullptr};

} // namespace

void ListenForKeys(HWND dialog) {
    gListener = dialog;
    gKeyBox = nullptr;
}

void ChooseKeyIn(HWND box) {
    gKeyBox = box;
}

namespace {

// A key no keyboard has, pressed and released between Alt or Win and their release: the window
// in front then takes them for part of a chord, not for its menu or the Start menu.
constexpr WORD kMaskKey = 0xE8;

void SendMaskKey() {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = kMaskKey;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
}

TCaptureRegion RegionOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

TKeyVerdict TKeyWatcherThread::Decide(WPARAM wParam, const KBDLLHOOKSTRUCT& event) {
    const auto key = static_cast<TKeyCode>(event.vkCode);
    if (key == kMaskKey) {
        return {};
    }
    // Only a key's press is bound with its modifiers: other events need not ask for them.
    const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    const std::uint8_t modifiers =
        down && !IsModifierKey(key) ? HeldModifiers(GetAsyncKeyState) : 0;
    // While the keys dialog is open no key is acted on; its key box takes them in front.
    TListening listening = TListening::None;
    HWND listener = gListener.load();
    if (listener) {
        const bool choosing = gKeyBox.load() && GetForegroundWindow() == listener;
        listening = choosing ? TListening::KeyBox : TListening::Dialog;
    }
    TKeyVerdict verdict;
    {
        const std::lock_guard lock(FFilterLock);
        verdict = FFilter.OnKey(down, key, modifiers, listening);
    }
    if (verdict.HandToKeyBox) {
        PostMessageW(listener, WM_KEYCHOSEN, key, modifiers);
    }
    return verdict;
}

LRESULT CALLBACK TKeyWatcherThread::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TKeyWatcherThread* watcher = gWatcher.load();
    if (!watcher || code != HC_ACTION) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    try {
        const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const TKeyVerdict verdict = watcher->Decide(wParam, event);
        if (verdict.Escape) {
            watcher->Push({TKeyAction::Capture, std::nullopt, true});
        }
        if (verdict.Action) {
            TKeyDecision decision{*verdict.Action, std::nullopt};
            if (*verdict.Action == TKeyAction::CaptureWindow) {
                if (HWND foreground = GetForegroundWindow()) {
                    decision.Rect = WindowFrameOf(foreground); // as the screen shows it
                }
            } else if (*verdict.Action == TKeyAction::CaptureScreen) {
                POINT pointer{};
                MONITORINFO info{};
                info.cbSize = sizeof info;
                if (GetCursorPos(&pointer) &&
                    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &info)) {
                    decision.Rect = RegionOf(info.rcMonitor);
                }
            }
            watcher->Push(decision);
        }
        if (verdict.MaskModifiers) {
            SendMaskKey();
        }
        if (verdict.Swallow) {
            return 1; // the event goes no further
        }
    } catch (...) {
        // Nothing may leave a hook procedure; a lost key press is the least harm.
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TKeyWatcherThread::Push(const TKeyDecision& decision) {
    {
        std::lock_guard guard(FLock);
        FDecisions.push_back(decision);
    }
    PostMessageW(FTarget, WM_KEYDECISION, 0, 0);
}

std::optional<TKeyDecision> TKeyWatcherThread::Take() {
    std::lock_guard guard(FLock);
    if (FDecisions.empty()) {
        return std::nullopt;
    }
    const TKeyDecision decision = FDecisions.front();
    FDecisions.pop_front();
    return decision;
}

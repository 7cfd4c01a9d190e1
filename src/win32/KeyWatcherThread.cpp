#include "win32/KeyWatcherThread.h"

#include "platform/Messages.h"
#include "win32/GdiHandles.h"

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

LRESULT CALLBACK TKeyWatcherThread::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
    TKeyWatcherThread* watcher = gWatcher.load();
    if (!watcher || code != HC_ACTION) {
        return result;
    }
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const auto kind = ClassifyKeyEvent(code, static_cast<std::uint32_t>(wParam), event->vkCode);
    if (!kind) {
        return result;
    }
    try {
        TKeyDecision decision{*kind, std::nullopt};
        if (*kind == TKeyDecisionKind::AltPrintScreen) {
            RECT rect;
            if (HWND foreground = GetForegroundWindow();
                foreground && GetWindowRect(foreground, &rect)) {
                decision.WindowRect = TCaptureRegion{rect.left, rect.top, rect.right, rect.bottom};
            }
        }
        watcher->Push(decision);
    } catch (...) {
        // Nothing may leave a hook procedure; a lost key press is the least harm.
    }
    return result;
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

#pragma once

#include "platform/KeyBindings.h"

#include <windows.h>

#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

// The system-wide watch on PrintScreen: a low-level keyboard hook on a thread of its own that
// does nothing but pump messages, so Windows never finds it slow and removes it, however long
// a capture or an open box keeps the user-interface thread busy. Every event is passed on at
// once; each PrintScreen decision is queued and announced to the main window with
// WM_KEYDECISION, so none is lost and they are handled in order.
class TKeyWatcherThread {
public:
    explicit TKeyWatcherThread(HWND target) : FTarget(target) {}
    ~TKeyWatcherThread() { Stop(); }
    TKeyWatcherThread(const TKeyWatcherThread&) = delete;
    TKeyWatcherThread& operator=(const TKeyWatcherThread&) = delete;

    // True when the hook is in place.
    bool Start();
    void Stop();
    bool Running() const { return FThread.joinable(); }

    std::optional<TKeyDecision> Take();

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void Run(std::promise<bool>* started) noexcept;
    void Push(const TKeyDecision& decision);

    HWND FTarget;
    std::thread FThread;
    DWORD FThreadId = 0;
    std::mutex FLock;
    std::deque<TKeyDecision> FDecisions;
};

#pragma once

#include "keys/KeyFilter.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

// The system-wide watch on the keys in use: a low-level keyboard hook on a thread of its own
// that does nothing but pump messages, so Windows never finds it slow and removes it, however
// long a capture or an open box keeps the user-interface thread busy. A bound key's down and up
// go no further (not to the window in front, another program's hotkey or the system's own
// PrintScreen handling); every other event is passed on at once. Each decision is queued and
// announced to the main window with WM_KEYDECISION, so none is lost and they are handled in
// order.
class TKeyWatcherThread {
public:
    explicit TKeyWatcherThread(HWND target) : FTarget(target) {}
    ~TKeyWatcherThread() { Stop(); }
    TKeyWatcherThread(const TKeyWatcherThread&) = delete;
    TKeyWatcherThread& operator=(const TKeyWatcherThread&) = delete;

    // True when the hook is in place. The bindings may change while it runs.
    bool Start();
    void SetBindings(TKeyBindings bindings);
    void Stop();
    // A new hook in place of the old one, with the same bindings.
    void Restart() {
        Stop();
        Start();
    }
    bool Running() const { return FThread.joinable(); }

    std::optional<TKeyDecision> Take();

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void Run(std::promise<bool>* started) noexcept;
    void Push(const TKeyDecision& decision);

    TKeyVerdict Decide(int code, WPARAM wParam, const KBDLLHOOKSTRUCT& event);

    HWND FTarget;
    std::mutex FFilterLock; // the hook's thread decides, the interface thread rebinds
    TKeyFilter FFilter;
    std::thread FThread;
    DWORD FThreadId = 0;
    std::mutex FLock;
    std::deque<TKeyDecision> FDecisions;
};

// While a window listens (a key box choosing a key), PrintScreen pressed while it is in front
// goes to it as WM_PRINTSCREENKEY with the modifiers held, and nowhere else: Windows itself hands
// a window PrintScreen as a key-up only, and the watcher would take it. Null stops listening.
void ListenForPrintScreen(HWND window);

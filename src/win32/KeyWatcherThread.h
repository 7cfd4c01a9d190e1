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
    void WatchEscape(bool on);
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

    TKeyVerdict Decide(WPARAM wParam, const KBDLLHOOKSTRUCT& event);

    HWND FTarget;
    std::mutex FFilterLock; // the hook's thread decides, the interface thread rebinds
    TKeyFilter FFilter;
    std::thread FThread;
    DWORD FThreadId = 0;
    std::mutex FLock;
    std::deque<TKeyDecision> FDecisions;
};

// While the keys dialog listens, the watcher acts on no key: a bound key is only swallowed, and
// with the dialog in front and the focus in one of its key boxes every press but the dialog's
// own goes to the dialog as WM_KEYCHOSEN with the modifiers held, and nowhere else (a
// chord another program or Windows would take, PrintScreen among them: Windows hands a window
// PrintScreen as a key-up only). Null stops listening; the box, null when the focus is
// elsewhere.
void ListenForKeys(HWND dialog);
void ChooseKeyIn(HWND box);

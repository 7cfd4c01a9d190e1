#pragma once

#include "platform/Messages.h"

#include <windows.h>

// The main window's own messages beyond the two the program is known by (Messages.h); only this
// layer sees them, and cracks each into a typed event.
// A decision of the key watcher waits in its queue.
inline constexpr UINT WM_KEYDECISION = WM_USER + 111;
// A thread of ours failed: its error waits to be told on the user-interface thread.
inline constexpr UINT WM_BACKGROUNDERROR = WM_USER + 112;
// A key pressed while a key box chooses one (wParam: the key, lParam: the kMod... modifiers).
inline constexpr UINT WM_KEYCHOSEN = WM_USER + 113;
// The box a text mark is typed in has been ended (Enter, a click elsewhere) or emptied (Esc).
inline constexpr UINT WM_TEXTENTRYENDED = WM_USER + 114;
// The scrolling capture's label was clicked.
inline constexpr UINT WM_SCROLLLABELCLICKED = WM_USER + 115;
// A pinned picture's event, sent by its window (lParam: the TPinEvent).
inline constexpr UINT WM_PINEVENT = WM_USER + 116;
// The text being read on a thread of ours has been read (or cancelled, or failed).
inline constexpr UINT WM_TEXTREAD = WM_USER + 117;
// The countdown's timer and the scrolling capture's, in WM_TIMER's wParam.
inline constexpr UINT_PTR kCountdownTimer = 1;
inline constexpr UINT_PTR kScrollTimer = 2;

static_assert(WM_TRAYNOTIFY == WM_USER + 100 && WM_CAPTURENOW == WM_USER + 110);

// A part of the program's Windows layer that answers some of the main window's messages itself
// (painting, the clipboard's, the shell's): true when it took the message, its result set.
class IWindowMessages {
public:
    virtual ~IWindowMessages() = default;
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

#pragma once

#include "keys/KeyFilter.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// What asks for a capture (or, for the region item, a new region; for the scrolling capture, a
// rectangle to scroll; for text recognition, one whose text to read): the capture command of the
// double-click and the menu, a posted request (the region shown first), a key of the watcher,
// the menu's region, scrolling and text items, and a pinned picture's save.
enum class TRequestKind { Command, Posted, Key, Select, Scroll, ReadText, SavePin };
struct TCaptureRequest {
    TRequestKind Kind = TRequestKind::Command;
    TKeyDecision Key{};    // for Key: what the watcher decided when the key went down
    std::uint32_t Pin = 0; // for SavePin: the picture
};

// What the screen is given to: nothing of ours, the frozen screen before a press, a region
// being dragged on it, marks being drawn on it, a window being scrolled and captured, or the
// text of a rectangle being read.
enum class TScreenUse { Free, Frozen, Dragging, Marks, Scrolling, Reading };

// Everything the scheduler knows of the program.
struct TSchedulerState {
    TScreenUse Screen = TScreenUse::Free;
    bool Running = false;   // a request it let start has not yet returned
    bool Capturing = false; // the capture command runs, its questions and boxes included
    // The countdown before Counted runs: seconds left, and whether it ran out while our menu or
    // a dialog of ours was open (it waits for them to go).
    std::optional<TCaptureRequest> Counted{};
    int Countdown = 0;
    bool Due = false;
    bool MenuOpen = false;
    int DialogsOpen = 0;
    bool Closing = false;
    bool PressCancelled = false; // the last press on the icon cancelled a countdown
    std::deque<TCaptureRequest> Waiting{};
    int Delay = 0; // the seconds a request counts down before it runs
};

enum class TSchedulerEventKind {
    Request,         // a request (Request)
    TrayPress,       // the left button pressed on the icon
    TrayDoubleClick, // the shell's double-click, which follows a press and a release
    Tick,            // a second of the countdown passed
    MenuOpened,      // our tray menu
    MenuClosed,
    DialogOpened, // a box or dialog of ours
    DialogClosed,
    ScreenUsed,     // the screen is now given to Screen
    CaptureStarted, // the capture command began, from wherever
    CaptureEnded,
    Ran,   // the request last let start has returned
    Close, // the exit item, a close request, the session ending
};
struct TSchedulerEvent {
    TSchedulerEventKind Kind;
    TCaptureRequest Request{};
    TScreenUse Screen = TScreenUse::Free;
};

enum class TSchedulerActionKind { Run, ShowCountdown, StartTimer, StopTimer };
struct TSchedulerAction {
    TSchedulerActionKind Kind;
    TCaptureRequest Request{}; // for Run
    int Seconds = 0;           // for ShowCountdown: 0 puts the usual icon back
};

// The one place that says what runs when: what an event does to the state, and what is to be
// done now, in order. One capture at a time, in order, none lost; a request's delay starts when
// it may start, and a countdown that runs out while our menu or a dialog of ours is open waits
// for them; a press or a double-click on the counting icon cancels; over the frozen screen only
// the tray's capture command runs (before a press), and nothing while a region is dragged or
// marked; closing drops what waits. A pinned picture's save reads nothing of the screen: it
// has no delay, and waits for the screen and a countdown rather than being dropped.
std::vector<TSchedulerAction> Schedule(TSchedulerState& state, const TSchedulerEvent& event);

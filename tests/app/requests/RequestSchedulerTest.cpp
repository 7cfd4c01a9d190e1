#include "app/requests/RequestScheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using E = TSchedulerEventKind;
using S = TScreenUse;

const TCaptureRequest kCommand{TRequestKind::Command};
const TCaptureRequest kKey{TRequestKind::Key};
const TCaptureRequest kSelect{TRequestKind::Select};

TSchedulerEvent Ask(const TCaptureRequest& request) {
    return {E::Request, request};
}

// What the scheduler said, as words: "run Key", "countdown 3", "timer on", "timer off".
std::string Said(const std::vector<TSchedulerAction>& actions) {
    static const char* const kKinds[] = {"Command", "Posted", "Key", "Select"};
    std::string said;
    for (const TSchedulerAction& action : actions) {
        said += said.empty() ? "" : ", ";
        switch (action.Kind) {
        case TSchedulerActionKind::Run:
            said += std::string("run ") + kKinds[static_cast<int>(action.Request.Kind)];
            break;
        case TSchedulerActionKind::ShowCountdown:
            said += "countdown " + std::to_string(action.Seconds);
            break;
        case TSchedulerActionKind::StartTimer:
            said += "timer on";
            break;
        case TSchedulerActionKind::StopTimer:
            said += "timer off";
            break;
        }
    }
    return said;
}

TEST(RequestScheduler, WhatRunsWhen) {
    struct Row {
        const char* what;
        TSchedulerState state;
        TSchedulerEvent event;
        const char* said;
        std::size_t waiting = 0; // requests still waiting after
    } rows[] = {
        // One capture at a time, in order, none lost.
        {"idle: at once", {}, Ask(kKey), "run Key"},
        {"during a question: waits", {.Capturing = true}, Ask(kKey), "", 1},
        {"behind another: waits its turn",
         {.Running = true, .Capturing = true, .Waiting = {kKey}},
         Ask(kCommand),
         "",
         2},
        {"the capture ended, its request not yet returned",
         {.Running = true, .Waiting = {kKey, kCommand}},
         {E::CaptureEnded},
         "",
         2},
        {"the request returned: the next",
         {.Running = true, .Waiting = {kKey, kCommand}},
         {E::Ran},
         "run Key",
         1},
        {"a capture outside any request ended",
         {.Capturing = true, .Waiting = {kSelect}},
         {E::CaptureEnded},
         "run Select"},
        {"our menu open: waits for it", {.MenuOpen = true}, Ask(kKey), "", 1},
        {"our menu closed", {.MenuOpen = true, .Waiting = {kKey}}, {E::MenuClosed}, "run Key"},
        {"a dialog of ours open: at once", {.DialogsOpen = 1}, Ask(kCommand), "run Command"},
        {"a failed capture's error box is the capture's",
         {.Capturing = true, .DialogsOpen = 1},
         Ask(kKey),
         "",
         1},
        // A request's delay starts when it may start.
        {"a delay: the countdown", {.Delay = 3}, Ask(kKey), "countdown 3, timer on"},
        {"a delay after a question",
         {.Running = true, .Waiting = {kKey}, .Delay = 3},
         {E::Ran},
         "countdown 3, timer on"},
        {"a request during the countdown starts nothing more",
         {.Counted = kKey, .Countdown = 2, .Delay = 3},
         Ask(kCommand),
         ""},
        {"a second passes", {.Counted = kKey, .Countdown = 3}, {E::Tick}, "countdown 2"},
        {"the last second",
         {.Counted = kKey, .Countdown = 1},
         {E::Tick},
         "timer off, countdown 0, run Key"},
        {"the last second with our menu open: it waits",
         {.Counted = kKey, .Countdown = 1, .MenuOpen = true},
         {E::Tick},
         "timer off"},
        {"the last second with a dialog of ours open: it waits",
         {.Counted = kKey, .Countdown = 1, .DialogsOpen = 1},
         {E::Tick},
         "timer off"},
        {"the menu closes on a countdown run out",
         {.Counted = kKey, .Due = true, .MenuOpen = true},
         {E::MenuClosed},
         "countdown 0, run Key"},
        {"the dialog closes on a countdown run out",
         {.Counted = kKey, .Due = true, .DialogsOpen = 1},
         {E::DialogClosed},
         "countdown 0, run Key"},
        {"one of two dialogs closes",
         {.Counted = kKey, .Due = true, .DialogsOpen = 2},
         {E::DialogClosed},
         ""},
        {"a tick after it ran out does nothing",
         {.Counted = kKey, .Due = true, .DialogsOpen = 1},
         {E::Tick},
         ""},
        // A click on the counting icon cancels; the double-click that follows it too.
        {"a click on the counting icon",
         {.Counted = kKey, .Countdown = 2},
         {E::TrayPress},
         "timer off, countdown 0"},
        {"the double-click after the cancelling click",
         {.PressCancelled = true},
         {E::TrayDoubleClick},
         ""},
        {"a double-click on the counting icon",
         {.Counted = kKey, .Countdown = 2},
         {E::TrayDoubleClick},
         "timer off, countdown 0"},
        {"a click on the quiet icon", {}, {E::TrayPress}, ""},
        {"a double-click on the quiet icon", {}, {E::TrayDoubleClick}, "run Command"},
        {"a double-click long after a cancelling click",
         {.PressCancelled = true},
         Ask(kKey),
         "run Key"},
        // The frozen screen.
        {"before a press the tray's capture runs",
         {.Screen = S::Frozen, .Delay = 3},
         Ask(kCommand),
         "run Command"},
        {"the keys do nothing over it", {.Screen = S::Frozen}, Ask(kKey), ""},
        {"the region item neither", {.Screen = S::Frozen}, Ask(kSelect), ""},
        {"half a region is none", {.Screen = S::Dragging}, Ask(kCommand), ""},
        {"nor are marks", {.Screen = S::Marks}, Ask(kCommand), ""},
        {"text being read: waits for it", {.Screen = S::Reading, .Delay = 3}, Ask(kKey), "", 1},
        {"and then counts down",
         {.Screen = S::Reading, .Waiting = {kKey}, .Delay = 3},
         {E::ScreenUsed, {}, S::Free},
         "countdown 3, timer on"},
        {"what waited runs once it has gone",
         {.Screen = S::Frozen, .Waiting = {kKey, kCommand}},
         {E::ScreenUsed, {}, S::Free},
         "run Key",
         1},
        {"only the capture command runs while it stands",
         {.Screen = S::Frozen, .Running = true, .Waiting = {kCommand, kKey}},
         {E::Ran},
         "run Command",
         1},
        // Closing drops what waits and starts nothing more.
        {"closing with requests waiting",
         {.Capturing = true, .Waiting = {kKey, kCommand}},
         {E::Close},
         ""},
        {"closing while counting", {.Counted = kKey, .Countdown = 2}, {E::Close}, "timer off"},
        {"a request on the way out", {.Closing = true}, Ask(kKey), ""},
        {"a capture ends on the way out",
         {.Capturing = true, .Closing = true},
         {E::CaptureEnded},
         ""},
    };
    for (Row& row : rows) {
        EXPECT_EQ(Said(Schedule(row.state, row.event)), row.said) << row.what;
        EXPECT_EQ(row.state.Waiting.size(), row.waiting) << row.what;
    }
}

} // namespace

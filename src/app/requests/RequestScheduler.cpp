#include "app/requests/RequestScheduler.h"

#include <utility>

namespace {

using TActions = std::vector<TSchedulerAction>;

void Run(TSchedulerState& state, const TCaptureRequest& request, TActions& actions) {
    state.Running = true;
    actions.push_back({TSchedulerActionKind::Run, request});
}

bool Busy(const TSchedulerState& state) {
    return state.Running || state.Capturing || state.Counted || state.MenuOpen || state.Closing;
}

// A request that may start now: after its delay when there is one and the screen is free.
void Start(TSchedulerState& state, const TCaptureRequest& request, TActions& actions) {
    if (state.Delay > 0 && state.Screen == TScreenUse::Free &&
        request.Kind != TRequestKind::SavePin) {
        state.Counted = request;
        state.Countdown = state.Delay;
        state.Due = false;
        actions.push_back({TSchedulerActionKind::ShowCountdown, {}, state.Countdown});
        actions.push_back({TSchedulerActionKind::StartTimer});
        return;
    }
    Run(state, request, actions);
}

// The countdown's request, its icon gone from the screen first.
void RunCounted(TSchedulerState& state, TActions& actions) {
    const TCaptureRequest request = *std::exchange(state.Counted, std::nullopt);
    state.Countdown = 0;
    state.Due = false;
    actions.push_back({TSchedulerActionKind::ShowCountdown, {}, 0});
    Run(state, request, actions);
}

// The countdown stopped; the icon shows the usual picture again unless Quorlan is closing.
void Cancel(TSchedulerState& state, TActions& actions) {
    state.Counted.reset();
    state.Countdown = 0;
    state.Due = false;
    actions.push_back({TSchedulerActionKind::StopTimer});
    if (!state.Closing) {
        actions.push_back({TSchedulerActionKind::ShowCountdown, {}, 0});
    }
}

// What waits starts as soon as nothing holds it: over the frozen screen only the tray's capture
// command, which reads the screen as it shows.
void Drain(TSchedulerState& state, TActions& actions) {
    if (state.Due) {
        if (!state.MenuOpen && state.DialogsOpen == 0 && !state.Running && !state.Capturing) {
            RunCounted(state, actions);
        }
        return;
    }
    while (!state.Waiting.empty() && !Busy(state)) {
        const TCaptureRequest next = state.Waiting.front();
        if (state.Screen == TScreenUse::Free) {
            state.Waiting.pop_front();
            Start(state, next, actions);
        } else if (state.Screen == TScreenUse::Frozen && next.Kind == TRequestKind::Command) {
            state.Waiting.pop_front();
            Run(state, next, actions);
        } else {
            return; // it waits for the frozen screen to go, or the text being read
        }
    }
}

void Ask(TSchedulerState& state, const TCaptureRequest& request, TActions& actions) {
    if (state.Closing) {
        return;
    }
    if (request.Kind == TRequestKind::SavePin) {
        state.Waiting.push_back(request); // a file asked for is never dropped
        Drain(state, actions);
        return;
    }
    if (state.Counted) {
        return; // a request during a countdown starts nothing more
    }
    const bool frozenCommand =
        state.Screen == TScreenUse::Frozen && request.Kind == TRequestKind::Command;
    // While text is read, a request waits for it as for a capture.
    if (state.Screen != TScreenUse::Free && state.Screen != TScreenUse::Reading && !frozenCommand) {
        return; // over the frozen screen the keys do nothing; half a region, or marks, is none
    }
    state.Waiting.push_back(request);
    Drain(state, actions);
}

} // namespace

std::vector<TSchedulerAction> Schedule(TSchedulerState& state, const TSchedulerEvent& event) {
    TActions actions;
    if (event.Kind != TSchedulerEventKind::TrayDoubleClick &&
        event.Kind != TSchedulerEventKind::Tick) {
        // Only the double-click that ends the cancelling click follows it: anything else between
        // (a tick still on its way aside) makes the next double-click a request again.
        state.PressCancelled = false;
    }
    switch (event.Kind) {
    case TSchedulerEventKind::Request:
        Ask(state, event.Request, actions);
        break;
    case TSchedulerEventKind::TrayPress:
        state.PressCancelled = state.Counted.has_value();
        if (state.PressCancelled) {
            Cancel(state, actions);
        }
        break;
    case TSchedulerEventKind::TrayDoubleClick:
        if (std::exchange(state.PressCancelled, false)) {
            break; // the second press of the click that cancelled
        }
        if (state.Counted) {
            Cancel(state, actions);
        } else {
            Ask(state, {TRequestKind::Command}, actions);
        }
        break;
    case TSchedulerEventKind::Tick:
        if (!state.Counted || state.Due) {
            break;
        }
        if (--state.Countdown > 0) {
            actions.push_back({TSchedulerActionKind::ShowCountdown, {}, state.Countdown});
            break;
        }
        actions.push_back({TSchedulerActionKind::StopTimer});
        state.Due = true;
        Drain(state, actions);
        break;
    case TSchedulerEventKind::MenuOpened:
        state.MenuOpen = true;
        break;
    case TSchedulerEventKind::MenuClosed:
        state.MenuOpen = false;
        Drain(state, actions);
        break;
    case TSchedulerEventKind::DialogOpened:
        ++state.DialogsOpen;
        break;
    case TSchedulerEventKind::DialogClosed:
        state.DialogsOpen = state.DialogsOpen > 0 ? state.DialogsOpen - 1 : 0;
        Drain(state, actions);
        break;
    case TSchedulerEventKind::ScreenUsed:
        state.Screen = event.Screen;
        Drain(state, actions);
        break;
    case TSchedulerEventKind::CaptureStarted:
        state.Capturing = true;
        break;
    case TSchedulerEventKind::CaptureEnded:
        state.Capturing = false;
        Drain(state, actions);
        break;
    case TSchedulerEventKind::Ran:
        state.Running = false;
        Drain(state, actions);
        break;
    case TSchedulerEventKind::Close:
        state.Closing = true;
        state.Waiting.clear();
        if (state.Counted) {
            Cancel(state, actions);
        }
        break;
    }
    return actions;
}

#pragma once

// The requests room: every request for a capture (a key, the tray, a posted message, a pin's
// save) goes through one scheduler, and this loop runs what it says one after the other. The
// boxes, dialogs and menus the program shows are counted here, so that nothing runs inside
// another's question, and the general error handler tells what went wrong.

#include "app/requests/RequestScheduler.h"
#include "platform/Dialogs.h"
#include "platform/Questions.h"
#include "platform/Tray.h"
#include "settings/CaptureSettings.h"

#include <deque>
#include <exception>
#include <functional>

class TRequests final : public IQuestions {
public:
    // `run` runs a request once the scheduler lets it start; the countdown's icon and timer are
    // the tray's; the delay is the settings' one.
    TRequests(IDialogs& dialogs, ITray& tray, const TCaptureSettings& settings,
              std::function<void(const TCaptureRequest&)> run)
        : FDialogs(dialogs), FTray(tray), FSettings(settings), FRun(std::move(run)) {}

    // What the scheduler said is run in order; what it says while a request runs (a capture
    // asking its question) waits for that request to return.
    void Schedule(const TSchedulerEvent& event);
    void Request(const TCaptureRequest& request) {
        Schedule({TSchedulerEventKind::Request, request});
    }
    void ScreenUsed(TScreenUse use) { Schedule({TSchedulerEventKind::ScreenUsed, {}, use}); }

    bool Capturing() const { return FState.Capturing; }
    bool Closing() const override { return FState.Closing; }
    // Seconds left of the countdown, 0 while none runs.
    int CountdownLeft() const { return FState.Counted ? FState.Countdown : 0; }

    int Ask(const std::string& text, TBoxKind kind, TBoxButtons buttons) override;
    void WhileDialogOpen(const std::function<void()>& show) override;
    void WhileMenuOpen(const std::function<void()>& show) override;

    // The general error handler: the error's message in a box of ours, nothing on the way out.
    void ShowError(const std::exception_ptr& error) noexcept;

private:
    void Apply(const TSchedulerAction& action);
    void WhileOpen(TSchedulerEventKind opened, TSchedulerEventKind closed,
                   const std::function<void()>& show);

    IDialogs& FDialogs;
    ITray& FTray;
    const TCaptureSettings& FSettings;
    std::function<void(const TCaptureRequest&)> FRun;
    TSchedulerState FState;
    std::deque<TSchedulerAction> FActions; // what the scheduler said, in order
    bool FApplying = false;                // a loop further out applies them
};

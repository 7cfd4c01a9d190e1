#include "app/requests/Requests.h"

#include "base/ErrorReport.h"

#include <algorithm>

void TRequests::Schedule(const TSchedulerEvent& event) {
    FState.Delay = std::clamp(FSettings.Delay, 0, kMaxDelay);
    for (const TSchedulerAction& action : ::Schedule(FState, event)) {
        FActions.push_back(action);
    }
    if (FApplying) {
        return;
    }
    FApplying = true;
    while (!FActions.empty()) {
        const TSchedulerAction action = FActions.front();
        FActions.pop_front();
        Apply(action);
    }
    FApplying = false;
}

void TRequests::Apply(const TSchedulerAction& action) {
    try {
        switch (action.Kind) {
        case TSchedulerActionKind::Run:
            try {
                FRun(action.Request);
            } catch (...) {
                // Told like any other error, and the next request still runs.
                ShowError(std::current_exception());
            }
            Schedule({TSchedulerEventKind::Ran});
            break;
        case TSchedulerActionKind::ShowCountdown:
            FTray.ShowCountdown(
                action.Seconds); // 0: the usual icon, off the screen before the copy
            break;
        case TSchedulerActionKind::StartTimer:
            FTray.SetCountdownTimer(true);
            break;
        case TSchedulerActionKind::StopTimer:
            FTray.SetCountdownTimer(false);
            break;
        }
    } catch (...) {
        ShowError(std::current_exception());
    }
}

int TRequests::Ask(const std::string& text, TBoxKind kind, TBoxButtons buttons) {
    if (Closing()) {
        return mrCancel;
    }
    int answer = mrCancel;
    WhileDialogOpen([&] { answer = FDialogs.ShowMessageBox(text, kind, buttons); });
    return Closing() ? mrCancel : answer;
}

void TRequests::WhileDialogOpen(const std::function<void()>& show) {
    WhileOpen(TSchedulerEventKind::DialogOpened, TSchedulerEventKind::DialogClosed, show);
}

void TRequests::WhileMenuOpen(const std::function<void()>& show) {
    WhileOpen(TSchedulerEventKind::MenuOpened, TSchedulerEventKind::MenuClosed, show);
}

void TRequests::WhileOpen(TSchedulerEventKind opened, TSchedulerEventKind closed,
                          const std::function<void()>& show) {
    Schedule({opened});
    try {
        show();
    } catch (...) {
        Schedule({closed});
        throw;
    }
    Schedule({closed});
}

void TRequests::ShowError(const std::exception_ptr& error) noexcept {
    if (Closing()) {
        return; // nothing is shown on the way out
    }
    try {
        Schedule({TSchedulerEventKind::DialogOpened});
        FDialogs.ShowErrorBox(GeneralErrorText(ExceptionMessage(error)));
    } catch (...) {
        // Nothing more can be told; the program goes on.
    }
    try {
        Schedule({TSchedulerEventKind::DialogClosed});
    } catch (...) {
    }
}

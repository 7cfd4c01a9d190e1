#include "app/MainForm.h"

#include "app/ErrorReport.h"
#include "base/Texts.h"

#include <algorithm>
#include <exception>
#include <utility>

void TMainForm::TrayNotify(TTrayEvent event) {
    switch (event) {
    case TTrayEvent::LeftDown:
        Schedule({TSchedulerEventKind::TrayPress}); // a click on the counting icon cancels
        break;
    case TTrayEvent::DoubleClick:
        Schedule({TSchedulerEventKind::TrayDoubleClick}); // the capture command
        break;
    case TTrayEvent::RightDown:
        OpenTrayMenu();
        break;
    case TTrayEvent::NoticeClicked:
        FTray.NoticeClicked();
        break;
    }
}

void TMainForm::CaptureNowPosted() {
    Schedule({TSchedulerEventKind::Request, {TRequestKind::Posted}});
}

void TMainForm::KeyDecided() {
    const auto decision = FPlatform.KeyWatcher().TakeKeyDecision();
    if (!decision) {
        return;
    }
    if (decision->Escape) {
        if (FScroll.Running()) {
            FinishScroll(TScrollEnd::Stopped);
        }
        return;
    }
    Schedule({TSchedulerEventKind::Request, {TRequestKind::Key, *decision}});
}

void TMainForm::CountdownTick() {
    Schedule({TSchedulerEventKind::Tick});
}

// Every request goes through the scheduler, and only this loop runs what it says, one after the
// other: what it says while the loop runs a request (a capture asking its question) waits here
// for that request to return, so that nothing runs inside another's question.
void TMainForm::Schedule(const TSchedulerEvent& event) {
    FScheduler.Delay = std::clamp(Settings.Delay, 0, kMaxDelay);
    for (const TSchedulerAction& action : ::Schedule(FScheduler, event)) {
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

void TMainForm::Apply(const TSchedulerAction& action) {
    try {
        switch (action.Kind) {
        case TSchedulerActionKind::Run:
            try {
                RunRequest(action.Request);
            } catch (...) {
                HandleException(); // told like any other error, and the next request still runs
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
        HandleException();
    }
}

void TMainForm::RunRequest(const TCaptureRequest& request) {
    switch (request.Kind) {
    case TRequestKind::Command:
        mnCaptureClick();
        break;
    case TRequestKind::Posted:
        CaptureNow();
        break;
    case TRequestKind::Key:
        ApplyKeyDecision(request.Key);
        break;
    case TRequestKind::Select:
        mnPositionClick();
        break;
    case TRequestKind::Scroll:
        OpenFrozenScreen(TFrozenPurpose::Scroll);
        break;
    case TRequestKind::SavePin:
        SavePin(request.Pin);
        break;
    }
}

void TMainForm::OpenTrayMenu() {
    Schedule({TSchedulerEventKind::MenuOpened});
    TMenuCommand command = TMenuCommand::None;
    try {
        command = FTray.TrackMenu();
    } catch (...) {
        Schedule({TSchedulerEventKind::MenuClosed});
        throw;
    }
    if (command == TMenuCommand::Exit) {
        mnExitClick(); // before what waited for the menu could start
    }
    Schedule({TSchedulerEventKind::MenuClosed});
    RunMenuCommand(command);
}

void TMainForm::RunMenuCommand(TMenuCommand command) {
    switch (command) {
    case TMenuCommand::Position:
        Schedule({TSchedulerEventKind::Request, {TRequestKind::Select}});
        break;
    case TMenuCommand::Capture:
        Schedule({TSchedulerEventKind::Request, {TRequestKind::Command}});
        break;
    case TMenuCommand::Option:
        mnOptionClick();
        break;
    case TMenuCommand::ScrollCapture:
        Schedule({TSchedulerEventKind::Request, {TRequestKind::Scroll}});
        break;
    case TMenuCommand::CloseAllPins:
        RunPinCommand(0, TPinCommand::CloseAll);
        break;
    case TMenuCommand::Exit:
        if (!Closing()) {
            mnExitClick();
        }
        break;
    case TMenuCommand::Delay0:
    case TMenuCommand::Delay3:
    case TMenuCommand::Delay5:
    case TMenuCommand::Delay10:
        for (const auto& [item, seconds] : kMenuDelays) {
            if (item == command) {
                Settings.Delay = seconds;
            }
        }
        FTray.CheckDelay(Settings.Delay);
        SaveSettings(); // at once, as the options' OK saves; a refused write is told
        break;
    case TMenuCommand::None:
        break;
    }
}

int TMainForm::Ask(const std::string& text, TBoxKind kind, TBoxButtons buttons) {
    if (Closing()) {
        return mrCancel;
    }
    Schedule({TSchedulerEventKind::DialogOpened});
    int answer = mrCancel;
    try {
        answer = FPlatform.Dialogs().ShowMessageBox(text, kind, buttons);
    } catch (...) {
        Schedule({TSchedulerEventKind::DialogClosed});
        throw;
    }
    Schedule({TSchedulerEventKind::DialogClosed});
    return Closing() ? mrCancel : answer;
}

void TMainForm::ShowError(const std::exception_ptr& error) noexcept {
    if (Closing()) {
        return; // nothing is shown on the way out
    }
    try {
        Schedule({TSchedulerEventKind::DialogOpened});
        FPlatform.Dialogs().ShowErrorBox(GeneralErrorText(ExceptionMessage(error)));
    } catch (...) {
        // Nothing more can be told; the program goes on.
    }
    try {
        Schedule({TSchedulerEventKind::DialogClosed});
    } catch (...) {
    }
}

void TMainForm::HandleException() noexcept {
    ShowError(std::current_exception());
}

void TMainForm::HandBackgroundError(std::exception_ptr error) noexcept {
    if (FBackgroundErrors.Hand(std::move(error))) {
        FPlatform.Loop().PostBackgroundError();
    }
}

void TMainForm::BackgroundErrorPosted() {
    if (const std::exception_ptr error = FBackgroundErrors.Take()) {
        ShowError(error);
    }
}

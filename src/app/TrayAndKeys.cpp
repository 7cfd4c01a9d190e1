#include "app/MainForm.h"

#include "app/ErrorReport.h"
#include "base/Texts.h"
#include "platform/Messages.h"
#include "settings/IniFile.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <exception>
#include <utility>

void TMainForm::AddTrayIcon() {
    if (FInTray) {
        return;
    }
    FPlatform.AddTrayIcon();
    FInTray = true; // whatever the shell made of it
}

void TMainForm::DeleteTrayIcon() {
    if (!FInTray) {
        return;
    }
    FPlatform.DeleteTrayIcon();
    FInTray = false;
}

void TMainForm::HideToTray() {
    AddTrayIcon();
    FPlatform.HideMainWindow();
    FVisible = false;
}

bool TMainForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_TRAYNOTIFY:
        if (message.LParam == kMouseLeftDoubleClick) {
            Request({TRequestKind::Command});
        } else if (message.LParam == kMouseLeftDown && FCountdown > 0) {
            CancelCountdown(); // a click on the counting icon
        } else if (message.LParam == kMouseRightDown) {
            OpenTrayMenu();
        } else if (message.LParam == kNoticeClicked) {
            NoticeClicked();
        }
        return true; // other mouse activity is not passed on either
    case WM_CAPTURENOW:
        Request({TRequestKind::Posted});
        return true;
    case WM_KEYDECISION:
        if (const auto decision = FPlatform.TakeKeyDecision()) {
            Request({TRequestKind::Key, *decision});
        }
        return true;
    case WM_TIMER_MESSAGE:
        if (message.WParam != kCountdownTimer) {
            return false;
        }
        CountdownTick();
        return true;
    case WM_BACKGROUNDERROR:
        ReportBackgroundError();
        return true;
    case WM_TEXTENTRYENDED:
        FinishTyping();
        return true;
    case WM_CLOSE_MESSAGE:
        Close();
        return true;
    case WM_ENDSESSION_MESSAGE:
        if (message.WParam != 0) {
            EndSession();
        }
        return false; // the standard handling answers it too
    case WM_MOUSEMOVE_MESSAGE:
    case WM_LBUTTONDOWN_MESSAGE:
    case WM_LBUTTONUP_MESSAGE:
    case WM_RBUTTONDOWN_MESSAGE:
    case WM_RBUTTONUP_MESSAGE:
    case WM_MBUTTONDOWN_MESSAGE:
    case WM_MBUTTONUP_MESSAGE: {
        // Positions are signed 16-bit: with the pointer captured they can be negative.
        const auto x = static_cast<std::int16_t>(message.LParam & 0xFFFF);
        const auto y = static_cast<std::int16_t>((message.LParam >> 16) & 0xFFFF);
        const auto shift = static_cast<std::uint32_t>(message.WParam);
        const auto button = message.Msg <= WM_LBUTTONUP_MESSAGE   ? TMouseButton::Left
                            : message.Msg <= WM_RBUTTONUP_MESSAGE ? TMouseButton::Right
                                                                  : TMouseButton::Middle;
        if (message.Msg == WM_MOUSEMOVE_MESSAGE) {
            FormMouseMove(shift, x, y);
        } else if (message.Msg == WM_LBUTTONDOWN_MESSAGE || message.Msg == WM_RBUTTONDOWN_MESSAGE ||
                   message.Msg == WM_MBUTTONDOWN_MESSAGE) {
            FormMouseDown(button, shift, x, y);
        } else {
            FormMouseUp(button, shift, x, y);
        }
        return true;
    }
    case WM_KEYDOWN_MESSAGE: {
        auto key = static_cast<std::uint16_t>(message.WParam);
        FormKeyDown(key, FPlatform.ModifierKeys());
        return true;
    }
    default:
        return false;
    }
}

void TMainForm::HandleException() noexcept {
    try {
        FPlatform.ShowErrorBox(GeneralErrorText(ExceptionMessage(std::current_exception())));
    } catch (...) {
        // Nothing more can be told; the program goes on.
    }
}

void TMainForm::HandBackgroundError(std::exception_ptr error) noexcept {
    {
        const std::lock_guard lock(FBackgroundLock);
        if (FBackgroundError || FBackgroundErrorHanded) {
            return; // told once
        }
        FBackgroundError = std::move(error);
    }
    FPlatform.PostToMainWindow(WM_BACKGROUNDERROR);
}

void TMainForm::ReportBackgroundError() {
    std::exception_ptr error;
    {
        const std::lock_guard lock(FBackgroundLock);
        error = std::exchange(FBackgroundError, nullptr);
        FBackgroundErrorHanded = FBackgroundErrorHanded || error;
    }
    if (error) {
        try {
            FPlatform.ShowErrorBox(GeneralErrorText(ExceptionMessage(error)));
        } catch (...) {
            // Nothing more can be told; the program goes on.
        }
    }
}

// Over the overlay the keys (and posted requests, the keys' own message) do nothing, nor does
// anything while a region is being dragged: half a region is none. Before a press the tray's
// capture command still captures, as the tray answers while the overlay is up.
bool TMainForm::MayRunNow(const TCaptureRequest& request) const {
    if (FCaptureRunning) {
        return false;
    }
    return !FVisible || (request.Kind == TRequestKind::Command && !FDragging && !FMarkup);
}

void TMainForm::Request(const TCaptureRequest& request) {
    if (FVisible && (request.Kind != TRequestKind::Command || FDragging || FMarkup)) {
        return;
    }
    if (FCountdown > 0) {
        return; // the countdown's own capture runs; nothing more starts
    }
    if (Settings.Delay > 0 && !FCaptureRunning && FPendingRequests.empty() && !FVisible) {
        // The screen is copied (or frozen, for a new region) when the delay has run out.
        FCountdown = std::clamp(Settings.Delay, 1, kMaxDelay);
        FCountdownRequest = request;
        FPlatform.ShowCountdown(FCountdown);
        FPlatform.SetCountdownTimer(true);
        return;
    }
    FPendingRequests.push_back(request);
    RunPendingRequests();
}

void TMainForm::CountdownTick() {
    if (FCountdown <= 0) {
        return;
    }
    if (--FCountdown > 0) {
        FPlatform.ShowCountdown(FCountdown);
        return;
    }
    FPlatform.SetCountdownTimer(false);
    FPlatform.ShowCountdown(0); // the usual icon, off the screen before the copy
    FPendingRequests.push_back(FCountdownRequest);
    RunPendingRequests();
}

void TMainForm::CancelCountdown() {
    FCountdown = 0;
    FPlatform.SetCountdownTimer(false);
    FPlatform.ShowCountdown(0);
}

// Requests run one after the other, here and never inside a capture's question: one that
// comes while a question is open waits in the queue for the capture asking it to end.
void TMainForm::RunPendingRequests() noexcept {
    if (FCaptureRunning || FRunningRequests) {
        return; // the capture, or the loop below, runs it when its turn comes
    }
    FRunningRequests = true;
    // The region item opens the overlay and returns: what waits behind it runs once it has gone.
    while (!FPendingRequests.empty() && MayRunNow(FPendingRequests.front())) {
        const TCaptureRequest next = FPendingRequests.front();
        FPendingRequests.pop_front();
        try {
            RunRequest(next);
        } catch (...) {
            HandleException(); // told like any other error, and the next request still runs
        }
    }
    FRunningRequests = false;
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
    }
}

void TMainForm::OpenTrayMenu() {
    RunMenuCommand(FPlatform.TrackTrayMenu());
}

void TMainForm::RunMenuCommand(TMenuCommand command) {
    switch (command) {
    case TMenuCommand::Position:
        Request({TRequestKind::Select});
        break;
    case TMenuCommand::Capture:
        Request({TRequestKind::Command});
        break;
    case TMenuCommand::Option:
        mnOptionClick();
        break;
    case TMenuCommand::Exit:
        mnExitClick();
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
        FPlatform.SetMenuDelay(Settings.Delay);
        SaveSettings(); // at once, as the options' OK saves; a refused write is told
        break;
    case TMenuCommand::None:
        break;
    }
}

void TMainForm::FollowSettings() {
    const TKeyBindings bindings = KeyBindingsOf(Settings);
    const auto keyOf = [&](TKeyAction action) {
        for (const TKeyBinding& binding : bindings) {
            if (binding.Action == action) {
                return binding.Chord;
            }
        }
        return TKeyChord{};
    };
    FPlatform.SetMenuKeys(KeyChordText(keyOf(TKeyAction::SelectRegion)),
                          KeyChordText(keyOf(TKeyAction::Capture)));
    FPlatform.SetMenuDelay(Settings.Delay);
    if (bindings.empty()) {
        RemoveKeyWatcher();
        return;
    }
    FKeyWatcherInstalled = FPlatform.InstallKeyWatcher(bindings); // a failure is not reported
}

void TMainForm::AskAboutSystemPrintScreen() {
    const TKeyBindings bindings = KeyBindingsOf(Settings);
    const bool printScreen =
        std::any_of(bindings.begin(), bindings.end(), [](const TKeyBinding& binding) {
            return binding.Chord.VirtualKey == kVkPrintScreen;
        });
    if (Settings.PrintScreenAsked || !printScreen || FPlatform.SystemPrintScreenCapture() != true) {
        return;
    }
    if (FPlatform.ShowMessageBox(Text(TText::SnippingQuestion), TBoxKind::Warning,
                                 TBoxButtons::YesNo) == mrYes &&
        !FPlatform.TurnOffSystemPrintScreenCapture()) {
        FPlatform.ShowMessageBox(Text(TText::SnippingFailed), TBoxKind::Warning, TBoxButtons::Ok);
    }
    // Either answer is kept, so the question never comes again for this file.
    Settings.PrintScreenAsked = true;
    try {
        if (FIniFile) {
            FIniFile->WriteSwitch(std::string(kKeysSection), "PrintScreenAsked", true);
        }
    } catch (...) {
        // Not kept: the question comes again at the next start, and nothing else is lost.
    }
}

void TMainForm::RemoveKeyWatcher() {
    if (FKeyWatcherInstalled) {
        FPlatform.RemoveKeyWatcher();
        FKeyWatcherInstalled = false;
    }
}

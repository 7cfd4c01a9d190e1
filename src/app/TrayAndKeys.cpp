#include "app/MainForm.h"

#include "app/ErrorReport.h"
#include "platform/Messages.h"

#include <exception>

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

void TMainForm::RestoreFromTray() {
    DeleteTrayIcon();
    FPlatform.ShowMainWindow(FWindowState);
    FVisible = true;
}

bool TMainForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_TRAYNOTIFY:
        if (message.LParam == kMouseLeftDoubleClick) {
            mnCaptureClick();
        } else if (message.LParam == kMouseRightDown) {
            OpenTrayMenu();
        } else if (message.LParam == kNoticeClicked) {
            NoticeClicked();
        }
        return true; // other mouse activity is not passed on either
    case WM_CAPTURENOW:
        CaptureNow();
        return true;
    case WM_KEYDECISION:
        if (const auto decision = FPlatform.TakeKeyDecision()) {
            ApplyKeyDecision(*decision);
        }
        return true;
    case WM_CLOSE_MESSAGE:
        Close();
        return true;
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

void TMainForm::OpenTrayMenu() {
    RunMenuCommand(FPlatform.TrackTrayMenu());
}

void TMainForm::RunMenuCommand(TMenuCommand command) {
    switch (command) {
    case TMenuCommand::Position:
        mnPositionClick();
        break;
    case TMenuCommand::Capture:
        mnCaptureClick();
        break;
    case TMenuCommand::Option:
        mnOptionClick();
        break;
    case TMenuCommand::Exit:
        mnExitClick();
        break;
    case TMenuCommand::None:
        break;
    }
}

void TMainForm::InstallKeyWatcher() {
    if (!FKeyWatcherInstalled) {
        FKeyWatcherInstalled = FPlatform.InstallKeyWatcher(); // a failure is not reported
    }
}

void TMainForm::RemoveKeyWatcher() {
    if (FKeyWatcherInstalled) {
        FPlatform.RemoveKeyWatcher();
        FKeyWatcherInstalled = false;
    }
}

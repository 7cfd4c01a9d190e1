#include "app/MainForm.h"

#include "base/PathText.h"
#include "settings/SettingsTable.h"

#include <exception>

TMainForm::TMainForm(IPlatform& platform)
    : FPlatform(platform),
      FRequests(platform.Dialogs(), platform.Tray(), FSettings,
                [this](const TCaptureRequest& request) { RunRequest(request); }),
      FTray(platform.Tray(), platform.Overlay(), platform.KeyWatcher()),
      FNotice(platform.Tray(), platform.Shell()),
      FCapture(platform.Display(), platform.Tray(), platform.Shell(), platform.Files(), FSettings,
               FRequests, FNotice),
      FOptions(platform.Dialogs(), platform.Shell(), platform.Files(), FSettings, FRequests),
      FSelection(platform.Display(), platform.Overlay()),
      FRegionChoice(FSelection, TFrozenSays::Region),
      FScrollChoice(FSelection, TFrozenSays::Rectangle), FTextChoice(FSelection, TFrozenSays::Read),
      FMarkup(platform.Overlay()), FMarking(FMarkup, platform.Display()),
      FScroll(platform.Display(), platform.Scrolling(), platform.Pins(), platform.Tray(),
              platform.KeyWatcher()),
      FPins(platform.Pins()), FText(platform.TextReader(), platform.Loop()),
      FSweeps(platform.Files(), [this](std::exception_ptr error) { HandBackgroundError(error); }) {
    FCapture.OnCounted([this] { FOptions.ShowSerialNo(FCapture.SerialNo()); });
}

void TMainForm::FormCreate() {
    FCapture.StartAfresh();
    FWindowState = TWindowState::Maximized;
    FTray.HideToTray();
    // Start-up goes through whatever the settings file holds: should reading it fail, the
    // defaults apply and the key watcher follows them; the failure is told afterwards.
    std::exception_ptr failure;
    try {
        FOptions.OpenFile();
    } catch (...) {
        failure = std::current_exception();
        FOptions.UseDefaults();
    }
    FTray.FollowSettings(FSettings);
    FSweeps.Sweep({ExtractFolder(FPlatform.Shell().ExecutablePath()), FSettings.Path});
    FOptions.AskAboutSystemPrintScreen(FPlatform.KeyWatcher());
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TMainForm::FormCloseQuery(bool& canClose) {
    FTray.HideToTray();
    canClose = true;
}

// Closing drops what waits and abandons an open question's capture: nothing more is written
// or shown on the way out.
void TMainForm::Close() {
    FRequests.Schedule({TSchedulerEventKind::Close});
    FScroll.Abandon(); // a page being scrolled is dropped
    FText.Cancel();    // and text being read
    FPins.CloseAll();
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose) {
        FPlatform.Loop().Quit();
    }
}

void TMainForm::FormDestroy() {
    // The watcher goes whatever else fails here: a hook left behind would outlive us.
    struct TRemoveWatcher {
        TTray& Tray;
        ~TRemoveWatcher() { Tray.RemoveKeyWatcher(); }
    } removeWatcher{FTray};
    FRequests.Schedule({TSchedulerEventKind::Close});
    FScroll.Abandon();
    FText.CancelAndWait();
    // The window stays hidden to the end; the icon goes first, so nothing of Quorlan shows
    // while the sweeps finish and the clipboard is rendered.
    FTray.DeleteTrayIcon();
    FSweeps.JoinAll();
    FOptions.CloseFile();
}

void TMainForm::SessionEnding() {
    FRequests.Schedule({TSchedulerEventKind::Close});
    FScroll.Abandon(); // nothing is saved on the way out
    FText.Cancel();
    FTray.DeleteTrayIcon();
    FTray.RemoveKeyWatcher();
}

void TMainForm::mnOptionClick() {
    FOptions.RunDialog(FCapture.SerialNo(), [this](std::int32_t serialNo, bool newFolder) {
        FCapture.SetSerialNo(serialNo);
        FTray.FollowSettings(FSettings);
        if (newFolder) {
            FSweeps.Sweep({FSettings.Path}); // captures never search their folder themselves
        }
        FOptions.Save(); // a refused write reaches the general error handler; the values stay
    });
}

void TMainForm::HandleException() noexcept {
    FRequests.ShowError(std::current_exception());
}

void TMainForm::HandBackgroundError(std::exception_ptr error) noexcept {
    if (FBackgroundErrors.Hand(std::move(error))) {
        FPlatform.Loop().PostBackgroundError();
    }
}

void TMainForm::BackgroundErrorPosted() {
    if (const std::exception_ptr error = FBackgroundErrors.Take()) {
        FRequests.ShowError(error);
    }
}

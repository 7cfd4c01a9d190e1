#include "app/MainForm.h"

#include "base/PathText.h"
#include "base/Texts.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"
#include "settings/SettingsStore.h"

#include <exception>
#include <string>
#include <vector>

TMainForm::TMainForm(IPlatform& platform)
    : OptionForm(platform), FPositionCaption(Text(TText::MenuPosition)), FPlatform(platform),
      FPositionItemCaption(FPositionCaption) {}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    FSerialNo = 1;
    FPositionCaption = FPositionItemCaption;
    FWindowState = TWindowState::Maximized;
    HideToTray();
    // Start-up goes through whatever the settings file holds: should reading it fail, the
    // defaults apply and the key watcher follows them; the failure is told afterwards.
    std::exception_ptr failure;
    try {
        OpenSettings();
    } catch (...) {
        failure = std::current_exception();
        Settings = TCaptureSettings{};
        if (auto pictures = FPlatform.SpecialFolder(TSpecialFolder::Pictures)) {
            Settings.Path = EnsureFinalBackslash(*pictures);
        }
    }
    FollowSettings();
    SweepLeftovers({ExtractFolder(FPlatform.ExecutablePath()), Settings.Path});
    AskAboutSystemPrintScreen();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TMainForm::SweepLeftovers(std::vector<std::string> folders) {
    // Temporaries of saves that a killed Quorlan left go off this thread: a large folder takes
    // a while to search, and nothing waits for it (a save of ours never meets their names).
    auto sweep = [this, folders = std::move(folders)] {
        try {
            for (const std::string& folder : folders) {
                FPlatform.Files().RemoveLeftovers(folder);
            }
        } catch (...) {
            HandBackgroundError(std::current_exception());
        }
    };
    try {
        FLeftoverSweeps.emplace_back(std::move(sweep));
    } catch (...) {
        // No thread to be had: the leftovers wait for the next start.
    }
}

void TMainForm::FormCloseQuery(bool& canClose) {
    HideToTray();
    canClose = true;
}

void TMainForm::Close() {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose) {
        FPlatform.Quit();
    }
}

void TMainForm::FormDestroy() {
    // The watcher goes whatever else fails here: a hook left behind would outlive us.
    struct TRemoveWatcher {
        TMainForm& Form;
        ~TRemoveWatcher() { Form.RemoveKeyWatcher(); }
    } removeWatcher{*this};
    // The window stays hidden to the end; the icon goes first, so nothing of Quorlan shows
    // while the sweeps finish and the clipboard is rendered.
    FPendingRequests.clear();
    if (FCountdown > 0) {
        FCountdown = 0;
        FPlatform.SetCountdownTimer(false);
    }
    DeleteTrayIcon();
    FLeftoverSweeps.clear(); // each joined
    FIniFile.reset();
}

void TMainForm::EndSession() {
    FPendingRequests.clear();
    DeleteTrayIcon();
    RemoveKeyWatcher();
}

void TMainForm::OpenSettings() {
    FIniFile =
        std::make_unique<TIniFile>(SettingsFilePath(FPlatform.ExecutablePath()), FPlatform.Files());
    LoadSettings();
}

void TMainForm::LoadSettings() {
    if (FIniFile) {
        Settings = ::LoadSettings(*FIniFile, FPlatform);
    }
}

void TMainForm::SaveSettings() {
    if (FIniFile) {
        ::SaveSettings(Settings, *FIniFile);
    }
}

void TMainForm::mnExitClick() {
    Close();
}

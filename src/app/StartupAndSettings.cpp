#include "app/MainForm.h"

#include "base/PathText.h"
#include "base/Texts.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

TMainForm::TMainForm(IPlatform& platform)
    : OptionForm(platform.Dialogs(), platform.Shell()), FPositionCaption(Text(TText::MenuPosition)),
      FPlatform(platform), FPositionItemCaption(FPositionCaption),
      FTray(platform.Tray(), platform.Shell()), FSelection(platform.Display(), platform.Overlay()),
      FMarkup(platform.Overlay()),
      FScroll(platform.Display(), platform.Scrolling(), platform.Pins(), platform.Tray()),
      FPins(platform.Pins()) {}

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
        if (auto pictures = FPlatform.Shell().SpecialFolder(TSpecialFolder::Pictures)) {
            Settings.Path = EnsureFinalBackslash(*pictures);
        }
    }
    FollowSettings();
    SweepLeftovers({ExtractFolder(FPlatform.Shell().ExecutablePath()), Settings.Path});
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

void TMainForm::HideToTray() {
    AddTrayIcon();
    FPlatform.Overlay().HideMainWindow();
}

void TMainForm::FormCloseQuery(bool& canClose) {
    HideToTray();
    canClose = true;
}

// Closing drops what waits and abandons an open question's capture: nothing more is written
// or shown on the way out.
void TMainForm::Close() {
    Schedule({TSchedulerEventKind::Close});
    AbandonScroll(); // a page being scrolled is dropped
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
        TMainForm& Form;
        ~TRemoveWatcher() { Form.RemoveKeyWatcher(); }
    } removeWatcher{*this};
    Schedule({TSchedulerEventKind::Close});
    AbandonScroll();
    // The window stays hidden to the end; the icon goes first, so nothing of Quorlan shows
    // while the sweeps finish and the clipboard is rendered.
    DeleteTrayIcon();
    FLeftoverSweeps.clear(); // each joined
    FIniFile.reset();
}

void TMainForm::SessionEnding() {
    Schedule({TSchedulerEventKind::Close});
    AbandonScroll(); // nothing is saved on the way out
    DeleteTrayIcon();
    RemoveKeyWatcher();
}

void TMainForm::OpenSettings() {
    FIniFile = std::make_unique<TIniFile>(SettingsFilePath(FPlatform.Shell().ExecutablePath()),
                                          FPlatform.Files());
    LoadSettings();
}

void TMainForm::LoadSettings() {
    if (FIniFile) {
        Settings = ::LoadSettings(*FIniFile, FPlatform.Files(), FPlatform.Shell());
    }
}

void TMainForm::SaveSettings() {
    if (FIniFile) {
        ::SaveSettings(Settings, *FIniFile);
    }
}

void TMainForm::FollowSettings() {
    const TKeyBindings bindings = KeyBindingsOf(Settings);
    FTray.ShowKeys(bindings);
    FTray.CheckDelay(Settings.Delay);
    if (bindings.empty()) {
        RemoveKeyWatcher();
        return;
    }
    // A failure is not reported.
    FKeyWatcherInstalled = FPlatform.KeyWatcher().InstallKeyWatcher(bindings);
}

void TMainForm::RemoveKeyWatcher() {
    if (FKeyWatcherInstalled) {
        FPlatform.KeyWatcher().RemoveKeyWatcher();
        FKeyWatcherInstalled = false;
    }
}

// Once for a settings file, when a key in use is PrintScreen and Windows takes that key for its
// own screen capture: whether to turn that off.
void TMainForm::AskAboutSystemPrintScreen() {
    const TKeyBindings bindings = KeyBindingsOf(Settings);
    const bool printScreen =
        std::any_of(bindings.begin(), bindings.end(), [](const TKeyBinding& binding) {
            return binding.Chord.VirtualKey == kKeyPrintScreen;
        });
    IKeyWatcher& watcher = FPlatform.KeyWatcher();
    if (Settings.PrintScreenAsked || !printScreen || watcher.SystemPrintScreenCapture() != true) {
        return;
    }
    if (Ask(Text(TText::SnippingQuestion), TBoxKind::Warning, TBoxButtons::YesNo) == mrYes &&
        !watcher.TurnOffSystemPrintScreenCapture()) {
        Ask(Text(TText::SnippingFailed), TBoxKind::Warning, TBoxButtons::Ok);
    }
    if (Closing()) {
        return;
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

#include "app/options/Options.h"

#include "base/PathText.h"
#include "base/Texts.h"
#include "settings/PathRules.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <string>

void TOptions::OpenFile() {
    FFile = std::make_unique<TIniFile>(SettingsFilePath(FShell.ExecutablePath()), FFiles);
    Load();
}

void TOptions::UseDefaults() {
    FSettings = TCaptureSettings{};
    if (auto pictures = FShell.SpecialFolder(TSpecialFolder::Pictures)) {
        FSettings.Path = EnsureFinalBackslash(*pictures);
    }
}

void TOptions::Load() {
    if (FFile) {
        FSettings = LoadSettings(*FFile, FFiles, FShell);
    }
}

void TOptions::Save() {
    if (FFile) {
        SaveSettings(FSettings, *FFile);
    }
}

void TOptions::AskAboutSystemPrintScreen(IKeyWatcher& watcher) {
    const TKeyBindings bindings = KeyBindingsOf(FSettings);
    const bool printScreen =
        std::any_of(bindings.begin(), bindings.end(), [](const TKeyBinding& binding) {
            return binding.Chord.VirtualKey == kKeyPrintScreen;
        });
    if (FSettings.PrintScreenAsked || !printScreen || watcher.SystemPrintScreenCapture() != true) {
        return;
    }
    if (FQuestions.Ask(Text(TText::SnippingQuestion), TBoxKind::Warning, TBoxButtons::YesNo) ==
            mrYes &&
        !watcher.TurnOffSystemPrintScreenCapture()) {
        FQuestions.Ask(Text(TText::SnippingFailed), TBoxKind::Warning, TBoxButtons::Ok);
    }
    if (FQuestions.Closing()) {
        return;
    }
    // Either answer is kept, so the question never comes again for this file.
    FSettings.PrintScreenAsked = true;
    try {
        if (FFile) {
            FFile->WriteSwitch(std::string(kKeysSection), "PrintScreenAsked", true);
        }
    } catch (...) {
        // Not kept: the question comes again at the next start, and nothing else is lost.
    }
}

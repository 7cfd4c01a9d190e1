#include "app/MainForm.h"

#include "base/Texts.h"
#include "platform/Platform.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"
#include "settings/SettingsStore.h"

TMainForm::TMainForm(IPlatform& platform)
    : FPositionCaption(Text(TText::MenuPosition)), FPlatform(platform),
      FPositionItemCaption(FPositionCaption) {}

TMainForm::~TMainForm() = default;

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

void TMainForm::ShowRegionInCaption() {
    FPositionItemCaption = FPositionCaption + "(" + std::to_string(FRegion.Left) + "," +
                           std::to_string(FRegion.Top) + "," + std::to_string(FRegion.Right) + "," +
                           std::to_string(FRegion.Bottom) + ")";
}

#include "settings/SettingsTable.h"

TCaptureSettings::TCaptureSettings() {
    for (const TSettingRow& row : kSettingRows) {
        std::visit(
            [this](const auto& setting) {
                using T = std::decay_t<decltype(setting)>;
                if constexpr (std::is_same_v<T, TTextSetting>) {
                    this->*setting.Field = std::string();
                } else {
                    this->*setting.Field = setting.Default;
                }
            },
            row.Value);
    }
}

TKeyBindings KeyBindingsOf(const TCaptureSettings& settings) {
    TKeyChord chords[kKeyActionCount];
    for (int i = 0; i < kKeyActionCount; ++i) {
        chords[i] = settings.*kActionKeys[i];
    }
    // Each PrintScreen switch governs its own key; the keys added since have no switch.
    const bool on[kKeyActionCount] = {settings.SavePrtScrKey, settings.SaveAltPrtScrKey, true,
                                      true};
    return ActiveBindings(chords, on);
}

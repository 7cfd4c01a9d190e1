#include "settings/SettingsTable.h"

TCaptureSettings::TCaptureSettings() {
    for (const TSettingRow& row : kSettingRows) {
        std::visit(
            [this](const auto& setting) {
                using T = std::decay_t<decltype(setting)>;
                if constexpr (std::is_same_v<T, TTextSetting>) {
                    this->*setting.Field = setting.Rule == TTextRule::Languages
                                               ? std::string(kDefaultOcrLanguages)
                                               : std::string();
                } else {
                    this->*setting.Field = setting.Default;
                }
            },
            row.Value);
    }
}

TActionKeys ActionKeysOf(const TCaptureSettings& settings) {
    TActionKeys keys;
    for (int i = 0; i < kKeyActionCount; ++i) {
        keys[i] = settings.*kActionKeys[i];
    }
    return keys;
}

// Each PrintScreen switch governs its own key; the keys added since have no switch.
TActionsOn ActionsOnOf(const TCaptureSettings& settings) {
    TActionsOn on;
    for (int i = 0; i < kKeyActionCount; ++i) {
        const std::string_view key = kKeyActions[i].Switch;
        on[i] = key.empty() || settings.**SwitchSetting(key);
    }
    return on;
}

TKeyBindings KeyBindingsOf(const TCaptureSettings& settings) {
    return ActiveBindings(ActionKeysOf(settings), ActionsOnOf(settings));
}

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

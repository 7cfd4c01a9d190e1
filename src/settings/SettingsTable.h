#pragma once

#include "keys/KeyActions.h"
#include "settings/CaptureSettings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Every setting is one row here: where the file keeps it, the field it fills, how its value is
// read and checked, and its default. Loading and saving walk the rows in this order, the order
// in which a save writes the keys: the first settings Quorlan ever had, then later ones, so
// that an older Quorlan reads a newer file as it always did and leaves the rest alone.

// Texts with a check of their own: the capture folder (an existing folder, else the user's
// pictures folder, with a final "\") and the prefix (a usable one, else empty).
enum class TTextRule { Path, Prefix, Languages };
struct TTextSetting {
    std::string TCaptureSettings::*Field;
    TTextRule Rule;
};

// A number out of range is pulled to the nearest bound, or falls back to the default.
enum class TOutOfRange { NearestBound, Default };
struct TNumberSetting {
    std::int32_t TCaptureSettings::*Field;
    std::int32_t Default;
    std::int32_t Min;
    std::int32_t Max;
    TOutOfRange OutOfRange;
};

// "1" or "0"; any number other than 0 reads as on.
struct TSwitchSetting {
    bool TCaptureSettings::*Field;
    bool Default;
};

// A key as text ("Ctrl+PrintScreen", empty for none); one that cannot be read, or cannot be one
// of Quorlan's keys (a typing key alone), is the default.
struct TKeySetting {
    TKeyChord TCaptureSettings::*Field;
    TKeyChord Default;
};

struct TSettingRow {
    std::string_view Section;
    std::string_view Key;
    std::variant<TTextSetting, TNumberSetting, TSwitchSetting, TKeySetting> Value;
};

inline constexpr std::string_view kFileSection = "File";
inline constexpr std::string_view kImageSection = "Image";
inline constexpr std::string_view kKeysSection = "Keys";

inline constexpr std::array kSettingRows = {
    TSettingRow{kFileSection, "Path", TTextSetting{&TCaptureSettings::Path, TTextRule::Path}},
    TSettingRow{kFileSection, "Prefix", TTextSetting{&TCaptureSettings::Prefix, TTextRule::Prefix}},
    TSettingRow{kFileSection, "DateFormat",
                TNumberSetting{&TCaptureSettings::DateFormat, 0, kMinDateFormat, kMaxDateFormat,
                               TOutOfRange::NearestBound}},
    TSettingRow{kFileSection, "Digit",
                TNumberSetting{&TCaptureSettings::Digit, 4, kMinDigit, kMaxDigit,
                               TOutOfRange::NearestBound}},
    TSettingRow{kFileSection, "CaptAtSameTime",
                TSwitchSetting{&TCaptureSettings::CaptAtSameTime, true}},
    TSettingRow{kFileSection, "SavePrtScrKey",
                TSwitchSetting{&TCaptureSettings::SavePrtScrKey, true}},
    TSettingRow{kFileSection, "SaveAltPrtScrKey",
                TSwitchSetting{&TCaptureSettings::SaveAltPrtScrKey, true}},
    TSettingRow{kFileSection, "IsUpdate", TSwitchSetting{&TCaptureSettings::IsUpdate, true}},
    TSettingRow{kFileSection, "ExecApplication",
                TSwitchSetting{&TCaptureSettings::ExecApplication, false}},
    TSettingRow{kImageSection, "Type",
                TNumberSetting{&TCaptureSettings::ImageType, itBmp, 0, kImageTypeCount - 1,
                               TOutOfRange::Default}},
    TSettingRow{kImageSection, "Bit",
                TNumberSetting{&TCaptureSettings::ImageBit, 3, 0, kImageBitCount - 1,
                               TOutOfRange::Default}},
    // Later versions' keys.
    TSettingRow{kFileSection, "CopyToClipboard",
                TSwitchSetting{&TCaptureSettings::CopyToClipboard, false}},
    TSettingRow{kFileSection, "NotifySaved", TSwitchSetting{&TCaptureSettings::NotifySaved, false}},
    TSettingRow{kFileSection, "Magnifier", TSwitchSetting{&TCaptureSettings::Magnifier, true}},
    TSettingRow{kFileSection, "Delay",
                TNumberSetting{&TCaptureSettings::Delay, 0, 0, kMaxDelay, TOutOfRange::Default}},
    TSettingRow{kFileSection, "CaptureCursor",
                TSwitchSetting{&TCaptureSettings::CaptureCursor, false}},
    TSettingRow{kFileSection, "Markup", TSwitchSetting{&TCaptureSettings::Markup, false}},
    TSettingRow{kFileSection, "ScrollMaxHeight",
                TNumberSetting{&TCaptureSettings::ScrollMaxHeight, 30000, kMinScrollHeight,
                               kMaxScrollHeight, TOutOfRange::NearestBound}},
    // The keys, in the order of their actions: a key two of them share goes to the first.
    TSettingRow{kKeysSection, kKeyActions[0].FileKey,
                TKeySetting{&TCaptureSettings::Capture, kKeyActions[0].Default}},
    TSettingRow{kKeysSection, kKeyActions[1].FileKey,
                TKeySetting{&TCaptureSettings::CaptureWindow, kKeyActions[1].Default}},
    TSettingRow{kKeysSection, kKeyActions[2].FileKey,
                TKeySetting{&TCaptureSettings::SelectRegion, kKeyActions[2].Default}},
    TSettingRow{kKeysSection, kKeyActions[3].FileKey,
                TKeySetting{&TCaptureSettings::CaptureScreen, kKeyActions[3].Default}},
    TSettingRow{kKeysSection, "PrintScreenAsked",
                TSwitchSetting{&TCaptureSettings::PrintScreenAsked, false}},
    TSettingRow{kKeysSection, kKeyActions[4].FileKey,
                TKeySetting{&TCaptureSettings::ScrollCapture, kKeyActions[4].Default}},
    TSettingRow{kKeysSection, kKeyActions[5].FileKey,
                TKeySetting{&TCaptureSettings::ReadText, kKeyActions[5].Default}},
    TSettingRow{kFileSection, "OcrLanguages",
                TTextSetting{&TCaptureSettings::OcrLanguages, TTextRule::Languages}},
};

// The key of each action, in action order.
inline constexpr TKeyChord TCaptureSettings::*kActionKeys[kKeyActionCount] = {
    &TCaptureSettings::Capture,       &TCaptureSettings::CaptureWindow,
    &TCaptureSettings::SelectRegion,  &TCaptureSettings::CaptureScreen,
    &TCaptureSettings::ScrollCapture, &TCaptureSettings::ReadText};

// Each action's key, and whether the switch that governs it is on.
TActionKeys ActionKeysOf(const TCaptureSettings& settings);
TActionsOn ActionsOnOf(const TCaptureSettings& settings);

// The keys in use by these settings: each action that is on with its key, no key twice.
TKeyBindings KeyBindingsOf(const TCaptureSettings& settings);

// The switch kept under that key of [File]; nothing when no switch row has it.
constexpr std::optional<bool TCaptureSettings::*> SwitchSetting(std::string_view key) {
    for (const TSettingRow& row : kSettingRows) {
        const auto* setting = std::get_if<TSwitchSetting>(&row.Value);
        if (setting && row.Section == kFileSection && row.Key == key) {
            return setting->Field;
        }
    }
    return std::nullopt;
}

constexpr bool EveryKeyRowIsItsActions() {
    int action = 0;
    for (const TSettingRow& row : kSettingRows) {
        const auto* key = std::get_if<TKeySetting>(&row.Value);
        if (key && (action >= kKeyActionCount || key->Field != kActionKeys[action] ||
                    row.Key != kKeyActions[action].FileKey)) {
            return false;
        }
        action += key ? 1 : 0;
    }
    return action == kKeyActionCount;
}
static_assert(EveryKeyRowIsItsActions(), "the [Keys] rows follow the actions' table");

constexpr bool EverySwitchOfAnActionIsASetting() {
    for (const TKeyActionRow& row : kKeyActions) {
        if (!row.Switch.empty() && !SwitchSetting(row.Switch)) {
            return false;
        }
    }
    return true;
}
static_assert(EverySwitchOfAnActionIsASetting(), "an action's switch names a [File] switch");

#include "settings/SettingsStore.h"

#include "base/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string LoadPath(const TIniFile::TSnapshot& iniFile, const TSettingRow& row, IFileSystem& files,
                     IShell& shell) {
    std::string path = iniFile.ReadText(std::string(row.Section), std::string(row.Key), "");
    // A byte the code page does not define names no folder.
    if (path.empty() || HoldsEscapedByte(path) || !files.DirectoryExists(path)) {
        if (auto pictures = shell.SpecialFolder(TSpecialFolder::Pictures)) {
            path = std::move(*pictures);
        } else if (auto documents = shell.SpecialFolder(TSpecialFolder::Documents)) {
            path = std::move(*documents);
        }
    }
    return EnsureFinalBackslash(path);
}

std::string LoadPrefix(const TIniFile::TSnapshot& iniFile, const TSettingRow& row) {
    std::string prefix = iniFile.ReadText(std::string(row.Section), std::string(row.Key), "");
    if (Cp932Bytes(prefix) > static_cast<std::size_t>(kMaxPrefixBytes) || !IsValidPrefix(prefix)) {
        prefix.clear();
    }
    return prefix;
}

// Language names as the recogniser's data files are named (letters, digits, "_"), joined by "+".
std::string LoadLanguages(const TIniFile::TSnapshot& iniFile, const TSettingRow& row) {
    const std::string languages =
        iniFile.ReadText(std::string(row.Section), std::string(row.Key), "");
    bool valid = !languages.empty() && languages.size() <= kMaxOcrLanguagesBytes &&
                 languages.front() != '+' && languages.back() != '+' &&
                 languages.find("++") == std::string::npos;
    for (const char c : languages) {
        valid = valid && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '_' || c == '+');
    }
    return valid ? languages : std::string(kDefaultOcrLanguages);
}

} // namespace

TCaptureSettings LoadSettings(const TIniFile& file, IFileSystem& files, IShell& shell) {
    TCaptureSettings settings;
    const TIniFile::TSnapshot iniFile = file.Snapshot(); // the file read and decoded once
    for (const TSettingRow& row : kSettingRows) {
        const std::string section(row.Section), key(row.Key);
        if (const auto* text = std::get_if<TTextSetting>(&row.Value)) {
            settings.*text->Field = text->Rule == TTextRule::Path
                                        ? LoadPath(iniFile, row, files, shell)
                                    : text->Rule == TTextRule::Prefix ? LoadPrefix(iniFile, row)
                                                                      : LoadLanguages(iniFile, row);
        } else if (const auto* number = std::get_if<TNumberSetting>(&row.Value)) {
            const std::int32_t value = iniFile.ReadNumber(section, key, number->Default);
            const bool inRange = value >= number->Min && value <= number->Max;
            settings.*number->Field = inRange ? value
                                      : number->OutOfRange == TOutOfRange::NearestBound
                                          ? std::clamp(value, number->Min, number->Max)
                                          : number->Default;
        } else if (const auto* onOff = std::get_if<TSwitchSetting>(&row.Value)) {
            settings.*onOff->Field = iniFile.ReadSwitch(section, key, onOff->Default);
        } else if (const auto* chord = std::get_if<TKeySetting>(&row.Value)) {
            // A missing key is the default; an empty value, no key.
            const std::optional<TKeyChord> read =
                ParseKeyChord(iniFile.ReadText(section, key, KeyChordText(chord->Default)));
            settings.*chord->Field = read && IsUsableChord(*read) ? *read : chord->Default;
        }
    }
    // A key that two actions in use end up with belongs to the first of them.
    TActionKeys keys = ActionKeysOf(settings);
    ClearSharedKeys(keys, ActionsOnOf(settings));
    for (int i = 0; i < kKeyActionCount; ++i) {
        settings.*kActionKeys[i] = keys[i];
    }
    return settings;
}

void SaveSettings(const TCaptureSettings& settings, TIniFile& iniFile) {
    std::vector<TIniFile::TEntry> entries;
    entries.reserve(kSettingRows.size());
    for (const TSettingRow& row : kSettingRows) {
        std::string value;
        if (const auto* text = std::get_if<TTextSetting>(&row.Value)) {
            value = settings.*text->Field;
        } else if (const auto* number = std::get_if<TNumberSetting>(&row.Value)) {
            value = std::to_string(settings.*number->Field);
        } else if (const auto* onOff = std::get_if<TSwitchSetting>(&row.Value)) {
            value.assign(1, settings.*onOff->Field ? '1' : '0');
        } else if (const auto* chord = std::get_if<TKeySetting>(&row.Value)) {
            value = KeyChordText(settings.*chord->Field);
        }
        entries.push_back({std::string(row.Section), std::string(row.Key), std::move(value)});
    }
    // All the keys in one replacement: a refused write leaves no half-saved file.
    iniFile.WriteValues(entries);
}

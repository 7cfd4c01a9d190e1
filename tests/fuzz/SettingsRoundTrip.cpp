#include "fuzz/SettingsRoundTrip.h"

#include "base/AsciiText.h"
#include "base/Cp932.h"
#include "settings/IniFile.h"
#include "settings/IniText.h"
#include "settings/PathRules.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + ((text.compare(end, 2, "\r\n") == 0) ? 2 : 1);
    }
    return lines;
}

// A line that sets one of the keys a save writes (in any section: the fuzzer may repeat them).
bool IsOurKeyLine(std::string line) {
    line.erase(0, line.find_first_not_of(" \t"));
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    std::string key = line.substr(0, equals);
    key.erase(key.find_last_not_of(" \t") + 1);
    return std::any_of(kSettingRows.begin(), kSettingRows.end(),
                       [&](const TSettingRow& row) { return SameName(row.Key, key); });
}

std::string InRange(const TCaptureSettings& s) {
    for (const TSettingRow& row : kSettingRows) {
        const auto* number = std::get_if<TNumberSetting>(&row.Value);
        if (number && (s.*number->Field < number->Min || s.*number->Field > number->Max)) {
            return "a number out of range: " + std::string(row.Key);
        }
    }
    if (Cp932Bytes(s.Prefix) > 20 || !IsValidPrefix(s.Prefix)) {
        return "an unusable prefix";
    }
    if (s.Path.empty() || s.Path.back() != '\\') {
        return "a folder without its final backslash";
    }
    return {};
}

} // namespace

std::string CheckSettingsRoundTrip(std::string_view fileBytes) {
    TTempFolder folder;
    THeadlessPlatform platform;
    std::filesystem::create_directory(folder.Native("Pictures"));
    platform.Folders[TSpecialFolder::Pictures] = folder.Program("Pictures");
    folder.WriteNative("Quorlan.ini", std::string(fileBytes));
    TIniFile ini(folder.Program("Quorlan.ini"), platform.Files());

    const TCaptureSettings loaded = LoadSettings(ini, platform.Files(), platform);
    if (std::string fault = InRange(loaded); !fault.empty()) {
        return "loaded: " + fault;
    }
    try {
        SaveSettings(loaded, ini);
    } catch (const std::exception&) {
        return "the save failed";
    }
    if (!(LoadSettings(ini, platform.Files(), platform) == loaded)) {
        return "the saved file reads back other values";
    }
    // Every line that is not one of our keys is still there, in its order.
    const std::vector<std::string> before = Lines(DecodeIniFile(fileBytes));
    const std::vector<std::string> after = Lines(DecodeIniFile(folder.ReadNative("Quorlan.ini")));
    std::size_t at = 0;
    for (const std::string& line : before) {
        if (IsOurKeyLine(line)) {
            continue;
        }
        while (at < after.size() && after[at] != line) {
            ++at;
        }
        if (at == after.size()) {
            return "a line that is not ours was lost: " + line;
        }
        ++at;
    }
    return {};
}

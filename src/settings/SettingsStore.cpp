#include "settings/SettingsStore.h"

#include "platform/Platform.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"

#include <algorithm>

namespace {

const std::string kFile = "File";
const std::string kImage = "Image";

std::string LoadPath(const TIniFile& iniFile, IPlatform& platform) {
    std::string path = iniFile.ReadText(kFile, "Path", "");
    if (path.empty() || !platform.Files().DirectoryExists(path)) {
        if (auto pictures = platform.SpecialFolder(TSpecialFolder::Pictures)) {
            path = std::move(*pictures);
        } else if (auto documents = platform.SpecialFolder(TSpecialFolder::Documents)) {
            path = std::move(*documents);
        }
    }
    return EnsureFinalBackslash(path);
}

} // namespace

TCaptureSettings LoadSettings(const TIniFile& iniFile, IPlatform& platform) {
    TCaptureSettings settings;

    settings.Prefix = iniFile.ReadText(kFile, "Prefix", "");
    if (settings.Prefix.size() > static_cast<std::size_t>(kMaxPrefixBytes)) {
        settings.Prefix.clear();
    }
    if (!IsValidPrefix(settings.Prefix)) {
        settings.Prefix.clear();
    }

    settings.DateFormat =
        std::clamp(iniFile.ReadNumber(kFile, "DateFormat", 0), kMinDateFormat, kMaxDateFormat);
    settings.Digit = std::clamp(iniFile.ReadNumber(kFile, "Digit", 4), kMinDigit, kMaxDigit);
    settings.Path = LoadPath(iniFile, platform);

    settings.IsUpdate = iniFile.ReadSwitch(kFile, "IsUpdate", true);
    settings.CaptAtSameTime = iniFile.ReadSwitch(kFile, "CaptAtSameTime", true);
    settings.ExecApplication = iniFile.ReadSwitch(kFile, "ExecApplication", false);
    settings.SavePrtScrKey = iniFile.ReadSwitch(kFile, "SavePrtScrKey", true);
    settings.SaveAltPrtScrKey = iniFile.ReadSwitch(kFile, "SaveAltPrtScrKey", true);

    // Unlike the two above, these fall back to a fixed value rather than the nearest bound.
    const std::int32_t type = iniFile.ReadNumber(kImage, "Type", 0);
    settings.ImageType = (type == 0 || type == 1) ? type : 0;
    const std::int32_t bit = iniFile.ReadNumber(kImage, "Bit", 3);
    settings.ImageBit = (bit >= 0 && bit <= 5) ? bit : 3;

    return settings;
}

void SaveSettings(const TCaptureSettings& settings, TIniFile& iniFile) {
    iniFile.WriteText(kFile, "Path", settings.Path);
    iniFile.WriteText(kFile, "Prefix", settings.Prefix);
    iniFile.WriteNumber(kFile, "DateFormat", settings.DateFormat);
    iniFile.WriteNumber(kFile, "Digit", settings.Digit);
    iniFile.WriteSwitch(kFile, "CaptAtSameTime", settings.CaptAtSameTime);
    iniFile.WriteSwitch(kFile, "SavePrtScrKey", settings.SavePrtScrKey);
    iniFile.WriteSwitch(kFile, "SaveAltPrtScrKey", settings.SaveAltPrtScrKey);
    iniFile.WriteSwitch(kFile, "IsUpdate", settings.IsUpdate);
    iniFile.WriteSwitch(kFile, "ExecApplication", settings.ExecApplication);
    iniFile.WriteNumber(kImage, "Type", settings.ImageType);
    iniFile.WriteNumber(kImage, "Bit", settings.ImageBit);
}

#include "settings/SettingsStore.h"

#include "base/Cp932.h"
#include "platform/Platform.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"

#include <algorithm>

namespace {

const std::string kFile = "File";
const std::string kImage = "Image";

std::string LoadPath(const TIniFile::TSnapshot& iniFile, IPlatform& platform) {
    std::string path = iniFile.ReadText(kFile, "Path", "");
    // A byte the code page does not define names no folder.
    if (path.empty() || HoldsEscapedByte(path) || !platform.Files().DirectoryExists(path)) {
        if (auto pictures = platform.SpecialFolder(TSpecialFolder::Pictures)) {
            path = std::move(*pictures);
        } else if (auto documents = platform.SpecialFolder(TSpecialFolder::Documents)) {
            path = std::move(*documents);
        }
    }
    return EnsureFinalBackslash(path);
}

} // namespace

TCaptureSettings LoadSettings(const TIniFile& file, IPlatform& platform) {
    TCaptureSettings settings;
    const TIniFile::TSnapshot iniFile = file.Snapshot(); // the file read and decoded once

    settings.Prefix = iniFile.ReadText(kFile, "Prefix", "");
    if (Cp932Bytes(settings.Prefix) > static_cast<std::size_t>(kMaxPrefixBytes)) {
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
    settings.CopyToClipboard = iniFile.ReadSwitch(kFile, "CopyToClipboard", false);
    settings.NotifySaved = iniFile.ReadSwitch(kFile, "NotifySaved", false);
    settings.Magnifier = iniFile.ReadSwitch(kFile, "Magnifier", true);

    // Unlike the two above, these fall back to a fixed value rather than the nearest bound.
    const std::int32_t type = iniFile.ReadNumber(kImage, "Type", 0);
    settings.ImageType = (type >= 0 && type < kImageTypeCount) ? type : itBmp;
    const std::int32_t bit = iniFile.ReadNumber(kImage, "Bit", 3);
    settings.ImageBit = (bit >= 0 && bit < kImageBitCount) ? bit : 3;

    return settings;
}

void SaveSettings(const TCaptureSettings& settings, TIniFile& iniFile) {
    const auto number = [](std::int32_t value) { return std::to_string(value); };
    const auto onOff = [](bool on) { return std::string(on ? "1" : "0"); };
    // All the keys in one replacement: a refused write leaves no half-saved file.
    iniFile.WriteValues({{kFile, "Path", settings.Path},
                         {kFile, "Prefix", settings.Prefix},
                         {kFile, "DateFormat", number(settings.DateFormat)},
                         {kFile, "Digit", number(settings.Digit)},
                         {kFile, "CaptAtSameTime", onOff(settings.CaptAtSameTime)},
                         {kFile, "SavePrtScrKey", onOff(settings.SavePrtScrKey)},
                         {kFile, "SaveAltPrtScrKey", onOff(settings.SaveAltPrtScrKey)},
                         {kFile, "IsUpdate", onOff(settings.IsUpdate)},
                         {kFile, "ExecApplication", onOff(settings.ExecApplication)},
                         {kImage, "Type", number(settings.ImageType)},
                         {kImage, "Bit", number(settings.ImageBit)},
                         // Keys of later versions come last: an older Quorlan reads the file
                         // as it always did and leaves them alone.
                         {kFile, "CopyToClipboard", onOff(settings.CopyToClipboard)},
                         {kFile, "NotifySaved", onOff(settings.NotifySaved)},
                         {kFile, "Magnifier", onOff(settings.Magnifier)}});
}

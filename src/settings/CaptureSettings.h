#pragma once

#include <cstdint>
#include <string>

// The file types, by their number in the settings file.
enum TImageType : std::int32_t { itBmp = 0, itJpeg = 1, itPng = 2 };
inline constexpr std::int32_t kImageTypeCount = 3;
inline constexpr std::int32_t kImageBitCount = 6; // the colour depths

// The user's settings; every field is named after its key in the settings file.
struct TCaptureSettings {
    std::string Path;   // capture folder, ending with "\" once loaded
    std::string Prefix; // at most 20 bytes, no character that a file name refuses
    std::int32_t DateFormat = 0;
    std::int32_t Digit = 4;
    std::int32_t ImageType = 0; // a TImageType
    std::int32_t ImageBit = 3;  // index of the colour depth, 0 to kImageBitCount - 1
    bool IsUpdate = true;
    bool CaptAtSameTime = true;
    bool ExecApplication = false;
    bool SavePrtScrKey = true;
    bool SaveAltPrtScrKey = true;
    // After a saved capture: the picture on the clipboard too, a notice from the tray icon.
    bool CopyToClipboard = false;
    bool NotifySaved = false;
    // The overlay's magnifier beside the pointer (Z shows and hides it).
    bool Magnifier = true;

    bool operator==(const TCaptureSettings&) const = default;
};

inline constexpr std::int32_t kMaxPrefixBytes = 20;
inline constexpr std::int32_t kMaxPathBytes = 240; // what the folder box of the options holds
inline constexpr std::int32_t kMinDateFormat = 0;
inline constexpr std::int32_t kMaxDateFormat = 6;
inline constexpr std::int32_t kMinDigit = 1;
inline constexpr std::int32_t kMaxDigit = 9;

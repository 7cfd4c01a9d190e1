#pragma once

#include "keys/KeyChord.h"

#include <cstdint>
#include <string>
#include <string_view>

// The file types, by their number in the settings file.
enum TImageType : std::int32_t { itBmp = 0, itJpeg = 1, itPng = 2 };
inline constexpr std::int32_t kImageTypeCount = 3;
inline constexpr std::int32_t kImageBitCount = 6; // the colour depths

// The user's settings; every field is named after its key in the settings file. What each
// holds, how it is read and checked, and its default: the settings table (SettingsTable.h).
struct TCaptureSettings {
    TCaptureSettings(); // every field at its default; the folder empty until loaded

    std::string Path;   // capture folder, ending with "\" once loaded
    std::string Prefix; // at most 20 bytes, no character that a file name refuses
    std::int32_t DateFormat{};
    std::int32_t Digit{};
    std::int32_t ImageType{}; // a TImageType
    std::int32_t ImageBit{};  // index of the colour depth, 0 to kImageBitCount - 1
    bool IsUpdate{};
    bool CaptAtSameTime{};
    bool ExecApplication{};
    bool SavePrtScrKey{};
    bool SaveAltPrtScrKey{};
    // After a saved capture: the picture on the clipboard too, a notice from the tray icon.
    bool CopyToClipboard{};
    bool NotifySaved{};
    // The overlay's magnifier beside the pointer (Z shows and hides it).
    bool Magnifier{};
    // Seconds between a capture's request and the screen's copy (a countdown in the tray).
    std::int32_t Delay{};
    // The mouse pointer drawn into each capture, as the screen showed it.
    bool CaptureCursor{};
    // After a drag with CaptAtSameTime, the frozen screen stays up for marks before the save.
    bool Markup{};
    // The tallest page a scrolling capture puts together, in pixels.
    std::int32_t ScrollMaxHeight{};
    // The keys of the actions ([Keys]); none for an action without a key. SavePrtScrKey
    // and SaveAltPrtScrKey turn the first two on and off.
    TKeyChord Capture;
    TKeyChord CaptureWindow;
    TKeyChord SelectRegion;
    TKeyChord CaptureScreen;
    TKeyChord ScrollCapture;
    TKeyChord ReadText;
    // The languages text is read in, as the recogniser names them ("jpn+eng").
    std::string OcrLanguages;
    // Whether to leave PrintScreen to Quorlan has been asked, once for this file.
    bool PrintScreenAsked{};

    bool operator==(const TCaptureSettings&) const = default;
};

inline constexpr std::int32_t kMaxPrefixBytes = 20;
inline constexpr std::int32_t kMaxPathBytes = 240; // what the folder box of the options holds
inline constexpr std::int32_t kMinDateFormat = 0;
inline constexpr std::int32_t kMaxDateFormat = 6;
inline constexpr std::int32_t kMinDigit = 1;
inline constexpr std::int32_t kMaxDigit = 9;
inline constexpr std::int32_t kMaxDelay = 30; // seconds
inline constexpr std::string_view kDefaultOcrLanguages = "jpn+eng";
inline constexpr std::size_t kMaxOcrLanguagesBytes = 200;
inline constexpr std::int32_t kMinScrollHeight = 1000;
inline constexpr std::int32_t kMaxScrollHeight = 100000;

#pragma once

#include "base/LocalTime.h"
#include "settings/CaptureSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The date-time patterns, by DateFormat, in the order of the options dialog's list.
inline constexpr std::array<std::string_view, 7> DateFormatPatterns = {
    "", "yyyymmdd", "yymmdd", "mmdd", "yyyymmdd hhmm", "yymmdd hhmm", "mmdd hhmm"};

// Expands a date-time pattern: runs of y, m, d, h (any letter case); an m run right after an
// h run is the minutes. Other characters are copied.
std::string FormatDateTimePattern(std::string_view pattern, const TLocalTime& when);

// The decimal number padded with "0" to at least `digits` characters, never cut. Empty when
// the text cannot be formed (a padding wider than any file name can be).
std::string MakeSerialText(std::int32_t number, std::int32_t digits);

// The date part with its "-", or empty for format 0 and for any index out of range.
std::string MakeDatePart(std::int32_t dateFormat, const TLocalTime& when);

// Folder, prefix, date part, padded number and extension, in that order.
std::string BuildCaptureFileName(const TCaptureSettings& settings, std::int32_t number,
                                 const TLocalTime& when);

// The extension for an ImageType: ".jpg", ".png", and ".bmp" for anything else.
std::string_view CaptureExtension(std::int32_t imageType);

#include "settings/FileNaming.h"

#include <cstdio>

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendPadded(std::string& out, int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

// Widest padding formed; a longer one could not be part of any file name.
constexpr std::int32_t kMaxSerialDigits = 255;

} // namespace

std::string FormatDateTimePattern(std::string_view pattern, const TLocalTime& when) {
    std::string out;
    char previousRun = 0;
    for (std::size_t i = 0; i < pattern.size();) {
        const char letter = LowerAscii(pattern[i]);
        std::size_t run = 1;
        while (i + run < pattern.size() && LowerAscii(pattern[i + run]) == letter) {
            ++run;
        }
        const int width = run >= 2 ? 2 : 1;
        switch (letter) {
        case 'y':
            if (run >= 3) {
                AppendPadded(out, when.Year, 4);
            } else {
                AppendPadded(out, when.Year % 100, 2);
            }
            break;
        case 'm':
            AppendPadded(out, previousRun == 'h' ? when.Minute : when.Month, width);
            break;
        case 'd':
            AppendPadded(out, when.Day, width);
            break;
        case 'h':
            AppendPadded(out, when.Hour, width);
            break;
        default:
            out.append(pattern.substr(i, run));
            i += run;
            continue; // other characters do not end an hour run
        }
        previousRun = letter;
        i += run;
    }
    return out;
}

std::string MakeSerialText(std::int32_t number, std::int32_t digits) {
    std::string text = std::to_string(number);
    if (digits > kMaxSerialDigits) {
        return {};
    }
    if (static_cast<std::int32_t>(text.size()) < digits) {
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    }
    return text;
}

std::string MakeDatePart(std::int32_t dateFormat, const TLocalTime& when) {
    if (dateFormat < 1 || dateFormat >= static_cast<std::int32_t>(DateFormatPatterns.size())) {
        return {};
    }
    return FormatDateTimePattern(DateFormatPatterns[static_cast<std::size_t>(dateFormat)], when) +
           "-";
}

std::string_view CaptureExtension(std::int32_t imageType) {
    return imageType == itJpeg ? ".jpg" : imageType == itPng ? ".png" : ".bmp";
}

std::string BuildCaptureFileName(const TCaptureSettings& settings, std::int32_t number,
                                 const TLocalTime& when) {
    std::string name = settings.Path;
    name += settings.Prefix;
    name += MakeDatePart(settings.DateFormat, when);
    name += MakeSerialText(number, settings.Digit);
    name += CaptureExtension(settings.ImageType);
    return name;
}

#include "settings/PathRules.h"

#include "base/Cp932.h"
#include "base/PathText.h"

#include <algorithm>

// In UTF-8 no byte of a longer character has the code of an ASCII one, so byte tests are
// character tests.

std::string EnsureFinalBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != '\\') {
        result += '\\';
    }
    return result;
}

namespace {

// Windows opens a device, not a file, for CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 in any
// case, whatever extension follows and with blanks before the dot. Every capture name goes on
// after the prefix, so only a prefix holding a dot can make one: its part before the dot.
bool NamesADevice(std::string_view prefix) {
    const std::size_t dot = prefix.find('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    std::string stem(prefix.substr(0, dot));
    stem.erase(stem.find_last_not_of(' ') + 1);
    for (char& c : stem) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") {
        return true;
    }
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

} // namespace

bool HoldsControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F; // UTF-8: no byte of a longer character is below 0x80
    });
}

bool IsValidPrefix(std::string_view prefix) {
    return prefix.find_first_of("\\/:*?\"<>|") == std::string_view::npos &&
           !HoldsControlCharacter(prefix) && !HoldsEscapedByte(prefix) && !NamesADevice(prefix);
}

std::string SettingsFilePath(std::string_view executablePath) {
    return EnsureFinalBackslash(ExtractFolder(executablePath)) + "Quorlan.ini";
}

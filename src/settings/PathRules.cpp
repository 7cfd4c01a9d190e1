#include "settings/PathRules.h"

#include "base/Cp932.h"
#include "base/PathText.h"

// In UTF-8 no byte of a longer character has the code of an ASCII one, so byte tests are
// character tests.

std::string EnsureFinalBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != '\\') {
        result += '\\';
    }
    return result;
}

bool IsValidPrefix(std::string_view prefix) {
    return prefix.find_first_of("\\/:*?\"<>|") == std::string_view::npos &&
           !HoldsEscapedByte(prefix);
}

std::string SettingsFilePath(std::string_view executablePath) {
    return EnsureFinalBackslash(ExtractFolder(executablePath)) + "Quorlan.ini";
}

#include "settings/PathRules.h"

#include "base/Cp932.h"
#include "base/PathText.h"

std::string EnsureFinalBackslash(std::string_view path) {
    std::string result(path);
    if (!LastCharIs(path, '\\')) {
        result += '\\';
    }
    return result;
}

bool IsValidPrefix(std::string_view prefix) {
    return !ContainsAnyAsciiChar(prefix, "\\/:*?\"<>|");
}

std::string SettingsFilePath(std::string_view executablePath) {
    std::string folder = ExtractFolder(executablePath);
    if (!LastCharIs(folder, '\\')) {
        folder += '\\';
    }
    return folder + "Quorlan.ini";
}

#pragma once

#include <string>
#include <string_view>

// Appends "\" unless the last whole character already is one ("表" ends in byte 0x5C but is
// not a backslash, so it gets one). The empty text becomes "\".
std::string EnsureFinalBackslash(std::string_view path);

// False when the text holds one of \ / : * ? " < > | as a character of its own.
bool IsValidPrefix(std::string_view prefix);

// The settings file beside the executable.
std::string SettingsFilePath(std::string_view executablePath);

#pragma once

#include <string>
#include <string_view>

// Appends "\" unless the last character already is one ("表", whose second byte in the code
// page is 0x5C, is not, so it gets one). The empty text becomes "\".
std::string EnsureFinalBackslash(std::string_view path);

// A character below the space, or DEL: no file name holds one, and no settings line can.
bool HoldsControlCharacter(std::string_view text);

// False when the text holds one of \ / : * ? " < > |, a control character, or a byte the code
// page does not define, or when the names it starts would open a device (CON., nul ., COM1.x
// and the like).
bool IsValidPrefix(std::string_view prefix);

// The settings file beside the executable.
std::string SettingsFilePath(std::string_view executablePath);

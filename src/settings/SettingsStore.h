#pragma once

#include "settings/CaptureSettings.h"

class IFileSystem;
class IShell;
class TIniFile;

// Reads every setting, correcting what is missing, unreadable or out of range. Never fails.
TCaptureSettings LoadSettings(const TIniFile& iniFile, IFileSystem& files, IShell& shell);

// Writes every key of the settings table in its order, as they are held, in one replacement of the
// file. Raises EIniFileException when it is refused.
void SaveSettings(const TCaptureSettings& settings, TIniFile& iniFile);

#pragma once

#include "base/Cp932.h"
#include "settings/IniFile.h"
#include "settings/SettingsStore.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A settings file beside the program in a folder of its own, the special folders there too.
class TSettingsFileFixture : public ::testing::Test {
protected:
    TSettingsFileFixture() {
        std::filesystem::create_directory(Folder.Native("Pictures"));
        std::filesystem::create_directory(Folder.Native("Documents"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("Pictures");
        Platform.Folders[TSpecialFolder::Documents] = Folder.Program("Documents");
    }

    // The settings file as the platform stores it: in the code page.
    TCaptureSettings LoadFrom(const std::string& content) {
        Folder.WriteNative("Quorlan.ini", EncodeCp932(content).value());
        return LoadSettings(Ini, Platform.Files(), Platform);
    }

    TTempFolder Folder;
    THeadlessPlatform Platform;
    TIniFile Ini{Folder.Program("Quorlan.ini"), Platform.Files()};
};

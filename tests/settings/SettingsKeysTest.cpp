#include "settings/SettingsStore.h"

#include "base/Cp932.h"
#include "settings/IniFile.h"
#include "support/HeadlessPlatform.h"
#include "support/SettingsFileFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using SettingsKeysTest = TSettingsFileFixture;

// A key Quorlan could not have without taking a typing key from every program reads as its
// action's default, as the keys dialog refuses it; a key shared with an action that is off is
// kept, so that the next save writes it as it was.
TEST_F(SettingsKeysTest, KeysFromTheFileFollowTheKeysDialogsRules) {
    struct Row {
        const char* ini;
        TKeyChord capture, selectRegion;
    } rows[] = {
        {"[Keys]\nCapture=a", {kKeyPrintScreen, 0}, {kKeyPrintScreen, kModCtrl}},
        {"[Keys]\nCapture=Space", {kKeyPrintScreen, 0}, {kKeyPrintScreen, kModCtrl}},
        {"[Keys]\nCapture=Enter", {kKeyPrintScreen, 0}, {kKeyPrintScreen, kModCtrl}},
        {"[Keys]\nCapture=Esc", {kKeyPrintScreen, 0}, {kKeyPrintScreen, kModCtrl}},
        {"[Keys]\nCapture=Shift+A", {kKeyPrintScreen, 0}, {kKeyPrintScreen, kModCtrl}},
        {"[Keys]\nCapture=Ctrl+A", {'A', kModCtrl}, {kKeyPrintScreen, kModCtrl}},
        {"[Keys]\nSelectRegion=F9", {kKeyPrintScreen, 0}, {0x78, 0}},
        {"[File]\nSavePrtScrKey=0\n[Keys]\nSelectRegion=PrintScreen",
         {kKeyPrintScreen, 0},
         {kKeyPrintScreen, 0}},
        {"[File]\nSavePrtScrKey=1\n[Keys]\nSelectRegion=PrintScreen", {kKeyPrintScreen, 0}, {}},
    };
    for (const Row& row : rows) {
        const TCaptureSettings settings = LoadFrom(row.ini);
        EXPECT_EQ(settings.Capture, row.capture) << row.ini;
        EXPECT_EQ(settings.SelectRegion, row.selectRegion) << row.ini;
    }
    // The switched-off action's key survives a save and a load.
    TCaptureSettings off = LoadFrom("[File]\nSavePrtScrKey=0\n[Keys]\nSelectRegion=PrintScreen");
    SaveSettings(off, Ini);
    EXPECT_EQ(LoadSettings(Ini, Platform.Files(), Platform), off);
    EXPECT_NE(Folder.ReadNative("Quorlan.ini").find("SelectRegion=PrintScreen"), std::string::npos);
}

} // namespace

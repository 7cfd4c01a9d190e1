#include "app/MainForm.h"

#include "settings/IniFile.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(CaptureState, StartsWithNoRegionChosenAndCounterOne) {
    THeadlessPlatform platform;
    TMainForm form(platform);
    EXPECT_EQ(form.Capture().SerialNo(), 1);
    EXPECT_EQ(form.Capture().Region(), TCaptureRegion{});
    EXPECT_EQ(form.Capture().PositionItemCaption(), std::string("矩形範囲選択"));
    EXPECT_FALSE(form.Capture().RegionChosen()); // even though the region is (0,0,0,0)
}

TEST(CaptureState, ShowingARegionMakesItChosenForTheRestOfTheRun) {
    THeadlessPlatform platform;
    TMainForm form(platform);
    form.Capture().SetRegion({12, 40, 812, 640});
    form.Capture().ShowRegionInCaption();
    EXPECT_EQ(form.Capture().PositionItemCaption(), std::string("矩形範囲選択(12,40,812,640)"));
    EXPECT_TRUE(form.Capture().RegionChosen());

    form.Capture().SetRegion({-8, -8, 1288, 808});
    form.Capture().ShowRegionInCaption();
    EXPECT_EQ(form.Capture().PositionItemCaption(), std::string("矩形範囲選択(-8,-8,1288,808)"));

    form.Capture().SetRegion({});
    form.Capture().ShowRegionInCaption();
    EXPECT_EQ(form.Capture().PositionItemCaption(), std::string("矩形範囲選択(0,0,0,0)"));
    EXPECT_TRUE(form.Capture().RegionChosen());
}

TEST(CaptureState, SettingsFileIsBesideTheExecutableNotInTheWorkingFolder) {
    TTempFolder folder;
    std::filesystem::create_directory(folder.Native("app"));
    std::filesystem::create_directory(folder.Native("work"));
    std::filesystem::create_directory(folder.Native("pics"));
    folder.WriteNative("app/Quorlan.ini", "[File]\r\nDigit=6\r\n");
    folder.WriteNative("work/Quorlan.ini", "[File]\r\nDigit=2\r\n");

    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Native("work"));
    THeadlessPlatform platform;
    platform.ExePath = folder.Program("app\\Quorlan.exe");
    platform.Folders[TSpecialFolder::Pictures] = folder.Program("pics");
    TMainForm form(platform);
    form.Options().OpenFile();
    std::filesystem::current_path(previous);

    ASSERT_TRUE(form.Options().File());
    EXPECT_EQ(form.Options().File()->FileName(), folder.Program("app\\Quorlan.ini"));
    EXPECT_EQ(form.Settings().Digit, 6);
    EXPECT_EQ(form.Settings().Path, folder.Program("pics") + "\\");
}

} // namespace

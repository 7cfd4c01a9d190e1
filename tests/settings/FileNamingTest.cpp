#include "settings/FileNaming.h"

#include <gtest/gtest.h>

namespace {

const TLocalTime kMay7 = {2026, 5, 7, 9, 5, 0};

TEST(FileNaming, SerialTextIsPaddedButNeverCut) {
    struct Row {
        std::int32_t number, digits;
        const char* text;
    } rows[] = {
        {7, 4, "0007"},
        {12345, 4, "12345"},
        {5, 1, "5"},
        {1, 9, "000000001"},
        {10000, 5, "10000"},
        {0, 3, "000"},
        {1, 0, "1"},
        {1, -5, "1"},
        {999999999, 9, "999999999"},
        {2147483647, 12, "002147483647"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MakeSerialText(row.number, row.digits), row.text)
            << row.number << " " << row.digits;
    }
    EXPECT_EQ(MakeSerialText(1, 2147483647), ""); // cannot be formed: no name is that long
}

TEST(FileNaming, DatePartsFollowTheirPatterns) {
    const char* expected[] = {
        "", "20260507-", "260507-", "0507-", "20260507 0905-", "260507 0905-", "0507 0905-"};
    for (int format = 0; format < 7; ++format) {
        EXPECT_EQ(MakeDatePart(format, kMay7), expected[format]) << format;
    }
    EXPECT_EQ(MakeDatePart(-1, kMay7), "");
    EXPECT_EQ(MakeDatePart(7, kMay7), "");

    // Minutes come only from an "m" run after an "h" run.
    const TLocalTime late = {1999, 12, 31, 23, 59, 0};
    EXPECT_EQ(MakeDatePart(5, late), "991231 2359-");
    EXPECT_EQ(FormatDateTimePattern("YYYYMMDD HHMM", late), "19991231 2359");
    EXPECT_EQ(FormatDateTimePattern("hh:mm mm", late), "23:59 12");
    EXPECT_EQ(FormatDateTimePattern("m/d h", {2026, 5, 7, 9, 5, 0}), "5/7 9");
    EXPECT_EQ(FormatDateTimePattern("yyy", {2026, 5, 7, 9, 5, 0}), "2026");
    EXPECT_EQ(FormatDateTimePattern("yy", {2005, 5, 7, 9, 5, 0}), "05");
}

TEST(FileNaming, NamesAreFolderPrefixDateNumberExtension) {
    TCaptureSettings settings;
    settings.Path = "C:\\x\\";
    EXPECT_EQ(BuildCaptureFileName(settings, 1, kMay7), "C:\\x\\0001.bmp");

    settings.Path = std::string("C:\\画像\\");
    settings.Prefix = "shot";
    settings.DateFormat = 4;
    settings.ImageType = 1;
    EXPECT_EQ(BuildCaptureFileName(settings, 7, kMay7),
              std::string("C:\\画像\\shot20260507 0905-0007.jpg"));

    settings.ImageType = 3; // anything but 1 and 2 is BMP
    settings.Prefix = "表";
    settings.DateFormat = 0;
    settings.Digit = 3;
    EXPECT_EQ(BuildCaptureFileName(settings, 12345, kMay7), std::string("C:\\画像\\表12345.bmp"));
    settings.ImageType = 2;
    EXPECT_EQ(BuildCaptureFileName(settings, 1, kMay7), std::string("C:\\画像\\表001.png"));
}

} // namespace

#include "base/Cp932.h"
#include "base/Errors.h"
#include "base/PathText.h"
#include "base/TextCodec.h"

#include <gtest/gtest.h>

namespace {

// 表 is 95 5C and ソ is 83 5C in CP932: their second byte is the code of "\".
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(Cp932, LastCharacterIsJudgedWholeCharacterByCharacter) {
    struct Row {
        std::string text;
        bool endsInBackslash;
    } rows[] = {
        {"", false},
        {"\\", true},
        {"C:\\Temp\\", true},
        {"C:\\Temp", false},
        {"C:\\" + kHyo, false},
        {"C:\\" + kSo, false},
        {"C:\\" + kHyo + "\\", true},
        {kHyo + kHyo, false},
        {"\x81", false},    // a lead byte cut off at the end stands alone
        {"a\x81\\", false}, // the lead byte takes the "\" along
        {"\xA0\\", true},   // 0xA0 is no lead byte
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LastCharIs(row.text, '\\'), row.endsInBackslash) << row.text;
    }
}

TEST(Cp932, ScansNeverTakeATrailByteForAnAsciiCharacter) {
    EXPECT_FALSE(ContainsAnyAsciiChar(kHyo + kSo + "abc", "\\/:"));
    EXPECT_TRUE(ContainsAnyAsciiChar(kHyo + "\\", "\\"));
    // 0x7C "|" is a possible trail byte too (for example 81 7C is the minus sign).
    EXPECT_FALSE(ContainsAnyAsciiChar("\x81\x7C", "|"));
    EXPECT_TRUE(ContainsAnyAsciiChar("\x81\x7C|", "|"));
    EXPECT_EQ(CharCount(kHyo + "ab" + kSo), 4u);
    EXPECT_EQ(CharCount("\x81"), 1u);
    EXPECT_EQ(LastCharStart(""), std::string::npos);
}

TEST(Cp932, FolderPartEndsAtTheLastRealSeparator) {
    EXPECT_EQ(ExtractFolder("C:\\Tools\\Quorlan.exe"), "C:\\Tools\\");
    EXPECT_EQ(ExtractFolder("C:\\" + kHyo + "\\Quorlan.exe"), "C:\\" + kHyo + "\\");
    EXPECT_EQ(ExtractFolder("C:\\" + kHyo + "x"), "C:\\");
    EXPECT_EQ(ExtractFolder("D:Quorlan.exe"), "D:");
    EXPECT_EQ(ExtractFolder("Quorlan.exe"), "");
}

TEST(Cp932, ConvertsToAndFromUtf8) {
    EXPECT_EQ(Utf8ToCp932("表ソ"), kHyo + kSo);
    EXPECT_EQ(Cp932ToUtf8(kHyo + "\\" + kSo), "表\\ソ");
    EXPECT_EQ(Utf8ToCp932("ＭＳ Ｐゴシック"),
              "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
    EXPECT_EQ(Cp932ToUtf8(""), "");
    EXPECT_THROW(Cp932ToUtf8("\x81"), EConvertError);             // cut double-byte character
    EXPECT_THROW(Cp932ToUtf8("\x85\x40"), EConvertError);         // unassigned code
    EXPECT_THROW(Utf8ToCp932("\xF0\x9F\x98\x80"), EConvertError); // no CP932 equivalent
    EXPECT_THROW(Utf8ToCp932("\xFF"), EConvertError);             // not UTF-8
}

} // namespace

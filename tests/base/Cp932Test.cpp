#include "base/Cp932.h"
#include "base/PathText.h"
#include "base/Utf.h"

#include <gtest/gtest.h>

namespace {

// 表 is 95 5C and ソ is 83 5C in the code page: their second byte is the code of "\".
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(Cp932, DecodesAndEncodesEveryByteBackAsItWas) {
    struct Row {
        std::string Bytes;
        std::string Text; // UTF-8, with U+DCxx for a byte the code page leaves undefined
    } rows[] = {
        {"", ""},
        {kHyo + "\\" + kSo, "表\\ソ"},
        {"\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", "ＭＳ Ｐゴシック"},
        {"\xB1\xDF", "ｱﾟ"},                       // half-width katakana, one byte each
        {"\x81", "\xED\xB2\x81"},                 // a lead byte cut off at the end
        {"a\x81\r\n", "a\xED\xB2\x81\r\n"},       // a lead byte before a line break
        {"\x85\x40", "\xED\xB2\x85\xED\xB1\x80"}, // an unassigned pair: both bytes kept
        {"\x85\x5C"
         "x",
         "\xED\xB2\x85\xED\xB1\x9C"
         "x"}, // whose "\" is no separator
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DecodeCp932(row.Bytes), row.Text) << row.Bytes;
        EXPECT_EQ(EncodeCp932(row.Text), row.Bytes) << row.Bytes;
    }
    EXPECT_TRUE(HoldsEscapedByte(DecodeCp932("ok\x81")));
    EXPECT_FALSE(HoldsEscapedByte("表ソ😀"));
}

TEST(Cp932, CharactersBeyondTheCodePageHaveNoFormAndCountTwo) {
    EXPECT_EQ(EncodeCp932("José"), std::nullopt);
    EXPECT_EQ(EncodeCp932("😀"), std::nullopt);
    struct Row {
        std::string Text;
        std::size_t Bytes;
    } rows[] = {{"", 0}, {"abc", 3}, {"表ソ", 4}, {"ｱ", 1}, {"é", 2}, {"😀", 2}, {"𠮷a", 3}};
    for (const auto& row : rows) {
        EXPECT_EQ(Cp932Bytes(row.Text), row.Bytes) << row.Text;
    }
    // Cut to whole characters within the limit.
    EXPECT_EQ(CutToCp932Bytes("ab表c", 3), "ab");
    EXPECT_EQ(CutToCp932Bytes("ab表c", 4), "ab表");
    EXPECT_EQ(CutToCp932Bytes("😀😀", 3), "😀");
    EXPECT_EQ(CutToCp932Bytes("abc", 10), "abc");
}

TEST(Utf, Utf16RoundTripsEveryCodePointAndLoneSurrogates) {
    const std::string text = "a表😀\xED\xB2\x81z"; // with an escaped byte (a lone surrogate)
    const std::u16string wide = Utf16FromUtf8(text);
    EXPECT_EQ(wide, (std::u16string{u'a', u'表', 0xD83D, 0xDE00, 0xDC81, u'z'}));
    EXPECT_EQ(Utf8FromUtf16(wide), text);
    // A byte that starts no UTF-8 sequence reads as an escaped byte of its own.
    std::size_t at = 0;
    EXPECT_EQ(NextCodePoint("\xFF", at), 0xDCFFu);
    EXPECT_EQ(at, 1u);
    at = 0;
    EXPECT_EQ(NextCodePoint("\xE8\xA1", at), 0xDCE8u); // cut short
}

TEST(Cp932, FolderPartEndsAtTheLastSeparator) {
    EXPECT_EQ(ExtractFolder("C:\\Tools\\Quorlan.exe"), "C:\\Tools\\");
    EXPECT_EQ(ExtractFolder("C:\\表\\Quorlan.exe"), "C:\\表\\");
    EXPECT_EQ(ExtractFolder("C:\\Jürgen 𠮷\\Quorlan.exe"), "C:\\Jürgen 𠮷\\");
    EXPECT_EQ(ExtractFolder("C:\\表x"), "C:\\");
    EXPECT_EQ(ExtractFolder("D:Quorlan.exe"), "D:");
    EXPECT_EQ(ExtractFolder("Quorlan.exe"), "");
}

} // namespace

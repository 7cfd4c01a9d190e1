#include "settings/IniText.h"

#include <gtest/gtest.h>

namespace {

TEST(IniText, ReadsHandWrittenFiles) {
    struct Row {
        const char* what;
        std::string content;
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } rows[] = {
        {"plain", "[File]\r\nDigit=5\r\n", "File", "Digit", "5"},
        {"letter case of names", "[fILE]\r\ndIGIT=5\r\n", "File", "Digit", "5"},
        {"LF endings", "[File]\nA=1\nDigit=6\n", "File", "Digit", "6"},
        {"CR endings", "[File]\rA=1\rDigit=7\r", "File", "Digit", "7"},
        {"no final line break", "[File]\r\nDigit=8", "File", "Digit", "8"},
        {"blanks around everything", "  [ File ]  \r\n \t Digit \t=\t 9 \t\r\n", "File", "Digit",
         "9"},
        {"double quotes", "[File]\r\nPrefix=\" a b \"\r\n", "File", "Prefix", " a b "},
        {"single quotes", "[File]\r\nPrefix='x'\r\n", "File", "Prefix", "x"},
        {"one quote alone", "[File]\r\nPrefix=\"x\r\n", "File", "Prefix", "\"x"},
        {"mixed quotes stay", "[File]\r\nPrefix=\"x'\r\n", "File", "Prefix", "\"x'"},
        {"empty value", "[File]\r\nPrefix=\r\n", "File", "Prefix", ""},
        {"value holds =", "[File]\r\nPrefix=a=b\r\n", "File", "Prefix", "a=b"},
        {"first of duplicate keys", "[File]\r\nDigit=1\r\nDigit=2\r\n", "File", "Digit", "1"},
        {"first of duplicate sections", "[File]\r\nA=1\r\n[File]\r\nDigit=2\r\n", "File", "Digit",
         std::nullopt},
        {"key in another section", "[Image]\r\nDigit=5\r\n", "File", "Digit", std::nullopt},
        {"key before any section", "Digit=5\r\n[File]\r\n", "File", "Digit", std::nullopt},
        {"missing section", "[Image]\r\nType=1\r\n", "File", "Type", std::nullopt},
        {"line without =", "[File]\r\nDigit\r\n", "File", "Digit", std::nullopt},
        {"header without ]", "[File\r\nDigit=3\r\n", "File", "Digit", std::nullopt},
        {"empty file", "", "File", "Digit", std::nullopt},
        {"binary bytes", std::string("\0\xFF\r\n[File]\r\nDigit=4\0\r\nX=\x81", 25), "File",
         "Digit", std::string("4\0", 2)},
        {"double-byte names", "[\x95\x5C]\r\n\x83\x5C=\x95\x5C\r\n", "\x95\x5C", "\x83\x5C",
         "\x95\x5C"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FindIniValue(row.content, row.section, row.key), row.value) << row.what;
    }
}

TEST(IniText, ReadsALongLine) {
    const std::string big(100 * 1024, 'x');
    const std::string content = "[File]\r\nA=" + big + "\r\nDigit=3\r\n";
    EXPECT_EQ(FindIniValue(content, "File", "A"), big);
    EXPECT_EQ(FindIniValue(content, "File", "Digit"), "3");
}

TEST(IniText, WritesInPlaceAndAppends) {
    struct Row {
        const char* what;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    } rows[] = {
        {"new file", "", "File", "Digit", "4", "[File]\r\nDigit=4\r\n"},
        {"replaced where it stands", "[File]\r\nA=1\r\nDigit=9\r\nB=2\r\n", "File", "Digit", "4",
         "[File]\r\nA=1\r\nDigit=4\r\nB=2\r\n"},
        {"replaced keeping its spelling and ending", "[File]\ndigit = 9 \nB=2\n", "FILE", "Digit",
         "4", "[File]\ndigit=4\nB=2\n"},
        {"first of duplicates replaced", "[File]\r\nDigit=1\r\nDigit=2\r\n", "File", "Digit", "3",
         "[File]\r\nDigit=3\r\nDigit=2\r\n"},
        {"new key after the section's last line", "[File]\r\nA=1\r\n\r\n[Image]\r\nType=0\r\n",
         "File", "Digit", "4", "[File]\r\nA=1\r\nDigit=4\r\n\r\n[Image]\r\nType=0\r\n"},
        {"new key in an empty section at the end", "[File]", "File", "Digit", "4",
         "[File]\r\nDigit=4\r\n"},
        {"new key after a last line without break", "[File]\nA=1", "File", "B", "2",
         "[File]\nA=1\r\nB=2\r\n"},
        {"new section at the end", "[File]\r\nA=1\r\n", "Image", "Bit", "3",
         "[File]\r\nA=1\r\n[Image]\r\nBit=3\r\n"},
        {"new section after a last line without break", "[File]\r\nA=1", "Image", "Bit", "3",
         "[File]\r\nA=1\r\n[Image]\r\nBit=3\r\n"},
        {"empty value", "[File]\r\nPrefix=abc\r\n", "File", "Prefix", "", "[File]\r\nPrefix=\r\n"},
        // Values the reader would change are quoted, so that they read back as they were.
        {"a blank at the end", "", "File", "Prefix", "shot ", "[File]\r\nPrefix=\"shot \"\r\n"},
        {"a tab at the start", "", "File", "Prefix", "\tx", "[File]\r\nPrefix=\"\tx\"\r\n"},
        {"enclosing quotes", "", "File", "Prefix", "\"q\"", "[File]\r\nPrefix=\"\"q\"\"\r\n"},
        {"enclosing single quotes", "", "File", "Prefix", "'q'", "[File]\r\nPrefix=\"'q'\"\r\n"},
        {"a quote at one end only", "", "File", "Prefix", "a\"", "[File]\r\nPrefix=a\"\r\n"},
    };
    for (const auto& row : rows) {
        const std::string after = SetIniValue(row.before, row.section, row.key, row.value);
        EXPECT_EQ(after, row.after) << row.what;
        EXPECT_EQ(FindIniValue(after, row.section, row.key), row.value) << row.what;
    }
}

TEST(IniText, ManyKeysAtOnceAreSetAsInTurn) {
    const std::string before = "[File]\nA=1\nDigit=9\n\n[Other]\nX=1";
    const std::vector<TIniEntry> entries = {{"File", "Digit", "4"},
                                            {"Image", "Type", "2"},
                                            {"file", "Path", " C:\\ "},
                                            {"Image", "Bit", "3"},
                                            {"File", "A", "5"}};
    const std::string after = SetIniValues(before, entries);
    EXPECT_EQ(after, "[File]\nA=5\nDigit=4\nPath=\" C:\\ \"\r\n\n[Other]\nX=1\r\n"
                     "[Image]\r\nType=2\r\nBit=3\r\n");
    std::string inTurn = before;
    for (const TIniEntry& entry : entries) {
        inTurn = SetIniValue(inTurn, entry.Section, entry.Key, entry.Value);
    }
    EXPECT_EQ(after, inTurn);
}

} // namespace

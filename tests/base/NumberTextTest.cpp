#include "base/FormatText.h"
#include "base/NumberText.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, AcceptsOnlyAWholeNumber) {
    struct Row {
        const char* text;
        std::optional<std::int32_t> value;
    } rows[] = {
        {"0", 0},
        {"07", 7},
        {"0x9", 9},
        {"0X1f", 31},
        {"$9", 9},
        {"x10", 16},
        {"X10", 16},
        {"+5", 5},
        {"-3", -3},
        {"   42", 42}, // leading spaces only
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999", std::nullopt},
        {"0000000000000000000000012", 12}, // leading zeros do not overflow
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"-$80000000", INT32_MIN},
        {"$7FFFFFFF", 2147483647},
        {"$000000000FFFFFFFF", -1}, // 32 significant bits
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"five", std::nullopt},
        {"5.0", std::nullopt},
        {"5 ", std::nullopt},
        {"\t5", std::nullopt},
        {"--5", std::nullopt},
        {"+-5", std::nullopt},
        {"- 5", std::nullopt},
        {"0x-5", std::nullopt},
        {"$G", std::nullopt},
        {"1e3", std::nullopt},
        {"0b1", std::nullopt},
        {"\xEF\xBC\x95", std::nullopt}, // full-width digit
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ParseNumberText(row.text), row.value) << '"' << row.text << '"';
    }
}

TEST(FormatText, FillsPlacesInOrder) {
    EXPECT_EQ(FormatText("%s に書き込めません", {"C:\\a.ini"}), "C:\\a.ini に書き込めません");
    EXPECT_EQ(FormatText("\"%s\". %s!", {"a", "b"}), "\"a\". b!");
    EXPECT_EQ(FormatText("#%d", {"42"}), "#42");
    EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(FormatText("100%% %s", {"%s"}), "100% %s"); // arguments are not expanded again
}

} // namespace

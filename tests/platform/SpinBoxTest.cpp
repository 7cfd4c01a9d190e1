#include "platform/SpinBox.h"

#include <gtest/gtest.h>

namespace {

using TVerdict = TSpinBox::TKeyVerdict;

TEST(SpinBox, ReadsTheTextButClampsOnlyWhenSet) {
    TSpinBox digits(1, 9, 1, 4);
    EXPECT_EQ(digits.Text(), "4");
    struct Row {
        const char* text;
        std::int32_t value;
    } rows[] = {{"7", 7},   {"0", 0},  {"12", 12}, {"", 1},   {"abc", 1},
                {"$A", 10}, {" 3", 3}, {"3 ", 1},  {"-2", -2}};
    for (const auto& row : rows) {
        digits.SetText(row.text);
        EXPECT_EQ(digits.Value(), row.value) << row.text;
    }
    digits.SetValue(12); // a digit count above 9 held in memory shows as 9
    EXPECT_EQ(digits.Text(), "9");
    digits.SetValue(-5);
    EXPECT_EQ(digits.Text(), "1");

    TSpinBox next(1, 999999999, 9, 2000000000);
    EXPECT_EQ(next.Text(), "999999999");
}

TEST(SpinBox, SteppingStaysInRange) {
    TSpinBox digits(1, 9, 1, 4);
    digits.SetText("");
    digits.StepUp(); // from an empty box: the minimum plus one
    EXPECT_EQ(digits.Text(), "2");
    digits.SetValue(9);
    digits.StepUp();
    EXPECT_EQ(digits.Text(), "9");
    digits.SetValue(1);
    digits.StepDown();
    EXPECT_EQ(digits.Text(), "1");

    TSpinBox next(1, 999999999, 9, 999999999);
    next.StepUp();
    EXPECT_EQ(next.Text(), "999999999");
    next.SetText("2147483647"); // typed past the edit limit by pasting
    next.StepUp();
    EXPECT_EQ(next.Text(), "999999999");
}

TEST(SpinBox, TypedCharacters) {
    struct Row {
        char32_t typed;
        TVerdict verdict;
    } rows[] = {
        {U'0', TVerdict::Accepted}, {U'9', TVerdict::Accepted}, {8, TVerdict::Accepted},
        {U'a', TVerdict::Refused},  {U'x', TVerdict::Refused},  {U' ', TVerdict::Refused},
        {U'５', TVerdict::Refused}, {13, TVerdict::Refused}, // Enter: consumed with a beep
        {U'-', TVerdict::Dropped},  {U'+', TVerdict::Dropped},  {U'.', TVerdict::Dropped},
        {27, TVerdict::Dropped}, // Esc: consumed, no beep
        {3, TVerdict::Dropped},  // Ctrl+C typed as a character
        {22, TVerdict::Dropped}, // Ctrl+V
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TSpinBox::FilterChar(row.typed, U'.'), row.verdict) << int(row.typed);
    }
    EXPECT_EQ(TSpinBox::FilterChar(U',', U','), TVerdict::Dropped); // the locale's separator
    EXPECT_EQ(TSpinBox::FilterChar(U',', U'.'), TVerdict::Refused);
}

TEST(SpinBox, LeavingTheBoxRepairsAndClamps) {
    struct Row {
        const char* typed;
        const char* after;
    } rows[] = {
        {"", "1"},  {"abc", "1"}, {"0", "1"},   {"12", "9"},
        {"5", "5"}, {"05", "05"}, {"$7", "$7"}, {"-3", "1"},
    };
    for (const auto& row : rows) {
        TSpinBox digits(1, 9, 1, 4);
        digits.SetText(row.typed);
        digits.Exit();
        EXPECT_EQ(digits.Text(), row.after) << row.typed;
    }
    TSpinBox next(1, 999999999, 9, 1);
    next.SetText("0012");
    next.Exit();
    EXPECT_EQ(next.Text(), "0012"); // in range: left as typed
}

} // namespace

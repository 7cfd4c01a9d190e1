#include "platform/TemporaryNames.h"

#include <gtest/gtest.h>

namespace {

TEST(TemporaryNames, OnlyNamesOfOurExactFormsAreLeftovers) {
    EXPECT_EQ(TemporaryFileName(4000000, 0x0badc0de, 7), "~qrl4000000-000000000badc0de-7.tmp");
    struct Row {
        const char* name;
        std::optional<std::uint32_t> maker;
    } rows[] = {
        {"~qrl4000000-000000000badc0de-7.tmp", 4000000u},
        {"~qrl12-0123456789abcdef-0.tmp", 12u},
        {"~qrl12-5.tmp", 12u}, // as earlier releases named them
        {"~qrl4294967295-1.tmp", 4294967295u},
        // The user's own files, and names that only look like ours.
        {"~qrlnotes-1.tmp", std::nullopt},
        {"~qrl-draft.tmp", std::nullopt},
        {"~qrl.tmp", std::nullopt},
        {"~qrl12.tmp", std::nullopt},
        {"~qrl0-1.tmp", std::nullopt},          // no process has the number 0
        {"~qrl012-1.tmp", std::nullopt},        // we write no leading zero
        {"~qrl4294967296-1.tmp", std::nullopt}, // beyond a process number
        {"~qrl12--1.tmp", std::nullopt},
        {"~qrl12-1-.tmp", std::nullopt},
        {"~qrl12-0badc0de-1.tmp", std::nullopt}, // a run tag is 16 digits
        {"~qrl12-0123456789ABCDEF-1.tmp", std::nullopt},
        {"~qrl12-0123456789abcdef-1-2.tmp", std::nullopt},
        {"~qrl12-1.tmp.tmp", std::nullopt},
        {"~QRL12-1.TMP", std::nullopt},
        {"~qrl12-1.tmp ", std::nullopt},
        {"~qrl+12-1.tmp", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TemporaryFileMaker(row.name), row.maker) << row.name;
    }
}

} // namespace

#include "fuzz/SettingsRoundTrip.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// The fuzzer's seed corpus, and whatever it found worth keeping, as an ordinary test.
TEST(SettingsFuzzCorpus, EverySeedLoadsInRangeAndSavesBackTheSame) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUORLAN_FUZZ_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(CheckSettingsRoundTrip(bytes), "") << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 8);
}

} // namespace

#include "base/TextCodec.h"
#include "base/Texts.h"

#include <gtest/gtest.h>

namespace {

TEST(Texts, EveryTextHasItsCp932Form) {
    for (int i = 0; i < static_cast<int>(TText::Count); ++i) {
        const auto id = static_cast<TText>(i);
        EXPECT_FALSE(Text(id).empty()) << i;
        EXPECT_EQ(Cp932ToUtf8(Text(id)), TextUtf8(id)) << i;
    }
}

TEST(Texts, BoxTextsUseASingleCarriageReturnAsLineBreak) {
    EXPECT_EQ(Text(TText::WarningTitle), "\x8C\x78\x8D\x90");
    EXPECT_EQ(Text(TText::ErrorTitle), "\x83\x47\x83\x89\x81\x5B");
    const std::string& missing = Text(TText::RegionMissing);
    EXPECT_EQ(std::count(missing.begin(), missing.end(), '\r'), 1);
    EXPECT_EQ(missing.find('\n'), std::string::npos);
    EXPECT_EQ(TextUtf8(TText::BadPrefix).substr(TextUtf8(TText::BadPrefix).find('\r')),
              "\r( \\ / : * ? \" < > | )");
}

} // namespace

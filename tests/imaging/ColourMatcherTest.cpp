#include "imaging/ColourMatcher.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Every entry, every midpoint between two entries (where ties live) and their neighbours,
// and a million random colours, for each palette the program matches against: one by one,
// and as one row of 32-bit pixels (with repeats, and something in the unused byte).
void ExpectMatcherEqualsExhaustiveSearch(const TPalette& palette) {
    const TColourMatcher matcher(palette);
    std::vector<std::uint8_t> row;
    auto add = [&](int r, int g, int b) {
        if (r < 0 || g < 0 || b < 0 || r > 255 || g > 255 || b > 255) {
            return;
        }
        const std::uint8_t unused = static_cast<std::uint8_t>(row.size() % 7 == 0 ? 0xA5 : 0);
        row.insert(row.end(), {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r), unused});
    };
    for (const TRgb& c : palette) {
        add(c.R, c.G, c.B);
        add(c.R, c.G, c.B);
    }
    for (const TRgb& a : palette) {
        for (const TRgb& b : palette) {
            const int r = (a.R + b.R) / 2, g = (a.G + b.G) / 2, bl = (a.B + b.B) / 2;
            for (int d = -1; d <= 1; ++d) {
                add(r + d, g, bl);
                add(r, g + d, bl);
                add(r, g, bl + d);
            }
        }
    }
    std::mt19937 random(7);
    for (int i = 0; i < 1000000; ++i) {
        const std::uint32_t v = random();
        add(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    }
    const auto count = static_cast<std::int32_t>(row.size() / 4);
    std::vector<std::uint8_t> answers(row.size() / 4);
    matcher.NearestRow(row.data(), count, answers.data());
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t b = row[4 * i], g = row[4 * i + 1], r = row[4 * i + 2];
        const std::uint8_t expected = NearestColourExhaustive(palette, r, g, b);
        ASSERT_EQ(matcher.Nearest(r, g, b), expected) << int(r) << "," << int(g) << "," << int(b);
        ASSERT_EQ(answers[i], expected) << "in a row: " << int(r) << "," << int(g) << "," << int(b);
    }
}

TEST(ColourMatcher, EqualsAnExhaustiveSearchOnEveryPalette) {
    ExpectMatcherEqualsExhaustiveSearch(TrueColourHalftonePalette());
    ExpectMatcherEqualsExhaustiveSearch(BuildStandardPalette16(0, {}));
    ExpectMatcherEqualsExhaustiveSearch({{0, 0, 0}, {255, 255, 255}});
    // A palette full of ties: the same colour twice must give the lower index.
    ExpectMatcherEqualsExhaustiveSearch({{10, 10, 10}, {200, 0, 0}, {10, 10, 10}, {0, 0, 200}});
    // 256 scattered colours split more cells than 16-bit block numbers can count.
    std::mt19937 random(3);
    TPalette scattered(256);
    for (TRgb& c : scattered) {
        c = {std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random())};
    }
    ExpectMatcherEqualsExhaustiveSearch(scattered);
}

TEST(ColourMatcher, BlackAndWhiteSplitsAtASumOf383) {
    const TPalette bw = {{0, 0, 0}, {255, 255, 255}};
    EXPECT_EQ(NearestColourExhaustive(bw, 128, 127, 127), 0); // 382
    EXPECT_EQ(NearestColourExhaustive(bw, 128, 128, 127), 1); // 383
    EXPECT_EQ(NearestColourExhaustive(bw, 255, 128, 0), 1);   // 383
}

TEST(Palettes, TheTablesTheDisplayLends) {
    const TPalette halftone = TrueColourHalftonePalette();
    ASSERT_EQ(halftone.size(), 256u);
    EXPECT_EQ(halftone[0], (TRgb{0, 0, 0}));
    EXPECT_EQ(halftone[8], (TRgb{192, 220, 192}));
    EXPECT_EQ(halftone[9], (TRgb{166, 202, 240}));
    EXPECT_EQ(halftone[10], (TRgb{64, 32, 0}));      // cube: i = 10
    EXPECT_EQ(halftone[245], (TRgb{160, 192, 192})); // cube: i = 245
    EXPECT_EQ(halftone[246], (TRgb{255, 251, 240}));
    EXPECT_EQ(halftone[255], (TRgb{255, 255, 255}));

    const TPalette stored = BuildStandardPalette16(0, {});
    EXPECT_EQ(stored[1], (TRgb{128, 0, 0}));
    EXPECT_EQ(stored[7], (TRgb{128, 128, 128}));
    EXPECT_EQ(stored[8], (TRgb{192, 192, 192}));
    EXPECT_EQ(stored[15], (TRgb{255, 255, 255}));

    // A 256-entry hardware palette whose entry 7 is light grey, as Windows' static colours.
    TPalette system(256);
    for (int i = 0; i < 256; ++i) {
        system[i] = {std::uint8_t(i), std::uint8_t(255 - i), 7};
    }
    system[7] = {192, 192, 192};
    const TPalette lent = BuildStandardPalette16(256, system);
    EXPECT_EQ(lent[0], system[0]);
    EXPECT_EQ(lent[7], system[248]);
    EXPECT_EQ(lent[8], system[7]);
    EXPECT_EQ(lent[9], system[249]);
    EXPECT_EQ(lent[15], system[255]);
    system[7] = {1, 2, 3};
    const TPalette lentPlain = BuildStandardPalette16(256, system);
    EXPECT_EQ(lentPlain[7], system[7]);
    EXPECT_EQ(lentPlain[8], system[248]);
    EXPECT_EQ(BuildStandardPalette16(8, system), stored); // too small to lend anything
}

} // namespace

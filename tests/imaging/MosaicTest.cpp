#include "imaging/Mosaic.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Mosaic, EveryBlockOneMeanColourCutAtTheEdgesAndNothingOutsideTouched) {
    // Blue as below, red 1 and 2 in the first block (a mean of 1.75), green 0.
    const std::uint8_t blue[3][4] = {{10, 20, 30, 40}, {50, 60, 70, 80}, {90, 100, 110, 120}};
    std::vector<std::uint8_t> pixels(4 * 4 * 3, 0);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            pixels[4 * (y * 4 + x)] = blue[y][x];
        }
    }
    pixels[4 * 1 + 2] = 1, pixels[4 * 2 + 2] = 2, pixels[4 * 5 + 2] = 2, pixels[4 * 6 + 2] = 2;
    // Blocks of 2 from (1, 0); the area reaches below the picture and is cut there.
    MosaicPixels32(pixels.data(), 4, 3, 16, {1, 0, 4, 5}, 2);
    const std::uint8_t mosaicBlue[3][4] = {{10, 45, 45, 60}, {50, 45, 45, 60}, {90, 105, 105, 120}};
    const std::uint8_t mosaicRed[3][4] = {{0, 2, 2, 0}, {0, 2, 2, 0}, {0, 0, 0, 0}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(pixels[4 * (y * 4 + x)], mosaicBlue[y][x]) << x << "," << y;
            EXPECT_EQ(pixels[4 * (y * 4 + x) + 2], mosaicRed[y][x]) << x << "," << y;
        }
    }
}

// No block of a mosaic is a sliver: along each side, the blocks' widths.
TEST(Mosaic, ARemainderOfLessThanHalfABlockJoinsTheBlockBeforeIt) {
    struct Row {
        std::int32_t side, block;
        std::vector<std::int32_t> widths;
    } rows[] = {
        {21, 10, {10, 11}},     {24, 10, {10, 14}}, {25, 10, {10, 10, 5}},
        {30, 10, {10, 10, 10}}, {4, 10, {4}},       {1, 10, {1}},
        {13, 13, {13}},         {19, 13, {19}},     {20, 13, {13, 7}},
    };
    for (const Row& row : rows) {
        // Every column its own blue, so that columns are one colour only when averaged.
        std::vector<std::uint8_t> pixels(std::size_t(4) * row.side * row.side);
        for (std::size_t i = 0; i < pixels.size(); i += 4) {
            pixels[i] = static_cast<std::uint8_t>(8 * (i / 4 % row.side));
        }
        MosaicPixels32(pixels.data(), row.side, row.side, 4 * row.side, {0, 0, row.side, row.side},
                       row.block);
        std::vector<std::int32_t> widths;
        std::int32_t run = 1;
        for (std::int32_t x = 1; x <= row.side; ++x) {
            const bool same = x < row.side &&
                              std::equal(&pixels[4 * x], &pixels[4 * x + 3], &pixels[4 * (x - 1)]);
            if (!same) {
                widths.push_back(run);
                run = 0;
            }
            ++run;
        }
        EXPECT_EQ(widths, row.widths) << row.side << " in blocks of " << row.block;
    }
}

} // namespace

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

} // namespace

#include "imaging/Mosaic.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Mosaic, EveryBlockOneMeanColourCutAtTheEdgesAndNothingOutsideTouched) {
    const int width = 23, height = 17;
    std::vector<std::uint8_t> pixels(4 * width * height);
    for (int i = 0; i < width * height; ++i) {
        pixels[4 * i] = std::uint8_t(i * 7), pixels[4 * i + 1] = std::uint8_t(i * 13);
        pixels[4 * i + 2] = std::uint8_t(i * 29);
    }
    const std::vector<std::uint8_t> original = pixels;
    const TCaptureRegion area{3, 2, 20, 30}; // beyond the picture's bottom: clipped
    const int block = 4;
    MosaicPixels32(pixels.data(), width, height, 4 * width, area, block);
    const auto at = [&](const std::vector<std::uint8_t>& p, int x, int y, int c) {
        return int(p[4 * (y * width + x) + c]);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inside = x >= 3 && x < 20 && y >= 2;
            for (int c = 0; c < 3; ++c) {
                if (!inside) {
                    ASSERT_EQ(at(pixels, x, y, c), at(original, x, y, c)) << x << "," << y;
                    continue;
                }
                // The block holding (x, y), cut at the area and the picture.
                const int bx = 3 + (x - 3) / block * block, by = 2 + (y - 2) / block * block;
                const int x1 = std::min(bx + block, 20), y1 = std::min(by + block, height);
                int sum = 0, count = 0;
                for (int yy = by; yy < y1; ++yy) {
                    for (int xx = bx; xx < x1; ++xx) {
                        sum += at(original, xx, yy, c), ++count;
                    }
                }
                ASSERT_EQ(at(pixels, x, y, c), (sum + count / 2) / count) << x << "," << y;
            }
        }
    }
    // No pixel of the original is left where its block was not of one colour already.
    int kept = 0;
    for (int y = 2; y < height; ++y) {
        for (int x = 3; x < 20; ++x) {
            kept += at(pixels, x, y, 0) == at(original, x, y, 0) &&
                    at(pixels, x, y, 1) == at(original, x, y, 1) &&
                    at(pixels, x, y, 2) == at(original, x, y, 2);
        }
    }
    EXPECT_LT(kept, 17 * 15 / 8); // a rare pixel may equal its block's mean by chance
}

} // namespace

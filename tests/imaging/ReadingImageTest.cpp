#include "imaging/ReadingImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Grey pixels (blue, green and red alike), row by row.
std::vector<std::uint8_t> Grey(const std::vector<std::uint8_t>& values) {
    std::vector<std::uint8_t> bgra;
    for (const std::uint8_t v : values) {
        bgra.insert(bgra.end(), {v, v, v, 0});
    }
    return bgra;
}

TEST(ReadingImage, ScaledBilinearAndDarkInverted) {
    const struct {
        const char* what;
        std::vector<std::uint8_t> pixels;
        std::int32_t width, height;
        int scale;
        bool inverted;
        std::vector<std::uint8_t> read;
    } rows[] = {
        {"dark on light, between its pixels a quarter and three quarters",
         {100, 255},
         2,
         1,
         2,
         false,
         {100, 139, 216, 255, 100, 139, 216, 255}},
        {"light on dark, inverted", {0, 200}, 2, 1, 1, true, {255, 55}},
        {"down the columns as along the rows",
         {255, 155},
         1,
         2,
         2,
         false,
         {255, 255, 230, 230, 180, 180, 155, 155}},
        {"one pixel", {128}, 1, 1, 3, false, std::vector<std::uint8_t>(9, 128)},
        {"nothing", {}, 0, 0, 2, false, {}},
    };
    for (const auto& row : rows) {
        const std::vector<std::uint8_t> bgra = Grey(row.pixels);
        const TReadingImage image =
            ReadingImageOf({bgra.data(), row.width, row.height, row.width * 4}, row.scale);
        EXPECT_EQ(image.Width, row.width * row.scale) << row.what;
        EXPECT_EQ(image.Height, row.height * row.scale) << row.what;
        EXPECT_EQ(image.Inverted, row.inverted) << row.what;
        EXPECT_EQ(image.Pixels, row.read) << row.what;
    }
}

} // namespace

#include "imaging/MarkShapes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 12 x 10 canvas at (100, 50) on the screen, every pixel grey 0x808080.
struct TCanvasPixels {
    std::vector<std::uint8_t> Bytes = std::vector<std::uint8_t>(12 * 10 * 4, 0x80);
    TPixels32Canvas Canvas{Bytes.data(), 12, 10, 48, 100, 50};
    std::uint32_t At(int x, int y) const {
        const std::uint8_t* p = &Bytes[std::size_t((y - 50) * 48 + (x - 100) * 4)];
        return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }
};

TEST(MarkShapes, AFrameIsItsEdgesInsideTheBoxCutToTheCanvas) {
    TCanvasPixels pixels;
    // From above and left of the canvas to its inside: only the right and bottom edges show.
    const std::vector<TCaptureRegion> changed =
        PaintFrame(pixels.Canvas, {90, 40, 108, 56}, 2, 0xE81123);
    EXPECT_EQ(changed, (std::vector<TCaptureRegion>{{100, 54, 108, 56}, {106, 50, 108, 54}}));
    const char* rows[] = {"......xx....", "......xx....", "......xx....", "......xx....",
                          "xxxxxxxx....", "xxxxxxxx....", "............", "............",
                          "............", "............"};
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(pixels.At(100 + x, 50 + y), rows[y][x] == 'x' ? 0xE81123u : 0x808080u)
                << x << "," << y;
        }
    }
    EXPECT_TRUE(PaintFrame(pixels.Canvas, {0, 0, 50, 50}, 3, 0).empty()); // off the canvas
}

TEST(MarkShapes, TheHighlighterMultipliesRoundedAndTheMosaicKeepsItsBlocksWhenCut) {
    TCanvasPixels pixels;
    PaintHighlight(pixels.Canvas, {110, 58, 130, 70}, 0xFFEB3B);
    // 0x80 * 0xEB / 255 = 117.96 and 0x80 * 0x3B / 255 = 29.6: rounded, not cut.
    EXPECT_EQ(pixels.At(111, 59), 0x80761Eu);
    EXPECT_EQ(pixels.At(109, 59), 0x808080u);
    // Blocks of 4 from (98, 48): the first covers only the canvas's 2 x 2 corner.
    pixels.Bytes[0] = 0x00, pixels.Bytes[4] = 0x00; // two pixels' blue
    PaintMosaic(pixels.Canvas, {98, 48, 106, 56}, 4);
    EXPECT_EQ(pixels.At(101, 51) & 0xFF, 0x40u); // (0 + 0 + 128 + 128) / 4
    EXPECT_EQ(pixels.At(102, 51) & 0xFF, 0x80u); // the next block, all grey
}

TEST(MarkShapes, AnArrowCoversItsLineAndHeadInBandsThatDoNotOverlap) {
    std::vector<std::uint8_t> bytes(40 * 12 * 4, 0x80);
    const TPixels32Canvas canvas{bytes.data(), 40, 12, 160, 0, 0};
    const std::vector<TCaptureRegion> changed = PaintArrow(canvas, {0, 5}, {30, 5}, 3, 0xE81123);
    const auto at = [&](int x, int y) {
        const std::uint8_t* p = &bytes[std::size_t(y * 160 + x * 4)];
        return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    };
    struct Row {
        int x, y;
        std::uint32_t colour;
    } rows[] = {
        {0, 5, 0xE81123},  {10, 4, 0xE81123}, {10, 6, 0xE81123}, // the line, three wide
        {10, 3, 0x808080}, {10, 7, 0x808080},                    // beside it, untouched
        {20, 8, 0xE81123}, {27, 5, 0xE81123},                    // the head
        {32, 5, 0x808080}, {5, 11, 0x808080},                    // beyond the point, below
    };
    for (const Row& row : rows) {
        EXPECT_EQ(at(row.x, row.y), row.colour) << row.x << "," << row.y;
    }
    EXPECT_NE(at(20, 10), 0x808080u); // the head's edge, partly covered
    EXPECT_NE(at(20, 10), 0xE81123u);
    for (std::size_t i = 0; i < changed.size(); ++i) {
        for (std::size_t j = i + 1; j < changed.size(); ++j) {
            EXPECT_TRUE(IsEmpty(Intersection(changed[i], changed[j])));
        }
    }
}

} // namespace

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

} // namespace

#include "support/Frames.h"

#include "base/ByteSink.h"
#include "imaging/ColourMatcher.h"
#include "imaging/Palette.h"

#include <random>

TFrame VariedFrame(std::int32_t width, std::int32_t height, std::uint32_t seed) {
    TFrame frame(width, height);
    std::mt19937 random(seed);
    const std::uint32_t primaries[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF,
                                       0x808080, 0xC0C0C0, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t colour;
            switch ((x / 4 + y / 3) % 3) {
            case 0:
                colour = std::uint32_t(x * 255 / std::max(1, width - 1)) << 16 |
                         std::uint32_t(y * 255 / std::max(1, height - 1)) << 8 |
                         std::uint32_t((x + y) & 0xFF);
                break;
            case 1:
                colour = primaries[(x + 3 * y) % 10];
                break;
            default:
                colour = random() & 0xFFFFFF;
            }
            frame.At(x, y) = colour;
        }
    }
    return frame;
}

TBitmap CaptureOf(const TFrame& frame, TPixelDepth depth) {
    TBitmap bitmap;
    bitmap.SetColumns(frame.Width);
    bitmap.SetRows(frame.Height);
    bitmap.SetPixelDepth(depth);
    bitmap.DrawPixels32(0, 0, frame.View());
    return bitmap;
}

std::uint32_t ExpectedColour(std::uint32_t rgb, TPixelDepth depth) {
    const std::uint8_t r = rgb >> 16, g = rgb >> 8, b = rgb;
    auto fromTable = [&](const TPalette& table) {
        const TRgb c = table[NearestColourExhaustive(table, r, g, b)];
        return std::uint32_t(c.R) << 16 | std::uint32_t(c.G) << 8 | c.B;
    };
    switch (depth) {
    case TPixelDepth::pd1Bit:
        return fromTable({{0, 0, 0}, {255, 255, 255}});
    case TPixelDepth::pd4Bit:
        return fromTable(DisplayPalettes().Standard16);
    case TPixelDepth::pd8Bit:
        return fromTable(DisplayPalettes().Halftone);
    case TPixelDepth::pd16Bit: {
        const unsigned r5 = r >> 3, g6 = g >> 2, b5 = b >> 3;
        return std::uint32_t(r5 << 3 | r5 >> 2) << 16 | std::uint32_t(g6 << 2 | g6 >> 4) << 8 |
               (b5 << 3 | b5 >> 2);
    }
    case TPixelDepth::pdScreen:
    case TPixelDepth::pd24Bit:
    case TPixelDepth::pd32Bit:
        return rgb & 0xFFFFFF;
    }
    return 0;
}

std::string BmpBytes(const TBitmap& bitmap) {
    TMemorySink sink;
    bitmap.WriteBmp(sink);
    return sink.Bytes;
}

#include "imaging/PngImage.h"

#include "base/ByteSink.h"
#include "base/Errors.h"
#include "support/BmpReader.h"
#include "support/Frames.h"
#include "support/PngDecoder.h"

#include <gtest/gtest.h>

namespace {

constexpr TPixelDepth kDepths[] = {TPixelDepth::pd1Bit,  TPixelDepth::pd4Bit,  TPixelDepth::pd8Bit,
                                   TPixelDepth::pd16Bit, TPixelDepth::pd24Bit, TPixelDepth::pd32Bit,
                                   TPixelDepth::pdScreen};

std::string PngBytes(const TBitmap& bitmap) {
    TMemorySink sink;
    WritePng(bitmap, sink);
    return sink.Bytes;
}

// The PNG of every depth shows exactly the pixels of the BMP of that depth, in the form the
// depth calls for, at sizes that leave rows partly filled.
TEST(PngImage, EveryDepthHoldsTheColoursOfItsBmp) {
    struct TForm {
        int BitDepth, ColourType, PaletteSize;
    };
    const auto formOf = [](TPixelDepth depth) -> TForm {
        switch (depth) {
        case TPixelDepth::pd1Bit:
            return {1, 3, 2};
        case TPixelDepth::pd4Bit:
            return {4, 3, 16};
        case TPixelDepth::pd8Bit:
            return {8, 3, 256};
        default:
            return {8, 2, 0}; // 8-bit RGB
        }
    };
    TFrame junk = VariedFrame(1031, 3, 9);
    for (int x = 0; x < junk.Width; x += 2) {
        junk.At(x, 1) |= 0xC3000000u; // screens may leave anything in the fourth byte
    }
    // The last one is compressed in several batches of rows at every depth but 1 bit.
    for (const TFrame& frame :
         {VariedFrame(1, 1, 3), VariedFrame(17, 9, 5), junk, VariedFrame(1200, 500, 7)}) {
        for (const TPixelDepth depth : kDepths) {
            const TBitmap bitmap = CaptureOf(frame, depth);
            const TDecodedPng png = DecodePng(PngBytes(bitmap));
            const TBmpFile bmp = ReadBmp(BmpBytes(bitmap));
            const TForm form = formOf(depth);
            const std::string where =
                std::to_string(frame.Width) + " wide at " + std::to_string(BitsPerPixel(depth));
            ASSERT_EQ(png.Width, std::uint32_t(frame.Width)) << where;
            ASSERT_EQ(png.Height, std::uint32_t(frame.Height)) << where;
            EXPECT_EQ(png.BitDepth, form.BitDepth) << where;
            EXPECT_EQ(png.ColourType, form.ColourType) << where;
            EXPECT_EQ(png.PaletteSize, form.PaletteSize) << where;
            EXPECT_EQ(png.Interlace, 0) << where;
            for (int y = 0; y < frame.Height; ++y) {
                for (int x = 0; x < frame.Width; ++x) {
                    ASSERT_EQ(png.Pixel(x, y), bmp.Pixel(x, y)) << where << " " << x << "," << y;
                }
            }
        }
    }
}

TEST(PngImage, OnlyTheChunksAViewerNeeds) {
    const TDecodedPng rgb =
        DecodePng(PngBytes(CaptureOf(VariedFrame(40, 30), TPixelDepth::pd24Bit)));
    ASSERT_GE(rgb.Chunks.size(), 4u);
    EXPECT_EQ(rgb.Chunks.front(), "IHDR");
    EXPECT_EQ(rgb.Chunks[1], "sRGB");
    EXPECT_EQ(rgb.Chunks.back(), "IEND");
    for (std::size_t i = 2; i + 1 < rgb.Chunks.size(); ++i) {
        EXPECT_EQ(rgb.Chunks[i], "IDAT");
    }
    const TDecodedPng indexed =
        DecodePng(PngBytes(CaptureOf(VariedFrame(40, 30), TPixelDepth::pd4Bit)));
    EXPECT_EQ(indexed.Chunks[2], "PLTE");
}

TEST(PngImage, ABlankBitmapIsWhite) {
    TBitmap blank;
    blank.SetColumns(9);
    blank.SetRows(2);
    blank.SetPixelDepth(TPixelDepth::pd8Bit);
    const TDecodedPng white = DecodePng(PngBytes(blank));
    for (const std::uint32_t pixel : white.Pixels) {
        EXPECT_EQ(pixel, 0xFFFFFFu);
    }
}

} // namespace

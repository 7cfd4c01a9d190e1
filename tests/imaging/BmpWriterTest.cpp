#include "imaging/Bitmap.h"

#include "base/ByteSink.h"
#include "base/Errors.h"
#include "support/BmpReader.h"
#include "support/Frames.h"

#include <gtest/gtest.h>

namespace {

constexpr TPixelDepth kDepths[] = {TPixelDepth::pd1Bit,  TPixelDepth::pd4Bit,
                                   TPixelDepth::pd8Bit,  TPixelDepth::pd16Bit,
                                   TPixelDepth::pd24Bit, TPixelDepth::pd32Bit};

TEST(BmpWriter, FileSizesAndHeadersAtEveryDepth) {
    struct Row {
        TPixelDepth depth;
        int bits;
        std::uint32_t offBits, clrUsed, compression;
        std::size_t stride3x2, size3x2, size1x1;
    } rows[] = {
        {TPixelDepth::pd1Bit, 1, 62, 2, 0, 4, 70, 66},
        {TPixelDepth::pd4Bit, 4, 118, 16, 0, 4, 126, 122},
        {TPixelDepth::pd8Bit, 8, 1078, 256, 0, 4, 1086, 1082},
        {TPixelDepth::pd16Bit, 16, 66, 0, 3, 8, 82, 70},
        {TPixelDepth::pd24Bit, 24, 54, 0, 0, 12, 78, 58},
        {TPixelDepth::pd32Bit, 32, 54, 0, 0, 12, 78, 58},
    };
    for (const auto& row : rows) {
        const TBmpFile file = ReadBmp(BmpBytes(CaptureOf(VariedFrame(3, 2), row.depth)));
        EXPECT_EQ(file.Bytes.size(), row.size3x2) << row.bits;
        EXPECT_EQ(file.FileSize, row.size3x2) << row.bits;
        EXPECT_EQ(file.OffBits, row.offBits) << row.bits;
        EXPECT_EQ(file.Stride(), row.stride3x2) << row.bits;
        EXPECT_EQ(file.BitCount, row.bits);
        EXPECT_EQ(file.Width, 3);
        EXPECT_EQ(file.Height, 2);
        EXPECT_EQ(file.Planes, 1);
        EXPECT_EQ(file.Compression, row.compression);
        EXPECT_EQ(file.SizeImage, row.stride3x2 * 2);
        EXPECT_EQ(file.ClrUsed, row.clrUsed);
        EXPECT_EQ(file.ClrImportant, 0u);
        EXPECT_EQ(file.XPels, 0);
        EXPECT_EQ(file.YPels, 0);
        EXPECT_EQ(file.Bytes.substr(6, 4), std::string(4, '\0')); // reserved words

        const std::string tiny = BmpBytes(CaptureOf(VariedFrame(1, 1), row.depth));
        EXPECT_EQ(tiny.size(), row.size1x1) << row.bits;
        EXPECT_EQ(ReadBmp(tiny).Stride(), 4u);
    }
}

TEST(BmpWriter, MasksAndColourTables) {
    const std::string sixteen = BmpBytes(CaptureOf(VariedFrame(3, 2), TPixelDepth::pd16Bit));
    EXPECT_EQ(sixteen.substr(54, 12),
              std::string("\x00\xF8\x00\x00\xE0\x07\x00\x00\x1F\x00\x00\x00", 12));

    const std::string mono = BmpBytes(CaptureOf(VariedFrame(3, 2), TPixelDepth::pd1Bit));
    EXPECT_EQ(mono.substr(54, 8), std::string("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8));

    const std::string four = BmpBytes(CaptureOf(VariedFrame(3, 2), TPixelDepth::pd4Bit));
    EXPECT_EQ(four.substr(54, 8), std::string("\x00\x00\x00\x00\x00\x00\x80\x00", 8));
    EXPECT_EQ(four.substr(54 + 8 * 4, 4), std::string("\xC0\xC0\xC0\x00", 4));
    EXPECT_EQ(four.substr(54 + 15 * 4, 4), std::string("\xFF\xFF\xFF\x00", 4));

    // 256 entries whatever colours the picture uses.
    const TBmpFile eight =
        ReadBmp(BmpBytes(CaptureOf(TFrame(2, 2, 0xFF0000), TPixelDepth::pd8Bit)));
    EXPECT_EQ(eight.ClrUsed, 256u);
    ASSERT_EQ(eight.Table.size(), 256u);
    EXPECT_EQ(eight.Table[249].R, 255);
    EXPECT_EQ(eight.Pixel(0, 0), 0xFF0000u);
}

TEST(BmpWriter, EveryDepthReadsBackToTheExpectedColours) {
    // 47 x 33 exercises the row padding at every depth; 1031 is odd, no multiple of the
    // encoders' word sizes, and wider than the chunks rows are matched in, with runs of one
    // colour in its gradients. Screens may leave anything in the fourth byte.
    TFrame wide = VariedFrame(1031, 4, 5);
    for (int x = 0; x < wide.Width; x += 3) {
        wide.At(x, 1) |= 0xA5000000u;
    }
    for (const TFrame& frame : {VariedFrame(47, 33, 11), wide}) {
        for (const TPixelDepth depth : kDepths) {
            const TBmpFile file = ReadBmp(BmpBytes(CaptureOf(frame, depth)));
            for (int y = 0; y < frame.Height; ++y) {
                for (int x = 0; x < frame.Width; ++x) {
                    ASSERT_EQ(file.Pixel(x, y), ExpectedColour(frame.At(x, y) & 0xFFFFFFu, depth))
                        << frame.Width << " wide, " << BitsPerPixel(depth) << " bits at " << x
                        << "," << y;
                }
            }
            // The padding and the unused bits of the last byte are zero.
            const std::size_t used = (std::size_t(frame.Width) * file.BitCount + 7) / 8;
            for (int y = 0; y < frame.Height; ++y) {
                const std::string row = file.RowBytes(y);
                EXPECT_EQ(row.substr(used), std::string(row.size() - used, '\0'));
                const int spareBits = int(used * 8 - std::size_t(frame.Width) * file.BitCount);
                EXPECT_EQ(std::uint8_t(row[used - 1]) & ((1u << spareBits) - 1), 0u);
            }
        }
    }
}

TEST(BmpWriter, LargeThirtyTwoBitStoresReadBackWithTheUnusedByteCleared) {
    // Stores past a few megabytes are filled another way than small ones; a block larger
    // than the bitmap and placed at a negative offset lands with its pixel (3, 2) top-left.
    TFrame frame = VariedFrame(1034, 1033, 7);
    for (std::size_t i = 0; i < frame.Pixels.size(); i += 5) {
        frame.Pixels[i] |= 0x5A000000u;
    }
    const int width = 1031, height = 1030; // odd: rows start off 16-byte boundaries
    for (const TPixelDepth depth : {TPixelDepth::pd32Bit, TPixelDepth::pdScreen}) {
        TBitmap bitmap;
        bitmap.SetColumns(width);
        bitmap.SetRows(height);
        bitmap.SetPixelDepth(depth);
        bitmap.DrawPixels32(-3, -2, frame.View());
        const TBmpFile file = ReadBmp(BmpBytes(bitmap));
        ASSERT_EQ(file.BitCount, 32);
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            const std::string row = file.RowBytes(y);
            for (int x = 0; x < width; ++x) {
                wrong += file.Pixel(x, y) != (frame.At(x + 3, y + 2) & 0xFFFFFFu) ||
                         row[4 * std::size_t(x) + 3] != '\0';
            }
        }
        EXPECT_EQ(wrong, 0) << "depth " << int(depth);
    }
}

TEST(BmpWriter, LargePalettedDrawsMatchEveryRowOnBothThreads) {
    // Past a quarter million pixels the rows are shared with a second thread: a block drawn
    // at an offset, over a bitmap wider than it, must still land row for row and leave the
    // pixels it does not cover white.
    const TFrame frame = VariedFrame(1021, 601, 13);
    for (const TPixelDepth depth :
         {TPixelDepth::pd1Bit, TPixelDepth::pd4Bit, TPixelDepth::pd8Bit}) {
        TBitmap bitmap;
        bitmap.SetColumns(1031);
        bitmap.SetRows(603);
        bitmap.SetPixelDepth(depth);
        bitmap.DrawPixels32(5, 1, frame.View());
        const TBmpFile file = ReadBmp(BmpBytes(bitmap));
        int wrong = 0;
        for (int y = 0; y < 603; ++y) {
            for (int x = 0; x < 1031; ++x) {
                const bool drawn = x >= 5 && x < 5 + 1021 && y >= 1 && y < 1 + 601;
                const std::uint32_t expected =
                    drawn ? ExpectedColour(frame.At(x - 5, y - 1), depth) : 0xFFFFFFu;
                wrong += file.Pixel(x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << BitsPerPixel(depth) << " bits";
    }
}

TEST(BmpWriter, RowsAreBottomUpAndRowAddressCountsFromTheTop) {
    TFrame frame(1, 3);
    frame.At(0, 0) = 0x010203; // top
    frame.At(0, 2) = 0x0A0B0C; // bottom
    TBitmap bitmap = CaptureOf(frame, TPixelDepth::pd24Bit);
    const std::string bytes = BmpBytes(bitmap);
    // One pixel wide: 3 pixel bytes and 1 padding byte a row; the bottom row comes first.
    EXPECT_EQ(bytes.substr(54, 4), std::string("\x0C\x0B\x0A\x00", 4));
    EXPECT_EQ(bytes.substr(62, 4), std::string("\x03\x02\x01\x00", 4));
    EXPECT_EQ(bitmap.RowAddress(0)[0], 0x03);
    EXPECT_EQ(bitmap.RowAddress(2)[0], 0x0C);
    EXPECT_THROW(bitmap.RowAddress(3), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.RowAddress(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, NewStoresAreWhiteAndSizesOrDepthsThatDoNotChangeKeepPixels) {
    for (const TPixelDepth depth : kDepths) {
        TBitmap bitmap;
        bitmap.SetColumns(5);
        bitmap.SetRows(2);
        bitmap.SetPixelDepth(depth);
        const TBmpFile file = ReadBmp(BmpBytes(bitmap));
        EXPECT_EQ(file.Pixel(0, 0), 0xFFFFFFu) << BitsPerPixel(depth);
        EXPECT_EQ(file.Pixel(4, 1), 0xFFFFFFu) << BitsPerPixel(depth);
    }
    TBitmap bitmap = CaptureOf(VariedFrame(4, 4), TPixelDepth::pd24Bit);
    const std::string before = BmpBytes(bitmap);
    bitmap.SetColumns(4);
    bitmap.SetRows(4);
    bitmap.SetPixelDepth(TPixelDepth::pd24Bit);
    EXPECT_EQ(BmpBytes(bitmap), before);

    // A block drawn in part leaves the rest white, and off-bitmap parts are dropped.
    TBitmap partial;
    partial.SetColumns(4);
    partial.SetRows(3);
    partial.SetPixelDepth(TPixelDepth::pd4Bit);
    const TFrame red(3, 3, 0xFF0000);
    partial.DrawPixels32(3, -1, red.View());
    const TBmpFile file = ReadBmp(BmpBytes(partial));
    EXPECT_EQ(file.Pixel(3, 0), 0xFF0000u);
    EXPECT_EQ(file.Pixel(3, 1), 0xFF0000u);
    EXPECT_EQ(file.Pixel(3, 2), 0xFFFFFFu);
    EXPECT_EQ(file.Pixel(2, 0), 0xFFFFFFu);
}

TEST(Bitmap, SharedPixelsAreCopiedBeforeAChange) {
    TBitmap original = CaptureOf(TFrame(2, 2, 0x112233), TPixelDepth::pd24Bit);
    TBitmap shared;
    shared.SharePixels(original);
    EXPECT_EQ(shared.Store(), original.Store());
    shared.RowAddress(0)[0] = 0x99;
    EXPECT_NE(shared.Store(), original.Store());
    EXPECT_EQ(ReadBmp(BmpBytes(original)).Pixel(0, 0), 0x112233u);
    EXPECT_EQ(ReadBmp(BmpBytes(shared)).Pixel(0, 0), 0x112299u);

    TBitmap converted;
    converted.SharePixels(original);
    converted.SetPixelDepth(TPixelDepth::pd1Bit);
    EXPECT_EQ(original.PixelDepth(), TPixelDepth::pd24Bit);
    EXPECT_EQ(ReadBmp(BmpBytes(original)).BitCount, 24);
    EXPECT_EQ(ReadBmp(BmpBytes(converted)).Pixel(1, 1), 0u);

    TBitmap redrawn;
    redrawn.SharePixels(original);
    redrawn.DrawPixels32(0, 0, TFrame(2, 2, 0xFFFFFF).View());
    EXPECT_EQ(ReadBmp(BmpBytes(original)).Pixel(1, 1), 0x112233u);
}

TEST(Bitmap, AStoreTooLargeRaisesAndLeavesTheBitmapAsItWas) {
    TBitmap bitmap;
    bitmap.SetColumns(100000);
    EXPECT_THROW(bitmap.SetRows(100000), EOutOfResources); // 40 GB at 32 bits
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_FALSE(bitmap.HasStore());

    bitmap.SetRows(2);
    EXPECT_THROW(bitmap.SetColumns(0x7FFFFFFF), EOutOfResources);
    EXPECT_EQ(bitmap.Width(), 100000);
    EXPECT_TRUE(bitmap.HasStore());

    TBitmap depthless;
    depthless.SetColumns(30000);
    depthless.SetPixelDepth(TPixelDepth::pd1Bit); // no store yet: nothing to fail
    depthless.SetRows(30000);                     // 1-bit: about 112 MB, allowed
    EXPECT_TRUE(depthless.HasStore());
    EXPECT_THROW(depthless.SetPixelDepth(TPixelDepth::pd32Bit), EOutOfResources);
    EXPECT_EQ(depthless.PixelDepth(), TPixelDepth::pd1Bit);

    EXPECT_THROW(bitmap.SetColumns(-1), EInvalidGraphicOperation);
}

} // namespace

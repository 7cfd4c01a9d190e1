#include "imaging/JpegImage.h"

#include "base/ByteSink.h"
#include "base/Errors.h"
#include "support/Frames.h"
#include "support/JpegDecoder.h"
#include "support/PosixFileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string JpegBytes(const TBitmap& bitmap) {
    TJPEGImage image;
    image.Quality = 100;
    image.ProgressiveEncoding = false;
    image.SetSourceBitmap(bitmap);
    TMemorySink sink;
    image.WriteJpeg(sink);
    return sink.Bytes;
}

// Worst channel difference between two colours.
int Distance(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
    return worst;
}

TEST(JpegImage, WritesTheSegmentsOfABaselineJfifFile) {
    const std::string bytes = JpegBytes(CaptureOf(VariedFrame(17, 9), TPixelDepth::pd24Bit));
    EXPECT_EQ(bytes.substr(0, 25), std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00"
                                               "\x01\x00\x01\x00\x00\xFF\xDB\x00\x43\x00",
                                               25));
    const std::vector<TJpegSegment> segments = JpegSegments(bytes);
    const std::vector<std::uint8_t> markers = {0xD8, 0xE0, 0xDB, 0xDB, 0xC0,
                                               0xC4, 0xC4, 0xC4, 0xC4, 0xDA};
    ASSERT_EQ(segments.size(), markers.size());
    for (std::size_t i = 0; i < markers.size(); ++i) {
        EXPECT_EQ(segments[i].Marker, markers[i]) << i;
    }
    EXPECT_EQ(segments[1].Payload, std::string("JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 14));
    EXPECT_EQ(segments[2].Payload, std::string(1, '\x00') + std::string(64, '\x01'));
    EXPECT_EQ(segments[3].Payload, std::string(1, '\x01') + std::string(64, '\x01'));
    EXPECT_EQ(segments[4].Payload,
              std::string("\x08\x00\x09\x00\x11\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 15));
    const std::pair<std::uint8_t, std::size_t> tables[] = {
        {0x00, 29}, {0x10, 179}, {0x01, 29}, {0x11, 179}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(std::uint8_t(segments[5 + i].Payload[0]), tables[i].first);
        EXPECT_EQ(segments[5 + i].Payload.size(), tables[i].second);
    }
    // The standard luminance DC table: its 16 counts are 0 1 5 1 1 1 1 1 1 0 0 0 0 0 0 0.
    EXPECT_EQ(segments[5].Payload.substr(1, 16),
              std::string("\x00\x01\x05\x01\x01\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00", 16));
    EXPECT_EQ(segments[9].Payload, std::string("\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 10));
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");
}

TEST(JpegImage, DecodesToTheSizeAndColoursOfTheBitmap) {
    // Flat 16 x 16 blocks of varied colours: away from the block edges, 4:2:0 chroma at
    // quality 100 must give back each block's colour at the bitmap's depth.
    TFrame frame(64, 48);
    const TFrame colours = VariedFrame(4, 3, 3);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            frame.At(x, y) = colours.At(x / 16, y / 16);
        }
    }
    for (const TPixelDepth depth :
         {TPixelDepth::pd1Bit, TPixelDepth::pd4Bit, TPixelDepth::pd8Bit, TPixelDepth::pd16Bit,
          TPixelDepth::pd24Bit, TPixelDepth::pd32Bit, TPixelDepth::pdScreen}) {
        const TDecodedJpeg decoded = DecodeJpeg(JpegBytes(CaptureOf(frame, depth)));
        ASSERT_EQ(decoded.Width, 64);
        ASSERT_EQ(decoded.Height, 48);
        EXPECT_EQ(decoded.Components, 3);
        for (int y = 4; y < 48; y += 16) {
            for (int x = 4; x < 64; x += 16) {
                for (const auto& [dx, dy] : {std::pair{0, 0}, {7, 7}, {0, 7}, {7, 0}}) {
                    EXPECT_LE(Distance(decoded.Pixel(x + dx, y + dy),
                                       ExpectedColour(frame.At(x, y), depth)),
                              3)
                        << BitsPerPixel(depth) << " bits at " << x << "," << y;
                }
            }
        }
    }

    // Pure red stays red (the store holds it as 00 00 FF: blue, green, red).
    TBitmap red = CaptureOf(TFrame(16, 16, 0xFF0000), TPixelDepth::pd24Bit);
    EXPECT_EQ(red.RowAddress(0)[2], 0xFF);
    const TDecodedJpeg redJpeg = DecodeJpeg(JpegBytes(red));
    EXPECT_LE(Distance(redJpeg.Pixel(8, 8), 0xFF0000), 2);

    // A 1-bit capture is black and white, apart from coding noise.
    TFrame halves(16, 16, 0x202020);
    for (int y = 0; y < 16; ++y) {
        for (int x = 8; x < 16; ++x) {
            halves.At(x, y) = 0xE0E0E0;
        }
    }
    const TDecodedJpeg mono = DecodeJpeg(JpegBytes(CaptureOf(halves, TPixelDepth::pd1Bit)));
    EXPECT_LE(Distance(mono.Pixel(2, 8), 0x000000), 3);
    EXPECT_LE(Distance(mono.Pixel(13, 8), 0xFFFFFF), 3);

    const TDecodedJpeg single =
        DecodeJpeg(JpegBytes(CaptureOf(TFrame(1, 1, 0x00FF00), TPixelDepth::pd24Bit)));
    EXPECT_EQ(single.Width, 1);
    EXPECT_EQ(single.Height, 1);
    EXPECT_LE(Distance(single.Pixel(0, 0), 0x00FF00), 3);
}

TEST(JpegImage, EncodesOnceAndLeavesTheCallersBitmapAlone) {
    TBitmap bitmap = CaptureOf(VariedFrame(32, 32), TPixelDepth::pd8Bit);
    const TPixelStore* store = bitmap.Store();
    TJPEGImage image;
    image.Quality = 100;
    image.SetSourceBitmap(bitmap);
    EXPECT_FALSE(image.HasEncodedStream());
    TMemorySink first, second;
    image.WriteJpeg(first);
    image.Quality = 10; // read only when encoding: the stream already exists
    image.WriteJpeg(second);
    EXPECT_EQ(first.Bytes, second.Bytes);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::pd8Bit);
    EXPECT_EQ(bitmap.Store(), store);

    image.SetSourceBitmap(bitmap); // a new source drops the stream
    EXPECT_FALSE(image.HasEncodedStream());
    TMemorySink third;
    image.WriteJpeg(third);
    EXPECT_LT(third.Bytes.size(), first.Bytes.size());
}

TEST(JpegFile, NoSourceWritesNothing) {
    TJPEGImage noSource;
    TMemorySink sink;
    noSource.WriteJpeg(sink);
    EXPECT_EQ(sink.Bytes, "");
}

TEST(JpegFile, ARowTooWideForJpegRaisesAndLeavesTheOldFile) {
    TTempFolder folder;
    TPosixFileSystem files;
    folder.WriteNative("old.jpg", "precious");

    TBitmap tooWide;
    tooWide.SetColumns(65501);
    tooWide.SetRows(1);
    tooWide.SetPixelDepth(TPixelDepth::pd24Bit);
    TJPEGImage wide;
    wide.SetSourceBitmap(tooWide);
    try {
        wide.SaveJpegFile(folder.Program("old.jpg"), files);
        FAIL() << "a 65501-pixel row was encoded";
    } catch (const EJPEG& error) {
        EXPECT_EQ(error.Message().rfind(std::string("JPEG エラー #"), 0), 0u);
        EXPECT_GT(std::atoi(error.Message().c_str() + std::string("JPEG エラー #").size()), 0);
    }
    EXPECT_EQ(folder.ReadNative("old.jpg"), "precious");
    EXPECT_EQ(folder.Listing(), "old.jpg");
}

} // namespace

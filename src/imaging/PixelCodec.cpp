#include "imaging/PixelCodec.h"

#include "imaging/ColourMatcher.h"
#include "imaging/PixelWords.h"

#include <algorithm>
#include <cstring>

namespace {

// White exactly when white is nearer than black: 3*255^2 - 510*(r+g+b) < 0.
std::uint8_t BlackOrWhite(const std::uint8_t* px) {
    return (px[0] + px[1] + px[2]) >= 383 ? 1 : 0;
}

// Packs `count` indices of `bits` bits, the i-th being indexOf(i), from pixel `x` of a row.
// Whole rows (x 0) are written byte after byte with the unused bits of the last byte zero;
// spans keep the bits of the pixels around them.
template <typename IndexOf>
void PackIndices(IndexOf indexOf, int bits, std::int32_t count, std::uint8_t* row, std::int32_t x,
                 bool wholeRow) {
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    if (wholeRow) {
        std::int32_t i = 0;
        std::uint8_t* out = row;
        while (i < count) {
            unsigned byte = 0;
            for (int k = 0; k < perByte; ++k, ++i) {
                byte <<= bits;
                if (i < count) {
                    byte |= indexOf(i);
                }
            }
            *out++ = static_cast<std::uint8_t>(byte);
        }
        return;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t px = x + i;
        std::uint8_t& byte = row[px / perByte];
        const int shift = 8 - bits * (px % perByte + 1);
        byte = static_cast<std::uint8_t>((byte & ~(mask << shift)) | (indexOf(i) << shift));
    }
}

// Four-bit pixels, matched a chunk at a time so the indices fit on the stack. The chunks are
// even, so in a whole row each one starts on a byte of its own.
void PackNibbles(const TColourMatcher& matcher, const std::uint8_t* bgrx, std::int32_t count,
                 std::uint8_t* row, std::int32_t x, bool wholeRow) {
    constexpr std::int32_t kChunk = 512;
    std::uint8_t indices[kChunk];
    const auto at = [&](std::int32_t i) { return indices[i]; };
    for (std::int32_t done = 0; done < count; done += kChunk) {
        const std::int32_t n = std::min(kChunk, count - done);
        matcher.NearestRow(bgrx + 4 * static_cast<std::size_t>(done), n, indices);
        if (wholeRow) {
            PackIndices(at, 4, n, row + done / 2, 0, true);
        } else {
            PackIndices(at, 4, n, row, x + done, false);
        }
    }
}

} // namespace

TRowCodec CodecFor(TPixelDepth depth, const TPalette& table) {
    TRowCodec codec;
    codec.Depth = depth;
    codec.Table = &table;
    if (depth == TPixelDepth::pd4Bit || depth == TPixelDepth::pd8Bit) {
        codec.Matcher = &TColourMatcher::For(table);
    }
    return codec;
}

void EncodeSpan(const TRowCodec& codec, const std::uint8_t* bgrx, std::int32_t count,
                std::uint8_t* row, std::int32_t x, bool wholeRow, std::size_t strideBytes) {
    switch (codec.Depth) {
    case TPixelDepth::pdScreen:
    case TPixelDepth::pd32Bit: {
        CopyColours32(row + 4 * static_cast<std::size_t>(x), bgrx, static_cast<std::size_t>(count));
        break;
    }
    case TPixelDepth::pd24Bit: {
        std::uint8_t* out = row + 3 * static_cast<std::size_t>(x);
        std::int32_t i = 0;
        // Eight pixels (32 bytes) become three 64-bit words (24 bytes).
        for (; i + 8 <= count; i += 8) {
            const std::uint8_t* in = bgrx + 4 * static_cast<std::size_t>(i);
            const std::uint64_t a = Load64(in), b = Load64(in + 8);
            const std::uint64_t c = Load64(in + 16), d = Load64(in + 24);
            constexpr std::uint64_t kLow = 0x00FFFFFFu;
            const std::uint64_t p0 = a & kLow, p1 = (a >> 32) & kLow;
            const std::uint64_t p2 = b & kLow, p3 = (b >> 32) & kLow;
            const std::uint64_t p4 = c & kLow, p5 = (c >> 32) & kLow;
            const std::uint64_t p6 = d & kLow, p7 = (d >> 32) & kLow;
            std::uint8_t* words = out + 3 * static_cast<std::size_t>(i);
            Store64(words, p0 | (p1 << 24) | (p2 << 48));
            Store64(words + 8, (p2 >> 16) | (p3 << 8) | (p4 << 32) | (p5 << 56));
            Store64(words + 16, (p5 >> 8) | (p6 << 16) | (p7 << 40));
        }
        for (; i < count; ++i) {
            out[3 * i] = bgrx[4 * i];
            out[3 * i + 1] = bgrx[4 * i + 1];
            out[3 * i + 2] = bgrx[4 * i + 2];
        }
        break;
    }
    case TPixelDepth::pd16Bit: {
        std::uint8_t* out = row + 2 * static_cast<std::size_t>(x);
        for (std::int32_t i = 0; i < count; ++i) {
            const std::uint8_t* px = bgrx + 4 * i;
            const std::uint16_t v = Pack565(px[2], px[1], px[0]);
            out[2 * i] = static_cast<std::uint8_t>(v & 0xFF);
            out[2 * i + 1] = static_cast<std::uint8_t>(v >> 8);
        }
        break;
    }
    case TPixelDepth::pd8Bit: {
        codec.Matcher->NearestRow(bgrx, count, row + x);
        break;
    }
    case TPixelDepth::pd4Bit:
        PackNibbles(*codec.Matcher, bgrx, count, row, x, wholeRow);
        break;
    case TPixelDepth::pd1Bit:
        PackIndices([&](std::int32_t i) { return BlackOrWhite(bgrx + 4 * i); }, 1, count, row, x,
                    wholeRow);
        break;
    }
    if (wholeRow) {
        const std::size_t used =
            (static_cast<std::size_t>(count) * BitsPerPixel(codec.Depth) + 7) / 8;
        if (used < strideBytes) {
            std::memset(row + used, 0, strideBytes - used);
        }
    }
}

void DecodeSpan(const TRowCodec& codec, const std::uint8_t* row, std::int32_t x, std::int32_t count,
                std::uint8_t* bgrx) {
    auto putTable = [&](std::int32_t i, unsigned index) {
        const TRgb c = index < codec.Table->size() ? (*codec.Table)[index] : TRgb{};
        bgrx[4 * i] = c.B;
        bgrx[4 * i + 1] = c.G;
        bgrx[4 * i + 2] = c.R;
        bgrx[4 * i + 3] = 0;
    };
    switch (codec.Depth) {
    case TPixelDepth::pdScreen:
    case TPixelDepth::pd32Bit:
        CopyColours32(bgrx, row + 4 * static_cast<std::size_t>(x), static_cast<std::size_t>(count));
        break;
    case TPixelDepth::pd24Bit:
        for (std::int32_t i = 0; i < count; ++i) {
            const std::uint8_t* px = row + 3 * static_cast<std::size_t>(x + i);
            bgrx[4 * i] = px[0];
            bgrx[4 * i + 1] = px[1];
            bgrx[4 * i + 2] = px[2];
            bgrx[4 * i + 3] = 0;
        }
        break;
    case TPixelDepth::pd16Bit:
        for (std::int32_t i = 0; i < count; ++i) {
            const std::uint8_t* px = row + 2 * static_cast<std::size_t>(x + i);
            const unsigned v = px[0] | (px[1] << 8);
            bgrx[4 * i] = Widen5(v & 0x1F);
            bgrx[4 * i + 1] = Widen6((v >> 5) & 0x3F);
            bgrx[4 * i + 2] = Widen5(v >> 11);
            bgrx[4 * i + 3] = 0;
        }
        break;
    case TPixelDepth::pd8Bit:
        for (std::int32_t i = 0; i < count; ++i) {
            putTable(i, row[x + i]);
        }
        break;
    case TPixelDepth::pd4Bit:
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t px = x + i;
            putTable(i, (row[px / 2] >> (px % 2 ? 0 : 4)) & 0x0F);
        }
        break;
    case TPixelDepth::pd1Bit:
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t px = x + i;
            putTable(i, (row[px / 8] >> (7 - px % 8)) & 1);
        }
        break;
    }
}

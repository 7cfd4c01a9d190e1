#pragma once

#include "imaging/PixelDepth.h"
#include "imaging/Palette.h"

#include <cstdint>

class TColourMatcher;

// Turning 32-bit pixels (blue, green, red, unused) into the pixels of a store row and back.
// Paletted depths match each colour to the nearest table entry; 16 bits keep the top 5-6-5
// bits; widening repeats the top bits into the low ones.

struct TRowCodec {
    TPixelDepth Depth = TPixelDepth::pd24Bit;
    const TPalette* Table = nullptr;         // the store's colour table (paletted depths)
    const TColourMatcher* Matcher = nullptr; // its matcher (4 and 8 bits)
};

TRowCodec CodecFor(TPixelDepth depth, const TPalette& table);

// Writes `count` pixels into `row` from pixel `x` on. Whole rows (x 0, count the width) also
// clear the unused bits and padding up to `strideBytes`; partial spans touch only their pixels.
void EncodeSpan(const TRowCodec& codec, const std::uint8_t* bgrx, std::int32_t count,
                std::uint8_t* row, std::int32_t x, bool wholeRow, std::size_t strideBytes);

// Reads `count` pixels from pixel `x` of `row` as 32-bit pixels (the fourth byte 0).
void DecodeSpan(const TRowCodec& codec, const std::uint8_t* row, std::int32_t x, std::int32_t count,
                std::uint8_t* bgrx);

inline std::uint16_t Pack565(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
inline std::uint8_t Widen5(unsigned v) {
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}
inline std::uint8_t Widen6(unsigned v) {
    return static_cast<std::uint8_t>((v << 2) | (v >> 4));
}

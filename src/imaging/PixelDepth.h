#pragma once

#include <cstdint>

// pdScreen is the form a bitmap has before any depth is set: the screen-compatible store,
// held here as plain 32-bit pixels.
enum class TPixelDepth { pdScreen, pd1Bit, pd4Bit, pd8Bit, pd16Bit, pd24Bit, pd32Bit };

constexpr int BitsPerPixel(TPixelDepth depth) {
    switch (depth) {
    case TPixelDepth::pdScreen:
        return 32;
    case TPixelDepth::pd1Bit:
        return 1;
    case TPixelDepth::pd4Bit:
        return 4;
    case TPixelDepth::pd8Bit:
        return 8;
    case TPixelDepth::pd16Bit:
        return 16;
    case TPixelDepth::pd24Bit:
        return 24;
    case TPixelDepth::pd32Bit:
        return 32;
    }
    return 32;
}

// Entries of the colour table a store of that depth carries.
constexpr int ColourTableSize(TPixelDepth depth) {
    switch (depth) {
    case TPixelDepth::pd1Bit:
        return 2;
    case TPixelDepth::pd4Bit:
        return 16;
    case TPixelDepth::pd8Bit:
        return 256;
    case TPixelDepth::pdScreen:
    case TPixelDepth::pd16Bit:
    case TPixelDepth::pd24Bit:
    case TPixelDepth::pd32Bit:
        return 0;
    }
    return 0;
}

// Bytes of one row: the pixels rounded up to whole 32-bit words.
constexpr std::uint64_t RowStride(std::int64_t width, TPixelDepth depth) {
    return ((static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(BitsPerPixel(depth)) +
             31) /
            32) *
           4;
}
static_assert(RowStride(3, TPixelDepth::pd24Bit) == 12);
static_assert(RowStride(1, TPixelDepth::pd1Bit) == 4);
static_assert(RowStride(33, TPixelDepth::pd1Bit) == 8);

// The depth that an ImageBit setting selects; 1 is 16 bits and 2 is 4 bits.
constexpr TPixelDepth DepthForImageBit(std::int32_t imageBit) {
    switch (imageBit) {
    case 0:
        return TPixelDepth::pd1Bit;
    case 1:
        return TPixelDepth::pd16Bit;
    case 2:
        return TPixelDepth::pd4Bit;
    case 3:
        return TPixelDepth::pd24Bit;
    case 4:
        return TPixelDepth::pd8Bit;
    default:
        return TPixelDepth::pd32Bit;
    }
}

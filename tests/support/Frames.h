#pragma once

#include "imaging/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

// A block of 32-bit screen pixels held as red << 16 | green << 8 | blue, which in memory is
// the bytes blue, green, red, 0 on a little-endian machine.
struct TFrame {
    std::int32_t Width = 0, Height = 0;
    std::vector<std::uint32_t> Pixels;

    TFrame(std::int32_t width, std::int32_t height, std::uint32_t fill = 0)
        : Width(width), Height(height), Pixels(std::size_t(width) * height, fill) {}
    std::uint32_t& At(int x, int y) { return Pixels[std::size_t(y) * Width + x]; }
    std::uint32_t At(int x, int y) const { return Pixels[std::size_t(y) * Width + x]; }
    TPixels32View View() const {
        return {reinterpret_cast<const std::uint8_t*>(Pixels.data()), Width, Height,
                static_cast<std::ptrdiff_t>(Width) * 4};
    }
};

// A frame of varied colours: gradients, a grid of primaries, and noise.
TFrame VariedFrame(std::int32_t width, std::int32_t height, std::uint32_t seed = 1);

// The capture sequence: size, depth, then the screen block drawn on.
TBitmap CaptureOf(const TFrame& frame, TPixelDepth depth);

// The BMP file the bitmap writes.
std::string BmpBytes(const TBitmap& bitmap);

// What a pixel of that colour becomes at the depth, by the rules the writer must follow,
// computed the slow way (exhaustive nearest colour).
std::uint32_t ExpectedColour(std::uint32_t rgb, TPixelDepth depth);

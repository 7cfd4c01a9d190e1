#pragma once

#include "base/Pixels32.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A picture as the text recogniser reads it best: grey, dark text on light (a picture whose mean
// luminance is dark is inverted), scaled up with a bilinear filter (never by nearest pixels, and
// never binarised). Rows of Width bytes, one after the other.
struct TReadingImage {
    std::vector<std::uint8_t> Pixels;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool Inverted = false;
};

// The scale screen text is read at: 96-dpi text scaled twice reads as 192-dpi print.
inline constexpr int kReadingScale = 2;

TReadingImage ReadingImageOf(const TPixels32View& picture, int scale = kReadingScale);

#pragma once

#include "base/Pixels32.h"

#include <cstdint>
#include <vector>

// A desktop-like frame of 32-bit screen pixels: flat window areas, gradient bars, lines of
// text-like detail, and a photo-like picture with noise. The same for every run.
class TSyntheticFrame {
public:
    TSyntheticFrame(std::int32_t width, std::int32_t height);
    TPixels32View View() const;
    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    const std::vector<std::uint32_t>& Pixels() const { return FPixels; }

private:
    std::int32_t FWidth;
    std::int32_t FHeight;
    std::vector<std::uint32_t> FPixels;
};

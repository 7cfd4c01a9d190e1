#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// A length of the program's drawing at 96 dpi, on a monitor of that scaling, rounded; never
// smaller than at 96 dpi.
inline std::int32_t ScaledToDpi(std::int32_t pixels, int dpi) {
    return static_cast<std::int32_t>(std::lround(pixels * std::max(dpi, 96) / 96.0));
}

#pragma once

#include <cstdint>
#include <vector>

struct TRgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    bool operator==(const TRgb&) const = default;
};

using TPalette = std::vector<TRgb>;

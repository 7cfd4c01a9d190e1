#pragma once

#include <cstdint>

// A rectangle in primary-screen pixels; Right and Bottom are exclusive.
struct TCaptureRegion {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool operator==(const TCaptureRegion&) const = default;
};

#pragma once

#include <algorithm>
#include <cstdint>

// A rectangle in primary-screen pixels; Right and Bottom are exclusive.
struct TCaptureRegion {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool operator==(const TCaptureRegion&) const = default;
};

// A position on the virtual screen.
struct TScreenPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TScreenPoint&) const = default;
};

inline bool IsEmpty(const TCaptureRegion& r) {
    return r.Left >= r.Right || r.Top >= r.Bottom;
}

inline bool Contains(const TCaptureRegion& r, TScreenPoint at) {
    return at.X >= r.Left && at.X < r.Right && at.Y >= r.Top && at.Y < r.Bottom;
}

// What two rectangles share; empty (IsEmpty) when nothing.
inline TCaptureRegion Intersection(const TCaptureRegion& a, const TCaptureRegion& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

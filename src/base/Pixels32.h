#pragma once

#include "base/CaptureRegion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

// A block of 32-bit screen pixels: rows from the top down, each pixel the bytes blue, green,
// red and one unused byte.
struct TPixels32View {
    const std::uint8_t* Data = nullptr;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::ptrdiff_t Stride = 0; // bytes from one row to the next

    const std::uint8_t* Row(std::int32_t y) const { return Data + y * Stride; }
};

// A block of 32-bit pixels to draw on, as TPixels32View lays them out, with where its top-left
// pixel is on the screen.
struct TPixels32Canvas {
    std::uint8_t* Data = nullptr;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::ptrdiff_t Stride = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;

    std::uint8_t* Row(std::int32_t y) const { return Data + y * Stride; }
    // Where it lies on the screen.
    TCaptureRegion Area() const { return {Left, Top, Left + Width, Top + Height}; }
};

// Copies the pixels of `from`, whose top-left pixel is at (`fromLeft`, `fromTop`) on the
// screen, that fall on the canvas.
inline void CopyPixels32(const TPixels32Canvas& canvas, const TPixels32View& from,
                         std::int64_t fromLeft, std::int64_t fromTop) {
    const std::int64_t left = std::max<std::int64_t>(fromLeft, canvas.Left);
    const std::int64_t top = std::max<std::int64_t>(fromTop, canvas.Top);
    const std::int64_t right =
        std::min<std::int64_t>(fromLeft + from.Width, std::int64_t{canvas.Left} + canvas.Width);
    const std::int64_t bottom =
        std::min<std::int64_t>(fromTop + from.Height, std::int64_t{canvas.Top} + canvas.Height);
    for (std::int64_t y = top; y < bottom; ++y) {
        std::memcpy(canvas.Row(static_cast<std::int32_t>(y - canvas.Top)) +
                        4 * (left - canvas.Left),
                    from.Row(static_cast<std::int32_t>(y - fromTop)) + 4 * (left - fromLeft),
                    static_cast<std::size_t>(4 * (right - left)));
    }
}

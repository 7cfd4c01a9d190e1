#pragma once

#include <cstddef>
#include <cstdint>

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
};

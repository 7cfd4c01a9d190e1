#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads the PNG files the program writes, with libpng's reading side, to check them.
struct TDecodedPng {
    std::uint32_t Width = 0, Height = 0;
    int BitDepth = 0, ColourType = 0, Interlace = 0, PaletteSize = 0;
    std::vector<std::string> Chunks;   // the chunk types in file order
    std::vector<std::uint32_t> Pixels; // red << 16 | green << 8 | blue, rows from the top
    std::uint32_t Pixel(int x, int y) const { return Pixels[std::size_t(y) * Width + x]; }
};

// Raises std::runtime_error on anything malformed.
TDecodedPng DecodePng(const std::string& bytes);

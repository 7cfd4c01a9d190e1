#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An independent reader of the BMP files the program writes, used to check them.
struct TBmpFile {
    std::uint32_t FileSize = 0, OffBits = 0;
    std::int32_t Width = 0, Height = 0;
    std::uint16_t Planes = 0, BitCount = 0;
    std::uint32_t Compression = 0, SizeImage = 0, ClrUsed = 0, ClrImportant = 0;
    std::int32_t XPels = 0, YPels = 0;
    std::uint32_t Masks[3] = {0, 0, 0};
    struct Entry {
        std::uint8_t B, G, R, Reserved;
    };
    std::vector<Entry> Table;
    std::string Bytes; // the whole file

    std::size_t Stride() const { return ((std::size_t(Width) * BitCount + 31) / 32) * 4; }
    // Colour of pixel (x, y), y from the top, as red << 16 | green << 8 | blue.
    std::uint32_t Pixel(int x, int y) const;
    // Raw bytes of row y from the top.
    std::string RowBytes(int y) const;
};

// Parses the file; raises std::runtime_error on anything malformed.
TBmpFile ReadBmp(const std::string& bytes);

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// libjpeg's decoder, to check what the writer made.
struct TDecodedJpeg {
    int Width = 0, Height = 0, Components = 0;
    std::vector<std::uint8_t> Rgb; // Width * Height * 3, rows from the top
    std::uint32_t Pixel(int x, int y) const {
        const std::uint8_t* p = &Rgb[(std::size_t(y) * Width + x) * 3];
        return std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
    }
};

// Raises std::runtime_error when the library refuses the data.
TDecodedJpeg DecodeJpeg(const std::string& bytes);

// The JPEG segments in file order: marker (the byte after FF) and the segment's bytes after
// its length field. Stops after SOS, then checks the file ends FF D9.
struct TJpegSegment {
    std::uint8_t Marker;
    std::string Payload;
};
std::vector<TJpegSegment> JpegSegments(const std::string& bytes);

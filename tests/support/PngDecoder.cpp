#include "support/PngDecoder.h"

#include <png.h>

#include <cstring>
#include <stdexcept>

TDecodedPng DecodePng(const std::string& bytes) {
    TDecodedPng decoded;
    static const char kSignature[] = "\x89PNG\r\n\x1A\n";
    if (bytes.size() < 8 || bytes.compare(0, 8, kSignature, 8) != 0) {
        throw std::runtime_error("no PNG signature");
    }
    for (std::size_t at = 8; at + 12 <= bytes.size();) {
        const auto u8 = [&](std::size_t i) { return std::uint32_t(std::uint8_t(bytes[i])); };
        const std::uint32_t length = u8(at) << 24 | u8(at + 1) << 16 | u8(at + 2) << 8 | u8(at + 3);
        decoded.Chunks.push_back(bytes.substr(at + 4, 4));
        if (decoded.Chunks.back() == "PLTE") {
            decoded.PaletteSize = int(length / 3);
        }
        at += 12 + std::size_t(length);
    }

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        throw std::runtime_error(image.message);
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(std::size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        throw std::runtime_error(image.message);
    }
    decoded.Width = image.width;
    decoded.Height = image.height;
    for (std::uint32_t& pixel : pixels) {
        pixel &= 0xFFFFFFu; // BGRA in memory: alpha is the high byte
    }
    decoded.Pixels = std::move(pixels);

    // The header's own fields, as the file states them.
    const auto u8 = [&](std::size_t i) { return int(std::uint8_t(bytes[i])); };
    decoded.BitDepth = u8(24);
    decoded.ColourType = u8(25);
    decoded.Interlace = u8(28);
    return decoded;
}

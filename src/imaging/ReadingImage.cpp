#include "imaging/ReadingImage.h"

#include <cstdint>

namespace {

// Rec. 601 luma, as most screen text is anti-aliased against.
std::uint8_t Luma(const std::uint8_t* bgra) {
    return static_cast<std::uint8_t>((114 * bgra[0] + 587 * bgra[1] + 299 * bgra[2] + 500) / 1000);
}

} // namespace

TReadingImage ReadingImageOf(const TPixels32View& picture, int scale) {
    TReadingImage image;
    if (picture.Width <= 0 || picture.Height <= 0 || scale < 1) {
        return image;
    }
    const std::int32_t w = picture.Width, h = picture.Height;
    std::vector<std::uint8_t> grey(std::size_t(w) * h);
    std::uint64_t sum = 0;
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* row = picture.Row(y);
        for (std::int32_t x = 0; x < w; ++x) {
            const std::uint8_t luma = Luma(row + 4 * x);
            grey[std::size_t(y) * w + x] = luma;
            sum += luma;
        }
    }
    image.Inverted = sum < std::uint64_t{128} * w * h;
    if (image.Inverted) {
        for (std::uint8_t& value : grey) {
            value = std::uint8_t(255 - value);
        }
    }
    image.Width = w * scale;
    image.Height = h * scale;
    image.Pixels.resize(std::size_t(image.Width) * image.Height);
    // Each output pixel's centre mapped back onto the source, in 1/256ths of a pixel, the edges
    // held; the weights of a pixel's two neighbours along each axis sum to 256.
    const auto source = [&](std::int32_t out, std::int32_t size, std::int32_t& low,
                            std::int32_t& weight) {
        const std::int32_t at = ((2 * out + 1) * 128) / scale - 128; // centre, in 1/256ths
        if (at <= 0) {
            low = 0;
            weight = 0;
        } else if (at >= (size - 1) * 256) {
            low = size - 1;
            weight = 0;
        } else {
            low = at >> 8;
            weight = at & 255;
        }
    };
    std::vector<std::int32_t> xLow(image.Width), xWeight(image.Width);
    for (std::int32_t x = 0; x < image.Width; ++x) {
        source(x, w, xLow[x], xWeight[x]);
    }
    for (std::int32_t y = 0; y < image.Height; ++y) {
        std::int32_t yLow = 0, yWeight = 0;
        source(y, h, yLow, yWeight);
        const std::uint8_t* top = &grey[std::size_t(yLow) * w];
        const std::uint8_t* bottom = yWeight ? top + w : top;
        std::uint8_t* out = &image.Pixels[std::size_t(y) * image.Width];
        for (std::int32_t x = 0; x < image.Width; ++x) {
            const std::int32_t x0 = xLow[x];
            const std::int32_t x1 = xWeight[x] ? x0 + 1 : x0;
            const std::int32_t a = top[x0] * (256 - xWeight[x]) + top[x1] * xWeight[x];
            const std::int32_t b = bottom[x0] * (256 - xWeight[x]) + bottom[x1] * xWeight[x];
            out[x] = std::uint8_t((a * (256 - yWeight) + b * yWeight + 32768) >> 16);
        }
    }
    return image;
}

#include "SyntheticFrame.h"

#include <cmath>
#include <random>

namespace {

std::uint32_t Rgb(int r, int g, int b) {
    auto clamp = [](int v) { return static_cast<std::uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

} // namespace

TSyntheticFrame::TSyntheticFrame(std::int32_t width, std::int32_t height)
    : FWidth(width), FHeight(height), FPixels(std::size_t(width) * height) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> noise(-24, 24);
    const int photoLeft = width * 3 / 5, photoTop = height / 6;
    const int photoRight = width - width / 20, photoBottom = height * 2 / 3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t colour;
            if (y < height / 30) {
                // a title bar: horizontal gradient
                colour = Rgb(40 + 120 * x / width, 80 + 100 * x / width, 200 - 60 * x / width);
            } else if (y > height - height / 25) {
                // the task bar: flat, with a vertical gradient
                colour = Rgb(30 + 20 * (height - y) / (height / 25), 34, 40);
            } else if (x >= photoLeft && x < photoRight && y >= photoTop && y < photoBottom) {
                const double u = double(x - photoLeft) / (photoRight - photoLeft);
                const double v = double(y - photoTop) / (photoBottom - photoTop);
                colour = Rgb(int(128 + 100 * std::sin(7 * u + 3 * v)) + noise(random),
                             int(120 + 90 * std::sin(5 * v - 2 * u)) + noise(random),
                             int(110 + 80 * std::cos(9 * u * v)) + noise(random));
            } else if (x < width / 2 && y > height / 10 && y < height * 9 / 10) {
                // a document: black text on white, in lines of 8 x 16 glyph cells
                const int line = y % 20, column = x % 9;
                const bool ink =
                    line < 14 && column < 7 &&
                    ((std::uint32_t(x / 9) * 2654435761u ^ std::uint32_t(y / 20) * 40503u ^
                      std::uint32_t(line * 7 + column) * 97u) >>
                     13) % 5 ==
                        0;
                colour = ink ? Rgb(20, 20, 20) : Rgb(255, 255, 255);
            } else {
                // a window face
                colour = Rgb(240, 240, 240);
            }
            FPixels[std::size_t(y) * width + x] = colour;
        }
    }
}

TPixels32View TSyntheticFrame::View() const {
    return {reinterpret_cast<const std::uint8_t*>(FPixels.data()), FWidth, FHeight,
            static_cast<std::ptrdiff_t>(FWidth) * 4};
}

#include "imaging/PointerPatch.h"

namespace {

std::uint8_t Over(unsigned under, unsigned black, unsigned white) {
    // b + s (w - b) / 255, rounded to the nearest, within 0 .. 255 by construction.
    const int delta = static_cast<int>(white) - static_cast<int>(black);
    const int scaled = static_cast<int>(under) * delta;
    return static_cast<std::uint8_t>(
        static_cast<int>(black) + (scaled >= 0 ? (scaled + 127) / 255 : -((127 - scaled) / 255)));
}

} // namespace

std::vector<std::uint8_t> PointerPatch(const TPointerPicture& pointer, const TPixels32View& block,
                                       std::int64_t blockLeft, std::int64_t blockTop) {
    std::vector<std::uint8_t> patch(4 * static_cast<std::size_t>(pointer.Width) * pointer.Height);
    for (std::int32_t y = 0; y < pointer.Height; ++y) {
        for (std::int32_t x = 0; x < pointer.Width; ++x) {
            const std::int64_t bx = pointer.Left + x - blockLeft;
            const std::int64_t by = pointer.Top + y - blockTop;
            std::uint8_t under[3] = {0xFF, 0xFF, 0xFF}; // blue, green, red
            if (bx >= 0 && by >= 0 && bx < block.Width && by < block.Height) {
                const std::uint8_t* pixel = block.Row(static_cast<std::int32_t>(by)) + 4 * bx;
                under[0] = pixel[0], under[1] = pixel[1], under[2] = pixel[2];
            }
            const std::size_t i = static_cast<std::size_t>(y) * pointer.Width + x;
            const std::uint32_t black = pointer.OverBlack[i], white = pointer.OverWhite[i];
            std::uint8_t* out = &patch[4 * i];
            for (int c = 0; c < 3; ++c) {
                out[c] = Over(under[c], (black >> (8 * c)) & 0xFF, (white >> (8 * c)) & 0xFF);
            }
            out[3] = 0;
        }
    }
    return patch;
}

TPixels32View PatchView(const TPointerPicture& pointer, const std::vector<std::uint8_t>& patch) {
    return {patch.data(), pointer.Width, pointer.Height, 4 * std::ptrdiff_t{pointer.Width}};
}

#include "imaging/MarkShapes.h"

#include "imaging/Mosaic.h"

#include <algorithm>

namespace {

TCaptureRegion OnCanvas(const TPixels32Canvas& canvas, const TCaptureRegion& box) {
    return Intersection(
        box, {canvas.Left, canvas.Top, canvas.Left + canvas.Width, canvas.Top + canvas.Height});
}

// Applies `change` to each pixel's blue, green and red bytes within the part of `box` on the
// canvas; returns that part, or nothing.
template <typename TChange>
std::vector<TCaptureRegion> EachPixel(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                      TChange change) {
    const TCaptureRegion part = OnCanvas(canvas, box);
    if (IsEmpty(part)) {
        return {};
    }
    for (std::int32_t y = part.Top; y < part.Bottom; ++y) {
        std::uint8_t* pixel =
            canvas.Row(y - canvas.Top) + 4 * std::ptrdiff_t{part.Left - canvas.Left};
        for (std::int32_t x = part.Left; x < part.Right; ++x, pixel += 4) {
            change(pixel);
        }
    }
    return {part};
}

} // namespace

std::vector<TCaptureRegion> PaintFrame(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                       std::int32_t width, std::uint32_t colour) {
    if (IsEmpty(box) || width < 1) {
        return {};
    }
    const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(colour),
                                 static_cast<std::uint8_t>(colour >> 8),
                                 static_cast<std::uint8_t>(colour >> 16)};
    const auto paint = [&bgr](std::uint8_t* pixel) { std::copy(bgr, bgr + 3, pixel); };
    // Four edges that do not overlap: a large frame repaints its edges, never its inside.
    const std::int32_t top = std::min(box.Top + width, box.Bottom);
    const std::int32_t bottom = std::max(box.Bottom - width, top);
    const std::int32_t left = std::min(box.Left + width, box.Right);
    const std::int32_t right = std::max(box.Right - width, left);
    const TCaptureRegion edges[] = {{box.Left, box.Top, box.Right, top},
                                    {box.Left, bottom, box.Right, box.Bottom},
                                    {box.Left, top, left, bottom},
                                    {right, top, box.Right, bottom}};
    std::vector<TCaptureRegion> changed;
    for (const TCaptureRegion& edge : edges) {
        for (const TCaptureRegion& part : EachPixel(canvas, edge, paint)) {
            changed.push_back(part);
        }
    }
    return changed;
}

std::vector<TCaptureRegion> PaintHighlight(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                           std::uint32_t colour) {
    const std::uint32_t factor[3] = {colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF};
    return EachPixel(canvas, box, [&factor](std::uint8_t* pixel) {
        for (int c = 0; c < 3; ++c) {
            pixel[c] = static_cast<std::uint8_t>((pixel[c] * factor[c] + 127) / 255);
        }
    });
}

std::vector<TCaptureRegion> PaintMosaic(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                        std::int32_t blockSize) {
    const TCaptureRegion part = OnCanvas(canvas, box);
    if (IsEmpty(part)) {
        return {};
    }
    // Blocks keep their place from the box's own corner, however it is clipped.
    MosaicPixels32(canvas.Data, canvas.Width, canvas.Height, canvas.Stride,
                   {box.Left - canvas.Left, box.Top - canvas.Top, box.Right - canvas.Left,
                    box.Bottom - canvas.Top},
                   blockSize);
    return {part};
}

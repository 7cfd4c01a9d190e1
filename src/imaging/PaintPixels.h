#pragma once

#include "base/CaptureRegion.h"
#include "base/Pixels32.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// What the marks' painters share: a colour as a pixel holds it, a pixel moved towards a colour
// by how much of it a shape covers, and a walk over the pixels of a box on the canvas.

// A point between pixels: a pixel's centre is at its position plus a half.
struct TVector {
    double X, Y;
};

// A colour's blue, green and red bytes, as a pixel holds them.
struct TBgr {
    explicit TBgr(std::uint32_t colour)
        : Bytes{static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                static_cast<std::uint8_t>(colour >> 16)} {}
    std::uint8_t Bytes[3];
};

// The pixel moved towards the colour by how much of it a shape covers, from 0 to 1.
inline void Blend(std::uint8_t* pixel, std::uint32_t colour, double cover) {
    if (cover <= 0) {
        return;
    }
    const TBgr bgr(colour);
    for (int c = 0; c < 3; ++c) {
        pixel[c] =
            static_cast<std::uint8_t>(std::lround(pixel[c] + (bgr.Bytes[c] - pixel[c]) * cover));
    }
}

// Applies `change` to each pixel's blue, green and red bytes within the part of `box` on the
// canvas, told the pixel's screen position; returns that part, or nothing.
template <typename TChange>
std::vector<TCaptureRegion> EachPixelAt(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                        TChange change) {
    const TCaptureRegion part = Intersection(box, canvas.Area());
    if (IsEmpty(part)) {
        return {};
    }
    for (std::int32_t y = part.Top; y < part.Bottom; ++y) {
        std::uint8_t* pixel =
            canvas.Row(y - canvas.Top) + 4 * std::ptrdiff_t{part.Left - canvas.Left};
        for (std::int32_t x = part.Left; x < part.Right; ++x, pixel += 4) {
            change(pixel, x, y);
        }
    }
    return {part};
}

// The rows from `top` to `bottom` cut into bands this many rows high: a stroke's areas are as
// wide as the stroke within each band, so that a long slanting one changes a strip along itself.
inline constexpr std::int32_t kStrokeBand = 32;

// The bands of the rows from `top` to `bottom`, each widened to the areas that fall in it.
class TStrokeBands {
public:
    TStrokeBands(std::int32_t top, std::int32_t bottom)
        : FTop(top), FBottom(bottom),
          FSpans(static_cast<std::size_t>((bottom - top + kStrokeBand - 1) / kStrokeBand),
                 {INT32_MAX, INT32_MIN}) {}

    void Widen(const TCaptureRegion& area) {
        if (FSpans.empty() || area.Bottom <= area.Top) {
            return;
        }
        const auto last = std::min(
            FSpans.size() - 1, static_cast<std::size_t>((area.Bottom - 1 - FTop) / kStrokeBand));
        for (auto band = static_cast<std::size_t>((area.Top - FTop) / kStrokeBand); band <= last;
             ++band) {
            FSpans[band] = {std::min(FSpans[band].first, area.Left),
                            std::max(FSpans[band].second, area.Right)};
        }
    }

    // The bands something fell in, as wide as it.
    std::vector<TCaptureRegion> Bands() const {
        std::vector<TCaptureRegion> bands;
        for (std::size_t band = 0; band < FSpans.size(); ++band) {
            if (FSpans[band].first < FSpans[band].second) {
                const std::int32_t y = FTop + static_cast<std::int32_t>(band) * kStrokeBand;
                bands.push_back({FSpans[band].first, y, FSpans[band].second,
                                 std::min(y + kStrokeBand, FBottom)});
            }
        }
        return bands;
    }

private:
    std::int32_t FTop, FBottom;
    std::vector<std::pair<std::int32_t, std::int32_t>> FSpans;
};

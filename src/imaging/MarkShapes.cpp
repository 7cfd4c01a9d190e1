#include "imaging/MarkShapes.h"

#include "imaging/Mosaic.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// A colour's blue, green and red bytes, as a pixel holds them.
struct TBgr {
    explicit TBgr(std::uint32_t colour)
        : Bytes{static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                static_cast<std::uint8_t>(colour >> 16)} {}
    std::uint8_t Bytes[3];
};

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

template <typename TChange>
std::vector<TCaptureRegion> EachPixel(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                      TChange change) {
    return EachPixelAt(
        canvas, box, [&change](std::uint8_t* pixel, std::int32_t, std::int32_t) { change(pixel); });
}

} // namespace

std::vector<TCaptureRegion> PaintFrame(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                       std::int32_t width, std::uint32_t colour) {
    if (IsEmpty(box) || width < 1) {
        return {};
    }
    const TBgr bgr(colour);
    const auto paint = [&bgr](std::uint8_t* pixel) { std::copy(bgr.Bytes, bgr.Bytes + 3, pixel); };
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
    const TCaptureRegion part = Intersection(box, canvas.Area());
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

namespace {

struct TVector {
    double X, Y;
};

// An edge of a convex shape: how far inside it a point lies, by its unit normal. Square roots
// only, never hypot: sqrt is exact under IEEE on every build, hypot's last bit is the library's.
struct TEdge {
    TEdge(TVector a, TVector b) : A(a) {
        const double ex = b.X - a.X, ey = b.Y - a.Y, length = std::sqrt(ex * ex + ey * ey);
        NX = length > 0 ? ey / length : 0, NY = length > 0 ? -ex / length : 0;
    }
    double Inside(TVector p) const { return (p.X - A.X) * NX + (p.Y - A.Y) * NY; }
    TVector A;
    double NX, NY;
};

// The pixel moved towards the colour by how much of it a shape covers, from 0 to 1.
void Blend(std::uint8_t* pixel, std::uint32_t colour, double cover) {
    if (cover <= 0) {
        return;
    }
    const TBgr bgr(colour);
    for (int c = 0; c < 3; ++c) {
        pixel[c] =
            static_cast<std::uint8_t>(std::lround(pixel[c] + (bgr.Bytes[c] - pixel[c]) * cover));
    }
}

// The rows the arrow reaches cut into bands of 32, each as wide as the arrow within it: the
// line's pixels and their reach, and the head's box.
std::vector<TCaptureRegion> ArrowBands(TScreenPoint from, TScreenPoint to, std::int32_t reach,
                                       const TCaptureRegion& head) {
    constexpr std::int32_t kBand = 32;
    const std::int32_t top = std::min(std::min(from.Y, to.Y) - reach, head.Top);
    const std::int32_t bottom = std::max(std::max(from.Y, to.Y) + 1 + reach, head.Bottom);
    const auto count = static_cast<std::size_t>((bottom - top + kBand - 1) / kBand);
    std::vector<std::pair<std::int32_t, std::int32_t>> spans(count, {INT32_MAX, INT32_MIN});
    const auto widen = [&](std::int32_t y0, std::int32_t y1, std::int32_t x0, std::int32_t x1) {
        const auto last = std::min(count - 1, static_cast<std::size_t>((y1 - 1 - top) / kBand));
        for (auto band = static_cast<std::size_t>((y0 - top) / kBand); band <= last; ++band) {
            spans[band] = {std::min(spans[band].first, x0), std::max(spans[band].second, x1)};
        }
    };
    const std::int64_t dx = std::int64_t{to.X} - from.X, dy = std::int64_t{to.Y} - from.Y;
    const std::int64_t steps = std::max<std::int64_t>({1, std::abs(dx), std::abs(dy)});
    for (std::int64_t i = 0; i <= steps; ++i) {
        const auto x = static_cast<std::int32_t>(from.X + (dx * i + steps / 2) / steps);
        const auto y = static_cast<std::int32_t>(from.Y + (dy * i + steps / 2) / steps);
        widen(y - reach, y + reach + 1, x - reach, x + reach + 1);
    }
    widen(head.Top, head.Bottom, head.Left, head.Right);
    std::vector<TCaptureRegion> bands;
    for (std::size_t band = 0; band < count; ++band) {
        if (spans[band].first < spans[band].second) {
            const std::int32_t y = top + static_cast<std::int32_t>(band) * kBand;
            bands.push_back(
                {spans[band].first, y, spans[band].second, std::min(y + kBand, bottom)});
        }
    }
    return bands;
}

} // namespace

std::vector<TCaptureRegion> PaintArrow(const TPixels32Canvas& canvas, TScreenPoint from,
                                       TScreenPoint to, std::int32_t width, std::uint32_t colour) {
    if (width < 1) {
        return {};
    }
    // Pixel centres; the head is as long as four lines are wide, and nine tenths as wide.
    const TVector a{from.X + 0.5, from.Y + 0.5}, tip{to.X + 0.5, to.Y + 0.5};
    const double dx = tip.X - a.X, dy = tip.Y - a.Y, length = std::sqrt(dx * dx + dy * dy);
    const double headLength = std::min(4.0 * width + 4, length), half = headLength * 0.45;
    const double ux = length > 0 ? dx / length : 0, uy = length > 0 ? dy / length : 0;
    const TVector base{tip.X - ux * headLength, tip.Y - uy * headLength};
    const TVector left{base.X + uy * half, base.Y - ux * half};
    const TVector right{base.X - uy * half, base.Y + ux * half};
    const TEdge edges[] = {{tip, left}, {left, right}, {right, tip}};
    // The line stops inside the head, so that no end of it shows beside the point.
    const TVector end{tip.X - ux * headLength * 0.6, tip.Y - uy * headLength * 0.6};
    const double ex = end.X - a.X, ey = end.Y - a.Y, length2 = ex * ex + ey * ey;
    const double edge = width / 2.0 + 0.5; // where the line's cover falls to nothing
    const TCaptureRegion headBox{
        static_cast<std::int32_t>(std::floor(std::min({tip.X, left.X, right.X}))) - 1,
        static_cast<std::int32_t>(std::floor(std::min({tip.Y, left.Y, right.Y}))) - 1,
        static_cast<std::int32_t>(std::ceil(std::max({tip.X, left.X, right.X}))) + 1,
        static_cast<std::int32_t>(std::ceil(std::max({tip.Y, left.Y, right.Y}))) + 1};
    std::vector<TCaptureRegion> changed;
    const auto paint = [&](std::uint8_t* pixel, std::int32_t x, std::int32_t y) {
        const TVector p{x + 0.5, y + 0.5};
        const double t = length2 > 0
                             ? std::clamp(((p.X - a.X) * ex + (p.Y - a.Y) * ey) / length2, 0.0, 1.0)
                             : 0.0;
        const double ox = p.X - (a.X + t * ex), oy = p.Y - (a.Y + t * ey);
        const double distance2 = ox * ox + oy * oy;
        double cover = distance2 < edge * edge ? std::min(1.0, edge - std::sqrt(distance2)) : 0.0;
        if (length > 0 && cover < 1) {
            const double inside =
                std::min({edges[0].Inside(p), edges[1].Inside(p), edges[2].Inside(p)});
            cover = std::max(cover, std::clamp(inside + 0.5, 0.0, 1.0));
        }
        Blend(pixel, colour, cover);
    };
    for (const TCaptureRegion& band :
         ArrowBands(from, to, static_cast<std::int32_t>(std::ceil(edge)) + 1, headBox)) {
        for (const TCaptureRegion& part : EachPixelAt(canvas, band, paint)) {
            changed.push_back(part);
        }
    }
    return changed;
}

std::vector<TCaptureRegion> PaintDisc(const TPixels32Canvas& canvas, TScreenPoint centre,
                                      std::int32_t radius, std::uint32_t colour) {
    if (radius < 1) {
        return {};
    }
    const TVector c{centre.X + 0.5, centre.Y + 0.5};
    const TCaptureRegion box{centre.X - radius - 1, centre.Y - radius - 1, centre.X + radius + 2,
                             centre.Y + radius + 2};
    return EachPixelAt(canvas, box, [&](std::uint8_t* pixel, std::int32_t x, std::int32_t y) {
        const double ox = x + 0.5 - c.X, oy = y + 0.5 - c.Y;
        const double distance = std::sqrt(ox * ox + oy * oy);
        Blend(pixel, colour, std::clamp(radius + 0.5 - distance, 0.0, 1.0));
    });
}

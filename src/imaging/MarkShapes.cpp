#include "imaging/MarkShapes.h"

#include "imaging/Mosaic.h"
#include "imaging/PaintPixels.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

template <typename TChange>
std::vector<TCaptureRegion> EachPixel(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                      TChange change) {
    return EachPixelAt(
        canvas, box, [&change](std::uint8_t* pixel, std::int32_t, std::int32_t) { change(pixel); });
}

} // namespace

std::vector<TCaptureRegion> FrameAreas(const TCaptureRegion& box, std::int32_t width) {
    if (IsEmpty(box) || width < 1) {
        return {};
    }
    // Four edges that do not overlap: a large frame repaints its edges, never its inside.
    const std::int32_t top = std::min(box.Top + width, box.Bottom);
    const std::int32_t bottom = std::max(box.Bottom - width, top);
    const std::int32_t left = std::min(box.Left + width, box.Right);
    const std::int32_t right = std::max(box.Right - width, left);
    std::vector<TCaptureRegion> edges;
    for (const TCaptureRegion& edge : {TCaptureRegion{box.Left, box.Top, box.Right, top},
                                       TCaptureRegion{box.Left, bottom, box.Right, box.Bottom},
                                       TCaptureRegion{box.Left, top, left, bottom},
                                       TCaptureRegion{right, top, box.Right, bottom}}) {
        if (!IsEmpty(edge)) {
            edges.push_back(edge);
        }
    }
    return edges;
}

std::vector<TCaptureRegion> PaintFrame(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                       std::int32_t width, std::uint32_t colour) {
    const TBgr bgr(colour);
    const auto paint = [&bgr](std::uint8_t* pixel) { std::copy(bgr.Bytes, bgr.Bytes + 3, pixel); };
    std::vector<TCaptureRegion> changed;
    for (const TCaptureRegion& edge : FrameAreas(box, width)) {
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

// The rows the arrow reaches cut into bands, each as wide as the arrow within it: the line's
// pixels and their reach, and the head's box.
std::vector<TCaptureRegion> ArrowBands(TScreenPoint from, TScreenPoint to, std::int32_t reach,
                                       const TCaptureRegion& head) {
    const std::int32_t top = std::min(std::min(from.Y, to.Y) - reach, head.Top);
    const std::int32_t bottom = std::max(std::max(from.Y, to.Y) + 1 + reach, head.Bottom);
    TStrokeBands bands(top, bottom);
    const std::int64_t dx = std::int64_t{to.X} - from.X, dy = std::int64_t{to.Y} - from.Y;
    const std::int64_t steps = std::max<std::int64_t>({1, std::abs(dx), std::abs(dy)});
    for (std::int64_t i = 0; i <= steps; ++i) {
        const auto x = static_cast<std::int32_t>(from.X + (dx * i + steps / 2) / steps);
        const auto y = static_cast<std::int32_t>(from.Y + (dy * i + steps / 2) / steps);
        bands.Widen({x - reach, y - reach, x + reach + 1, y + reach + 1});
    }
    bands.Widen(head);
    return bands.Bands();
}

// An arrow's shape: a line from the start, stopping inside the head, and the head's triangle
// at the point. Pixel centres; the head is as long as four lines are wide, and nine tenths as
// wide.
struct TArrowShape {
    TArrowShape(TScreenPoint from, TScreenPoint to, std::int32_t width)
        : A{from.X + 0.5, from.Y + 0.5}, Tip{to.X + 0.5, to.Y + 0.5} {
        const double dx = Tip.X - A.X, dy = Tip.Y - A.Y;
        Length = std::sqrt(dx * dx + dy * dy);
        const double headLength = std::min(4.0 * width + 4, Length), half = headLength * 0.45;
        const double ux = Length > 0 ? dx / Length : 0, uy = Length > 0 ? dy / Length : 0;
        const TVector base{Tip.X - ux * headLength, Tip.Y - uy * headLength};
        Left = {base.X + uy * half, base.Y - ux * half};
        Right = {base.X - uy * half, base.Y + ux * half};
        // The line stops inside the head, so that no end of it shows beside the point.
        const TVector end{Tip.X - ux * headLength * 0.6, Tip.Y - uy * headLength * 0.6};
        EX = end.X - A.X, EY = end.Y - A.Y, Length2 = EX * EX + EY * EY;
        Edge = width / 2.0 + 0.5; // where the line's cover falls to nothing
        HeadBox = {static_cast<std::int32_t>(std::floor(std::min({Tip.X, Left.X, Right.X}))) - 1,
                   static_cast<std::int32_t>(std::floor(std::min({Tip.Y, Left.Y, Right.Y}))) - 1,
                   static_cast<std::int32_t>(std::ceil(std::max({Tip.X, Left.X, Right.X}))) + 1,
                   static_cast<std::int32_t>(std::ceil(std::max({Tip.Y, Left.Y, Right.Y}))) + 1};
    }
    std::vector<TCaptureRegion> Areas(TScreenPoint from, TScreenPoint to) const {
        return ArrowBands(from, to, static_cast<std::int32_t>(std::ceil(Edge)) + 1, HeadBox);
    }
    TVector A, Tip, Left{}, Right{};
    double Length, EX, EY, Length2, Edge;
    TCaptureRegion HeadBox;
};

} // namespace

std::vector<TCaptureRegion> ArrowAreas(TScreenPoint from, TScreenPoint to, std::int32_t width) {
    return width < 1 ? std::vector<TCaptureRegion>{} : TArrowShape(from, to, width).Areas(from, to);
}

std::vector<TCaptureRegion> PaintArrow(const TPixels32Canvas& canvas, TScreenPoint from,
                                       TScreenPoint to, std::int32_t width, std::uint32_t colour) {
    if (width < 1) {
        return {};
    }
    const TArrowShape arrow(from, to, width);
    const TEdge edges[] = {
        {arrow.Tip, arrow.Left}, {arrow.Left, arrow.Right}, {arrow.Right, arrow.Tip}};
    const TVector a = arrow.A;
    const double edge = arrow.Edge, ex = arrow.EX, ey = arrow.EY, length2 = arrow.Length2;
    std::vector<TCaptureRegion> changed;
    const auto paint = [&](std::uint8_t* pixel, std::int32_t x, std::int32_t y) {
        const TVector p{x + 0.5, y + 0.5};
        const double t = length2 > 0
                             ? std::clamp(((p.X - a.X) * ex + (p.Y - a.Y) * ey) / length2, 0.0, 1.0)
                             : 0.0;
        const double ox = p.X - (a.X + t * ex), oy = p.Y - (a.Y + t * ey);
        const double distance2 = ox * ox + oy * oy;
        double cover = distance2 < edge * edge ? std::min(1.0, edge - std::sqrt(distance2)) : 0.0;
        if (arrow.Length > 0 && cover < 1) {
            const double inside =
                std::min({edges[0].Inside(p), edges[1].Inside(p), edges[2].Inside(p)});
            cover = std::max(cover, std::clamp(inside + 0.5, 0.0, 1.0));
        }
        Blend(pixel, colour, cover);
    };
    for (const TCaptureRegion& band : arrow.Areas(from, to)) {
        for (const TCaptureRegion& part : EachPixelAt(canvas, band, paint)) {
            changed.push_back(part);
        }
    }
    return changed;
}

TCaptureRegion DiscArea(TScreenPoint centre, std::int32_t radius) {
    return {centre.X - radius - 1, centre.Y - radius - 1, centre.X + radius + 2,
            centre.Y + radius + 2};
}

std::vector<TCaptureRegion> PaintDisc(const TPixels32Canvas& canvas, TScreenPoint centre,
                                      std::int32_t radius, std::uint32_t colour) {
    if (radius < 1) {
        return {};
    }
    const TVector c{centre.X + 0.5, centre.Y + 0.5};
    return EachPixelAt(canvas, DiscArea(centre, radius),
                       [&](std::uint8_t* pixel, std::int32_t x, std::int32_t y) {
                           const double ox = x + 0.5 - c.X, oy = y + 0.5 - c.Y;
                           const double distance = std::sqrt(ox * ox + oy * oy);
                           Blend(pixel, colour, std::clamp(radius + 0.5 - distance, 0.0, 1.0));
                       });
}

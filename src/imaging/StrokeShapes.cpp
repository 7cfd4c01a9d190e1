#include "imaging/StrokeShapes.h"

#include "imaging/PaintPixels.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The line's pixel centres; smoothed, its corners cut twice (each segment's quarter points
// kept), which leaves the ends where they are.
std::vector<TVector> StrokeCentres(const std::vector<TScreenPoint>& points, bool smooth) {
    std::vector<TVector> line;
    line.reserve(points.size());
    for (const TScreenPoint& p : points) {
        line.push_back({p.X + 0.5, p.Y + 0.5});
    }
    for (int pass = 0; smooth && pass < 2 && line.size() > 2; ++pass) {
        std::vector<TVector> cut{line.front()};
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            const TVector a = line[i], b = line[i + 1];
            if (i > 0) {
                cut.push_back({0.75 * a.X + 0.25 * b.X, 0.75 * a.Y + 0.25 * b.Y});
            }
            if (i + 2 < line.size()) {
                cut.push_back({0.25 * a.X + 0.75 * b.X, 0.25 * a.Y + 0.75 * b.Y});
            }
        }
        cut.push_back(line.back());
        line = std::move(cut);
    }
    return line;
}

// A piece of the line no longer than half a band, and the pixels its cover may reach.
struct TPiece {
    TVector A, B;
    TCaptureRegion Reach;
};

struct TStroke {
    TStroke(const std::vector<TScreenPoint>& points, std::int32_t width, bool smooth)
        : Edge(width / 2.0 + 0.5) {
        const std::vector<TVector> line = StrokeCentres(points, smooth);
        const auto reach = static_cast<std::int32_t>(std::ceil(Edge)) + 1;
        const auto add = [&](TVector a, TVector b) {
            Pieces.push_back({a,
                              b,
                              {static_cast<std::int32_t>(std::floor(std::min(a.X, b.X))) - reach,
                               static_cast<std::int32_t>(std::floor(std::min(a.Y, b.Y))) - reach,
                               static_cast<std::int32_t>(std::ceil(std::max(a.X, b.X))) + reach,
                               static_cast<std::int32_t>(std::ceil(std::max(a.Y, b.Y))) + reach}});
        };
        for (std::size_t i = 0; i < line.size(); ++i) {
            const TVector a = line[i], b = i + 1 < line.size() ? line[i + 1] : line[i];
            if (i + 1 == line.size() && line.size() > 1) {
                break;
            }
            const double dx = b.X - a.X, dy = b.Y - a.Y;
            const auto steps = std::max<std::int64_t>(
                1, static_cast<std::int64_t>(
                       std::ceil(std::max(std::abs(dx), std::abs(dy)) / (kStrokeBand / 2))));
            for (std::int64_t s = 0; s < steps; ++s) {
                const double t0 = double(s) / double(steps), t1 = double(s + 1) / double(steps);
                add({a.X + dx * t0, a.Y + dy * t0}, {a.X + dx * t1, a.Y + dy * t1});
            }
        }
    }

    // The bands the pieces reach, each as wide as they are within it.
    std::vector<TCaptureRegion> Bands() const {
        if (Pieces.empty()) {
            return {};
        }
        std::int32_t top = INT32_MAX, bottom = INT32_MIN;
        for (const TPiece& piece : Pieces) {
            top = std::min(top, piece.Reach.Top), bottom = std::max(bottom, piece.Reach.Bottom);
        }
        TStrokeBands bands(top, bottom);
        for (const TPiece& piece : Pieces) {
            bands.Widen(piece.Reach);
        }
        return bands.Bands();
    }

    // How much of the pixel whose centre is `p` the piece covers.
    double Cover(const TPiece& piece, TVector p) const {
        const double ex = piece.B.X - piece.A.X, ey = piece.B.Y - piece.A.Y;
        const double length2 = ex * ex + ey * ey;
        const double t =
            length2 > 0
                ? std::clamp(((p.X - piece.A.X) * ex + (p.Y - piece.A.Y) * ey) / length2, 0.0, 1.0)
                : 0.0;
        const double ox = p.X - (piece.A.X + t * ex), oy = p.Y - (piece.A.Y + t * ey);
        const double distance2 = ox * ox + oy * oy;
        return distance2 < Edge * Edge ? std::min(1.0, Edge - std::sqrt(distance2)) : 0.0;
    }

    double Edge; // where the cover falls to nothing, from the line's middle
    std::vector<TPiece> Pieces;
};

} // namespace

std::vector<TCaptureRegion> StrokeAreas(const std::vector<TScreenPoint>& points, std::int32_t width,
                                        bool smooth) {
    return width < 1 ? std::vector<TCaptureRegion>{} : TStroke(points, width, smooth).Bands();
}

std::vector<TCaptureRegion> PaintStroke(const TPixels32Canvas& canvas,
                                        const std::vector<TScreenPoint>& points, std::int32_t width,
                                        std::uint32_t colour, bool smooth) {
    if (width < 1) {
        return {};
    }
    const TStroke stroke(points, width, smooth);
    std::vector<TCaptureRegion> changed;
    std::vector<double> cover;
    for (const TCaptureRegion& band : stroke.Bands()) {
        const TCaptureRegion part = Intersection(band, canvas.Area());
        if (IsEmpty(part)) {
            continue;
        }
        // The most any piece covers each pixel: where the line turns, its pieces overlap.
        const std::int32_t w = part.Right - part.Left;
        cover.assign(std::size_t(w) * std::size_t(part.Bottom - part.Top), 0.0);
        for (const TPiece& piece : stroke.Pieces) {
            const TCaptureRegion near = Intersection(piece.Reach, part);
            for (std::int32_t y = near.Top; y < near.Bottom; ++y) {
                double* row = &cover[std::size_t(y - part.Top) * w];
                for (std::int32_t x = near.Left; x < near.Right; ++x) {
                    double& most = row[x - part.Left];
                    most = std::max(most, stroke.Cover(piece, {x + 0.5, y + 0.5}));
                }
            }
        }
        EachPixelAt(canvas, part, [&](std::uint8_t* pixel, std::int32_t x, std::int32_t y) {
            Blend(pixel, colour, cover[std::size_t(y - part.Top) * w + (x - part.Left)]);
        });
        changed.push_back(part);
    }
    return changed;
}

double EllipseDistance(const TCaptureRegion& box, std::int32_t width, double x, double y) {
    // The stroke's middle: an ellipse half a line inside the box's edges. Its first-order
    // distance |f| / |grad f|, with f = (x / rx)^2 + (y / ry)^2 - 1.
    const double rx = std::max(0.5, (box.Right - box.Left - width) / 2.0);
    const double ry = std::max(0.5, (box.Bottom - box.Top - width) / 2.0);
    const double px = x - (box.Left + box.Right) / 2.0, py = y - (box.Top + box.Bottom) / 2.0;
    const double f = (px * px) / (rx * rx) + (py * py) / (ry * ry) - 1;
    const double gx = 2 * px / (rx * rx), gy = 2 * py / (ry * ry);
    const double g = std::sqrt(gx * gx + gy * gy);
    return g > 0 ? std::abs(f) / g : std::max(rx, ry);
}

std::vector<TCaptureRegion> EllipseAreas(const TCaptureRegion& box, std::int32_t width) {
    if (IsEmpty(box) || width < 1) {
        return {};
    }
    const double cx = (box.Left + box.Right) / 2.0, cy = (box.Top + box.Bottom) / 2.0;
    const double ax = (box.Right - box.Left) / 2.0 + 1, ay = (box.Bottom - box.Top) / 2.0 + 1;
    const double ix = ax - width - 3, iy = ay - width - 3; // the hole no pixel of it reaches
    std::vector<TCaptureRegion> areas;
    for (std::int32_t y0 = box.Top - 1; y0 < box.Bottom + 1; y0 += kStrokeBand) {
        const std::int32_t y1 = std::min(y0 + kStrokeBand, box.Bottom + 1);
        const double top = y0 + 0.5 - cy, bottom = y1 - 0.5 - cy;
        const double nearest = top > 0 ? top : bottom < 0 ? -bottom : 0.0;
        const double farthest = std::max(std::abs(top), std::abs(bottom));
        const double outer = ax * std::sqrt(std::max(0.0, 1 - (nearest / ay) * (nearest / ay)));
        const std::int32_t left =
            std::max(box.Left - 1, static_cast<std::int32_t>(std::floor(cx - outer)) - 1);
        const std::int32_t right =
            std::min(box.Right + 1, static_cast<std::int32_t>(std::ceil(cx + outer)) + 1);
        const double inner = ix > 0 && iy > 0 && farthest < iy
                                 ? ix * std::sqrt(1 - (farthest / iy) * (farthest / iy))
                                 : 0.0;
        const auto holeLeft = static_cast<std::int32_t>(std::ceil(cx - inner));
        const auto holeRight = static_cast<std::int32_t>(std::floor(cx + inner));
        if (holeRight - holeLeft > 2 && left < holeLeft && holeRight < right) {
            areas.push_back({left, y0, holeLeft, y1});
            areas.push_back({holeRight, y0, right, y1});
        } else if (left < right) {
            areas.push_back({left, y0, right, y1});
        }
    }
    return areas;
}

std::vector<TCaptureRegion> PaintEllipse(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                         std::int32_t width, std::uint32_t colour) {
    const double edge = width / 2.0 + 0.5;
    std::vector<TCaptureRegion> changed;
    for (const TCaptureRegion& area : EllipseAreas(box, width)) {
        for (const TCaptureRegion& part :
             EachPixelAt(canvas, area, [&](std::uint8_t*pixel, std::int32_t x, std::int32_t y) {
                 const double distance = EllipseDistance(box, width, x + 0.5, y + 0.5);
                 Blend(pixel, colour, std::clamp(edge - distance, 0.0, 1.0));
             })) {
            changed.push_back(part);
        }
    }
    return changed;
}

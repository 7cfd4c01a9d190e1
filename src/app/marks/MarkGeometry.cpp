#include "app/marks/MarkGeometry.h"

#include "imaging/MarkShapes.h"
#include "imaging/StrokeShapes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

double DistanceToSegment(double px, double py, TScreenPoint a, TScreenPoint b) {
    const double ax = a.X + 0.5, ay = a.Y + 0.5, ex = b.X - a.X, ey = b.Y - a.Y;
    const double length2 = ex * ex + ey * ey;
    const double t =
        length2 > 0 ? std::clamp(((px - ax) * ex + (py - ay) * ey) / length2, 0.0, 1.0) : 0.0;
    const double ox = px - (ax + t * ex), oy = py - (ay + t * ey);
    return std::sqrt(ox * ox + oy * oy);
}

double DistanceToBox(TScreenPoint at, const TCaptureRegion& box) {
    const double dx = at.X < box.Left     ? box.Left - at.X
                      : at.X >= box.Right ? at.X - box.Right + 1
                                          : 0;
    const double dy = at.Y < box.Top       ? box.Top - at.Y
                      : at.Y >= box.Bottom ? at.Y - box.Bottom + 1
                                           : 0;
    return std::sqrt(dx * dx + dy * dy);
}

// The mark's stroke (a pen's points, else its two ends).
std::vector<TScreenPoint> StrokeOf(const TMark& mark) {
    return mark.Tool == TMarkTool::Pen && !mark.Points.empty()
               ? mark.Points
               : std::vector<TScreenPoint>{mark.From, mark.To};
}

int Sign(std::int32_t v) {
    return (v > 0) - (v < 0);
}

double DistanceToPoint(double px, double py, TScreenPoint p) {
    const double dx = px - (p.X + 0.5), dy = py - (p.Y + 0.5);
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

bool IsBoxMark(TMarkTool tool) {
    return tool == TMarkTool::Frame || tool == TMarkTool::Highlighter ||
           tool == TMarkTool::Mosaic || tool == TMarkTool::Ellipse;
}

bool IsLineMark(TMarkTool tool) {
    return tool == TMarkTool::Arrow || tool == TMarkTool::Line;
}

std::vector<TCaptureRegion> MarkAreas(const TMark& mark, const TMarkStyle& style,
                                      const TCaptureRegion& letters) {
    const std::int32_t width = style.LineWidth;
    switch (mark.Tool) {
    case TMarkTool::Frame:
        return FrameAreas(DraggedBox(mark), width);
    case TMarkTool::Highlighter:
    case TMarkTool::Mosaic:
        return {DraggedBox(mark)};
    case TMarkTool::Arrow:
        return ArrowAreas(mark.From, mark.To, width);
    case TMarkTool::Line:
    case TMarkTool::Pen:
        return StrokeAreas(StrokeOf(mark), width, mark.Tool == TMarkTool::Pen);
    case TMarkTool::Ellipse:
        return EllipseAreas(DraggedBox(mark), width);
    case TMarkTool::Step:
        return {DiscArea(mark.From, style.StepRadius), letters};
    case TMarkTool::Text:
        return {letters};
    }
    return {};
}

TCaptureRegion Around(const std::vector<TCaptureRegion>& areas) {
    TCaptureRegion around{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const TCaptureRegion& area : areas) {
        if (!IsEmpty(area)) {
            around = {std::min(around.Left, area.Left), std::min(around.Top, area.Top),
                      std::max(around.Right, area.Right), std::max(around.Bottom, area.Bottom)};
        }
    }
    return IsEmpty(around) ? TCaptureRegion{} : around;
}

bool HitsMark(const TMark& mark, TScreenPoint at, const TMarkStyle& style,
              const TCaptureRegion& letters) {
    const double px = at.X + 0.5, py = at.Y + 0.5;
    const double near = style.LineWidth / 2.0 + style.Reach;
    switch (mark.Tool) {
    case TMarkTool::Frame:
        for (const TCaptureRegion& edge : FrameAreas(DraggedBox(mark), style.LineWidth)) {
            if (DistanceToBox(at, edge) <= style.Reach) {
                return true;
            }
        }
        return false;
    case TMarkTool::Highlighter:
    case TMarkTool::Mosaic:
        return Contains(DraggedBox(mark), at);
    case TMarkTool::Arrow: {
        // Along its head, as wide as the arrow draws it; beyond the point, as near as the line.
        const double head = 4.0 * style.LineWidth + 4;
        const double ex = mark.To.X - mark.From.X, ey = mark.To.Y - mark.From.Y;
        const double length = std::sqrt(ex * ex + ey * ey);
        const double along =
            length > 0 ? ((px - mark.From.X - 0.5) * ex + (py - mark.From.Y - 0.5) * ey) / length
                       : 0;
        const bool byHead = along >= length - head && along <= length;
        const double reach = byHead ? std::max(near, head * 0.45 + style.Reach) : near;
        return DistanceToSegment(px, py, mark.From, mark.To) <= reach;
    }
    case TMarkTool::Line:
    case TMarkTool::Pen: {
        const std::vector<TScreenPoint> stroke = StrokeOf(mark);
        for (std::size_t i = 0; i < stroke.size(); ++i) {
            const TScreenPoint b = i + 1 < stroke.size() ? stroke[i + 1] : stroke[i];
            if (DistanceToSegment(px, py, stroke[i], b) <= near) {
                return true;
            }
        }
        return false;
    }
    case TMarkTool::Ellipse:
        return EllipseDistance(DraggedBox(mark), style.LineWidth, px, py) <= near;
    case TMarkTool::Step:
        return DistanceToPoint(px, py, mark.From) <= style.StepRadius + 0.5;
    case TMarkTool::Text:
        return Contains(letters, at);
    }
    return false;
}

std::vector<TScreenPoint> HandlePoints(const TMark& mark) {
    if (IsLineMark(mark.Tool)) {
        return {mark.From, mark.To};
    }
    if (!IsBoxMark(mark.Tool)) {
        return {};
    }
    const TCaptureRegion b = DraggedBox(mark);
    const std::int32_t l = b.Left, t = b.Top, r = b.Right - 1, d = b.Bottom - 1;
    const std::int32_t mx = l + (r - l) / 2, my = t + (d - t) / 2;
    return {{l, t}, {mx, t}, {r, t}, {r, my}, {r, d}, {mx, d}, {l, d}, {l, my}};
}

TCaptureRegion HandleBox(TScreenPoint at, const TMarkStyle& style) {
    const std::int32_t half = style.HandleSize / 2;
    return {at.X - half, at.Y - half, at.X + half + 1, at.Y + half + 1};
}

std::optional<int> HandleAt(const TMark& mark, TScreenPoint at, const TMarkStyle& style) {
    const std::vector<TScreenPoint> handles = HandlePoints(mark);
    const int step = handles.size() == 8 ? 2 : 1;
    for (int pass = 0; pass < step; ++pass) { // the corners first, then the edges
        for (std::size_t i = pass; i < handles.size(); i += step) {
            TCaptureRegion box = HandleBox(handles[i], style);
            box = {box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1};
            if (Contains(box, at)) {
                return static_cast<int>(i);
            }
        }
    }
    return std::nullopt;
}

TMark Moved(const TMark& mark, std::int32_t dx, std::int32_t dy, const TCaptureRegion& selection) {
    std::vector<TScreenPoint> points = StrokeOf(mark);
    points.push_back(mark.From);
    std::int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const TScreenPoint& p : points) {
        left = std::min(left, p.X), top = std::min(top, p.Y);
        right = std::max(right, p.X), bottom = std::max(bottom, p.Y);
    }
    dx = std::clamp(dx, std::min(0, selection.Left - left),
                    std::max(0, selection.Right - 1 - right));
    dy = std::clamp(dy, std::min(0, selection.Top - top),
                    std::max(0, selection.Bottom - 1 - bottom));
    TMark moved = mark;
    for (TScreenPoint* p : {&moved.From, &moved.To}) {
        p->X += dx, p->Y += dy;
    }
    for (TScreenPoint& p : moved.Points) {
        p.X += dx, p.Y += dy;
    }
    return moved;
}

TScreenPoint Constrained(TMarkTool tool, TScreenPoint from, TScreenPoint to) {
    const std::int32_t dx = to.X - from.X, dy = to.Y - from.Y;
    if (IsBoxMark(tool)) {
        const std::int32_t side = std::min(std::abs(dx), std::abs(dy));
        return {from.X + Sign(dx) * side, from.Y + Sign(dy) * side};
    }
    if (tool != TMarkTool::Line) {
        return to;
    }
    // Within 22.5 degrees of an axis, along it; else on the diagonal. 0.41421 is tan 22.5.
    const std::int64_t ax = std::abs(dx), ay = std::abs(dy);
    if (ay * 100000 <= ax * 41421) {
        return {to.X, from.Y};
    }
    if (ax * 100000 <= ay * 41421) {
        return {from.X, to.Y};
    }
    const std::int32_t side = static_cast<std::int32_t>(std::min(ax, ay));
    return {from.X + Sign(dx) * side, from.Y + Sign(dy) * side};
}

TMark Resized(const TMark& mark, int handle, TScreenPoint to, bool shift) {
    TMark resized = mark;
    if (IsLineMark(mark.Tool)) {
        const TScreenPoint stays = handle == 0 ? mark.To : mark.From;
        (handle == 0 ? resized.From : resized.To) = shift ? Constrained(mark.Tool, stays, to) : to;
        return resized;
    }
    const TCaptureRegion b = DraggedBox(mark);
    std::int32_t l = b.Left, t = b.Top, r = b.Right - 1, d = b.Bottom - 1;
    const bool corner = handle % 2 == 0;
    if (corner && shift) {
        // The opposite corner stays; the dragged one goes where the square's corner is.
        const TScreenPoint stays{handle == 0 || handle == 6 ? r : l, handle <= 2 ? d : t};
        to = Constrained(mark.Tool, stays, to);
    }
    if (handle == 0 || handle == 6 || handle == 7) {
        l = to.X;
    } else if (handle >= 2 && handle <= 4) {
        r = to.X;
    }
    if (handle <= 2) {
        t = to.Y;
    } else if (handle >= 4 && handle <= 6) {
        d = to.Y;
    }
    resized.From = {l, t};
    resized.To = {r, d};
    return resized;
}

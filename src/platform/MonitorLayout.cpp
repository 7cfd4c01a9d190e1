#include "platform/MonitorLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// What is left of `from` once `hole` is cut out: up to four rectangles, the bands above and
// below the hole across the whole width, and the pieces left and right of it between them.
void Subtract(const TCaptureRegion& from, const TCaptureRegion& hole,
              std::vector<TCaptureRegion>& out) {
    const TCaptureRegion cut = Intersection(from, hole);
    if (IsEmpty(cut)) {
        out.push_back(from);
        return;
    }
    const TCaptureRegion pieces[] = {
        {from.Left, from.Top, from.Right, cut.Top},
        {from.Left, cut.Bottom, from.Right, from.Bottom},
        {from.Left, cut.Top, cut.Left, cut.Bottom},
        {cut.Right, cut.Top, from.Right, cut.Bottom},
    };
    for (const TCaptureRegion& piece : pieces) {
        if (!IsEmpty(piece)) {
            out.push_back(piece);
        }
    }
}

std::int64_t DistanceSquared(const TCaptureRegion& r, TScreenPoint at) {
    const std::int64_t dx = at.X < r.Left     ? r.Left - at.X
                            : at.X >= r.Right ? at.X - r.Right + 1
                                              : 0;
    const std::int64_t dy = at.Y < r.Top       ? r.Top - at.Y
                            : at.Y >= r.Bottom ? at.Y - r.Bottom + 1
                                               : 0;
    return dx * dx + dy * dy;
}

} // namespace

TCaptureRegion VirtualScreenOf(const std::vector<TMonitor>& monitors) {
    if (monitors.empty()) {
        return {};
    }
    TCaptureRegion all = monitors.front().Bounds;
    for (const TMonitor& monitor : monitors) {
        all.Left = std::min(all.Left, monitor.Bounds.Left);
        all.Top = std::min(all.Top, monitor.Bounds.Top);
        all.Right = std::max(all.Right, monitor.Bounds.Right);
        all.Bottom = std::max(all.Bottom, monitor.Bounds.Bottom);
    }
    return all;
}

std::vector<TCaptureRegion> UncoveredParts(const TCaptureRegion& block,
                                           const std::vector<TMonitor>& monitors) {
    std::vector<TCaptureRegion> uncovered;
    if (!IsEmpty(block)) {
        uncovered.push_back(block);
    }
    for (const TMonitor& monitor : monitors) {
        std::vector<TCaptureRegion> left;
        for (const TCaptureRegion& part : uncovered) {
            Subtract(part, monitor.Bounds, left);
        }
        uncovered = std::move(left);
    }
    return uncovered;
}

TCaptureRegion VisibleFrame(const std::optional<TCaptureRegion>& extendedBounds,
                            const TCaptureRegion& windowRect,
                            const std::optional<TCaptureRegion>& maximisedOn) {
    const bool framed = extendedBounds && extendedBounds->Right > extendedBounds->Left &&
                        extendedBounds->Bottom > extendedBounds->Top;
    TCaptureRegion frame = framed ? *extendedBounds : windowRect;
    if (maximisedOn) {
        const TCaptureRegion& m = *maximisedOn;
        const TCaptureRegion cut{std::max(frame.Left, m.Left), std::max(frame.Top, m.Top),
                                 std::min(frame.Right, m.Right), std::min(frame.Bottom, m.Bottom)};
        if (cut.Left < cut.Right && cut.Top < cut.Bottom) {
            frame = cut;
        }
    }
    return frame;
}

TMonitor MonitorUnder(const std::vector<TMonitor>& monitors, TScreenPoint at) {
    const TMonitor* nearest = nullptr;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const TMonitor& monitor : monitors) {
        const std::int64_t distance = DistanceSquared(monitor.Bounds, at);
        if (distance < best) {
            best = distance;
            nearest = &monitor;
        }
    }
    return nearest ? *nearest : TMonitor{};
}

#include "app/selection/RegionSelection.h"

#include "app/selection/SelectionAids.h"
#include "platform/PointerStep.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// A press and a release this close together are a click, not a drag.
constexpr std::int32_t kClickSlack = 2;

} // namespace

void TRegionSelection::Open(bool withPointer, bool magnifier, TWindowState state,
                            const std::string& hint) {
    // Every monitor, frozen: the user may draw on any of them and across them.
    std::vector<TMonitor> monitors = FDisplay.Monitors();
    const TCaptureRegion screen = VirtualScreenOf(monitors);
    std::shared_ptr<const TScreenPixels> snapshot = FDisplay.GrabScreen(
        screen.Left, screen.Top, screen.Right - screen.Left, screen.Bottom - screen.Top);
    // The pointer of the frozen screen, never the overlay's own cross.
    FSnapshotPointer = withPointer ? FDisplay.PointerPicture() : std::nullopt;
    // The windows a click can take, as the snapshot shows them.
    FWindowFrames = FDisplay.WindowFrames();
    FMonitors = std::move(monitors);
    FMagnifier = magnifier;
    FHint = hint;
    FOverlay.SetOverlayPicture(snapshot);
    FSnapshot = std::move(snapshot);
    FOverlay.ShowMainWindow(state);
    FVisible = true;
    FDragging = false;
    FOverlay.SetCrossCursor(true);
    ShowAids(FDisplay.PointerPosition());
}

void TRegionSelection::Close() {
    Abandon();
    FVisible = false;
    FOverlay.SetCrossCursor(false);
    FOverlay.SetOverlayPicture(nullptr);
    FSnapshot.reset();
    FSnapshotPointer.reset();
    FWindowFrames.clear();
}

void TRegionSelection::Abandon() {
    FDragging = false;
    FByKeyboard = false;
    FOverlay.SetPointerCapture(false);
}

void TRegionSelection::RubberBand(TScreenPoint corner) {
    FOverlay.DrawXorRectangle(FAnchor.X, FAnchor.Y, corner.X, corner.Y);
}

void TRegionSelection::Press(TScreenPoint at, bool byKeyboard) {
    FAnchor = FCorner = at;
    FDragging = true;
    FByKeyboard = byKeyboard;
    FOverlay.SetPointerCapture(true);
    ShowAids(at);
}

void TRegionSelection::DragTo(TScreenPoint corner) {
    RubberBand(FCorner); // erase the band of the last move
    RubberBand(corner);
    FCorner = corner;
}

TCaptureRegion TRegionSelection::Release(TScreenPoint at) {
    Abandon();
    FOverlay.SetCrossCursor(false);
    FOverlay.SetOverlayAids({});
    RubberBand(FCorner); // the release point is not drawn
    if (std::abs(at.X - FAnchor.X) <= kClickSlack && std::abs(at.Y - FAnchor.Y) <= kClickSlack) {
        return PickedRegion(FWindowFrames, FMonitors, FAnchor); // the window outlined under it
    }
    return {std::min(FAnchor.X, at.X), std::min(FAnchor.Y, at.Y), std::max(FAnchor.X, at.X),
            std::max(FAnchor.Y, at.Y)};
}

void TRegionSelection::ShowAids(TScreenPoint at) {
    if (!FVisible) {
        return;
    }
    const std::string readout = FDragging ? SizeReadout(std::abs(std::int64_t{at.X} - FAnchor.X),
                                                        std::abs(std::int64_t{at.Y} - FAnchor.Y))
                                          : PositionReadout(at);
    TOverlayAids aids = PlaceAids(at, MonitorUnder(FMonitors, at), FMagnifier, readout);
    if (!FDragging) {
        aids.Outline = PickedRegion(FWindowFrames, FMonitors, at);
    }
    if (!FHint.empty()) {
        aids.HintText = FHint;
        aids.Hint = HintBox(FHint, MonitorUnder(FMonitors, at));
    }
    FOverlay.SetOverlayAids(aids);
}

bool TRegionSelection::ToggleMagnifier(TScreenPoint at) {
    FMagnifier = !FMagnifier;
    ShowAids(at);
    return FMagnifier;
}

void TRegionSelection::StepPointer(TKeyCode key, bool shift) {
    if (!FVisible) {
        return;
    }
    ::StepPointer(FDisplay, FMonitors, key, shift);
}

#pragma once

// The selection room: the frozen screen (every monitor's snapshot shown over them, the band, the
// aids beside the pointer) and the choice of a rectangle on it, a region to capture or the one a
// scrolling capture scrolls (RectangleChoice.h).

#include "base/CaptureRegion.h"
#include "base/PointerPicture.h"
#include "keys/KeyCodes.h"
#include "platform/Display.h"
#include "platform/Overlay.h"

#include <memory>
#include <optional>
#include <vector>

// The selection on the frozen screen: every monitor frozen and shown over them, the band of a
// drag from its anchor, the aids beside the pointer (the magnifier, the readout, before a press
// the window a click would take), and the rectangle a release chooses.
class TRegionSelection {
public:
    TRegionSelection(IDisplay& display, IOverlay& overlay) : FDisplay(display), FOverlay(overlay) {}

    // Freezes the screen (and the pointer on it, when a capture draws it) and shows it in that
    // window state, with a hint of what it is for at the top of the monitor (none for empty);
    // raises, showing nothing, when the snapshot cannot be made.
    void Open(bool withPointer, bool magnifier, TWindowState state, const std::string& hint = {});
    // Takes it all away: the band and the aids, the snapshot, the cross; the window hidden by
    // the caller.
    void Close();
    bool Visible() const { return FVisible; }

    // A press starts the band at its point (by the keyboard's Enter, moves drag it with no button
    // held); each move draws it to the pointer; the release erases it and gives the rectangle
    // chosen: the band's, normalised, or for a click the window outlined under it.
    void Press(TScreenPoint at, bool byKeyboard);
    bool Dragging() const { return FDragging; }
    bool DraggingByKeyboard() const { return FDragging && FByKeyboard; }
    void DragTo(TScreenPoint corner);
    TCaptureRegion Release(TScreenPoint at);
    // A drag ended by Esc: the band goes with the window, the pointer is let go.
    void Abandon();

    // The aids for the pointer at `at`; Z's magnifier shown or hidden (the new choice returned).
    void ShowAids(TScreenPoint at);
    bool ToggleMagnifier(TScreenPoint at);
    // The arrow keys move the pointer by a pixel, ten with Shift, within the virtual screen.
    void StepPointer(TKeyCode key, bool shift);

    const std::shared_ptr<const TScreenPixels>& Snapshot() const { return FSnapshot; }
    const std::optional<TPointerPicture>& SnapshotPointer() const { return FSnapshotPointer; }
    const std::vector<TMonitor>& Monitors() const { return FMonitors; }

private:
    void RubberBand(TScreenPoint corner);

    IDisplay& FDisplay;
    IOverlay& FOverlay;
    bool FVisible = false;
    bool FMagnifier = true;
    bool FDragging = false;
    bool FByKeyboard = false;
    TScreenPoint FAnchor;
    TScreenPoint FCorner;
    // The screen as it stood when frozen: its pixels, the pointer, the monitors, the windows.
    std::shared_ptr<const TScreenPixels> FSnapshot;
    std::optional<TPointerPicture> FSnapshotPointer;
    std::vector<TMonitor> FMonitors;
    std::vector<TCaptureRegion> FWindowFrames;
    std::string FHint;
};

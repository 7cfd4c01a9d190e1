#pragma once

#include "base/CaptureRegion.h"

#include <windows.h>

#include <optional>
#include <vector>

// The visible frames of the top-level windows, front to back: visible, not minimised, not
// cloaked, not the desktop; the frame the system draws where it tells it, else the window's
// rectangle.
std::vector<TCaptureRegion> TopLevelWindowFrames();

// A top-level window that shows and that a click could mean: visible, not minimised, not
// cloaked, not the desktop, not letting every click through.
bool IsShownWindow(HWND window);

// The topmost such window of another program under the point; none over the desktop.
HWND OtherProgramsWindowAt(POINT at);

// What a capture takes of that window (VisibleFrame); nothing when it has no rectangle.
std::optional<TCaptureRegion> WindowFrameOf(HWND window);

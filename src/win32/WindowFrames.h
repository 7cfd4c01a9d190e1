#pragma once

#include "base/CaptureRegion.h"

#include <windows.h>

#include <optional>
#include <vector>

// The visible frames of the top-level windows, front to back: visible, not minimised, not
// cloaked, not the desktop; the frame the system draws where it tells it, else the window's
// rectangle.
std::vector<TCaptureRegion> TopLevelWindowFrames();

// What a capture takes of that window (VisibleFrame); nothing when it has no rectangle.
std::optional<TCaptureRegion> WindowFrameOf(HWND window);

#pragma once

#include "base/CaptureRegion.h"

#include <vector>

// The visible frames of the top-level windows, front to back: visible, not minimised, not
// cloaked, not the desktop; the frame the system draws where it tells it, else the window's
// rectangle.
std::vector<TCaptureRegion> TopLevelWindowFrames();

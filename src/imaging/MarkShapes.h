#pragma once

#include "base/CaptureRegion.h"
#include "base/Pixels32.h"

#include <cstdint>
#include <vector>

// The marks that need no antialiasing, drawn exactly on 32-bit pixels and clipped to the
// canvas; areas are screen positions. Each returns the parts of the canvas it changed.

// The outline of `box`, `width` pixels thick inside its edges, in colour (red << 16 | ...).
std::vector<TCaptureRegion> PaintFrame(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                       std::int32_t width, std::uint32_t colour);

// A highlighter over `box`: each channel multiplied by the colour's, rounded, so that dark
// text under it stays dark and white paper turns the colour.
std::vector<TCaptureRegion> PaintHighlight(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                           std::uint32_t colour);

// `box` hidden behind blocks of their mean colour, aligned to its top-left corner.
std::vector<TCaptureRegion> PaintMosaic(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                        std::int32_t blockSize);

#pragma once

#include "base/CaptureRegion.h"
#include "base/Pixels32.h"

#include <cstdint>
#include <vector>

// The marks that need no antialiasing, drawn exactly on 32-bit pixels and clipped to the
// canvas; areas are screen positions. Each returns the parts of the canvas it changed.

// Where each shape may paint (screen positions, before any canvas cuts them): what a change of
// the mark paints again.
std::vector<TCaptureRegion> FrameAreas(const TCaptureRegion& box, std::int32_t width);
std::vector<TCaptureRegion> ArrowAreas(TScreenPoint from, TScreenPoint to, std::int32_t width);
TCaptureRegion DiscArea(TScreenPoint centre, std::int32_t radius);

// The outline of `box`, `width` pixels thick inside its edges, in colour (red << 16 | ...).
std::vector<TCaptureRegion> PaintFrame(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                       std::int32_t width, std::uint32_t colour);

// A highlighter over `box`: each channel multiplied by the colour's, rounded, so that dark
// text under it stays dark and white paper turns the colour.
std::vector<TCaptureRegion> PaintHighlight(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                           std::uint32_t colour);

// An arrow from `from` to its point at `to`, antialiased: a line `width` pixels wide with a
// round start and a filled head. Each pixel takes the colour by how much of it the arrow
// covers, in double precision the same on every build. Painted in bands of rows as wide as the
// arrow is within them, so a long slanting arrow changes a strip along itself.
std::vector<TCaptureRegion> PaintArrow(const TPixels32Canvas& canvas, TScreenPoint from,
                                       TScreenPoint to, std::int32_t width, std::uint32_t colour);

// A filled circle of that radius centred on the pixel, antialiased as the arrow is.
std::vector<TCaptureRegion> PaintDisc(const TPixels32Canvas& canvas, TScreenPoint centre,
                                      std::int32_t radius, std::uint32_t colour);

// `box` hidden behind blocks of their mean colour, aligned to its top-left corner.
std::vector<TCaptureRegion> PaintMosaic(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                        std::int32_t blockSize);

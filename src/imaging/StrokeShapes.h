#pragma once

#include "base/CaptureRegion.h"
#include "base/Pixels32.h"

#include <cstdint>
#include <vector>

// Strokes drawn by the pointer, antialiased as the arrow is (each pixel takes the colour by how
// much of it the stroke covers, in double precision the same on every build) and painted in
// bands along themselves; areas are screen positions, before any canvas cuts them.

// A line through `points`, `width` wide with round ends and joins; `smooth` first rounds its
// corners (a pen's freehand line, which keeps its ends). One point is a dot.
std::vector<TCaptureRegion> StrokeAreas(const std::vector<TScreenPoint>& points, std::int32_t width,
                                        bool smooth);
std::vector<TCaptureRegion> PaintStroke(const TPixels32Canvas& canvas,
                                        const std::vector<TScreenPoint>& points, std::int32_t width,
                                        std::uint32_t colour, bool smooth);

// The outline of the ellipse that fills `box`, `width` wide inside its edges.
std::vector<TCaptureRegion> EllipseAreas(const TCaptureRegion& box, std::int32_t width);
std::vector<TCaptureRegion> PaintEllipse(const TPixels32Canvas& canvas, const TCaptureRegion& box,
                                         std::int32_t width, std::uint32_t colour);

// How far a point lies from the ellipse's outline (its stroke's middle), about: exact on the
// axes, near it everywhere a press can mean it.
double EllipseDistance(const TCaptureRegion& box, std::int32_t width, double x, double y);

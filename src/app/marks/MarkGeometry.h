#pragma once

#include "base/CaptureRegion.h"
#include "base/Mark.h"

#include <optional>
#include <vector>

// A mark's place on the screen: where it paints, whether a press takes it, its handles, and the
// mark moved, resized or drawn with Shift. `letters` is the box a text's letters or a step's
// number fill, as the platform sets them.

// Where the mark may paint: what is painted again when it changes.
std::vector<TCaptureRegion> MarkAreas(const TMark& mark, const TMarkStyle& style,
                                      const TCaptureRegion& letters);
// The rectangle around all of those; empty for none.
TCaptureRegion Around(const std::vector<TCaptureRegion>& areas);

// Whether a press at `at` takes the mark: within the style's reach of a frame's, an arrow's, a
// line's, a pen's or an ellipse's stroke, or anywhere inside a highlighter, a mosaic, a step's
// circle or a text.
bool HitsMark(const TMark& mark, TScreenPoint at, const TMarkStyle& style,
              const TCaptureRegion& letters);

// Frames, highlighters, mosaics and ellipses are drawn in a box; arrows and lines between ends.
bool IsBoxMark(TMarkTool tool);
bool IsLineMark(TMarkTool tool);

// A selected mark's handles: eight around a box mark (from the top-left corner clockwise,
// corners and the edges' middles), one at each end of an arrow or a line, none for the others.
std::vector<TScreenPoint> HandlePoints(const TMark& mark);
TCaptureRegion HandleBox(TScreenPoint at, const TMarkStyle& style);
// The handle a press at `at` takes, corners before edges.
std::optional<int> HandleAt(const TMark& mark, TScreenPoint at, const TMarkStyle& style);

// The mark moved by (dx, dy), held so that all of its points stay within the selection.
TMark Moved(const TMark& mark, std::int32_t dx, std::int32_t dy, const TCaptureRegion& selection);
// The mark with that handle dragged to `to` (a point within the selection): a corner moves that
// corner, an edge that edge, an end that end; Shift keeps a box square and a line at a multiple
// of 45 degrees, from the corner or end that stays.
TMark Resized(const TMark& mark, int handle, TScreenPoint to, bool shift);
// Where a drag from `from` to `to` ends with Shift held: a box square, a line horizontal,
// vertical or at 45 degrees; within what the drag covered, so within the selection too.
TScreenPoint Constrained(TMarkTool tool, TScreenPoint from, TScreenPoint to);

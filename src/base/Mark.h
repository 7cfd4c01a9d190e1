#pragma once

#include "base/CaptureRegion.h"
#include "base/DpiScale.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// A mark drawn on the frozen screen before a capture is saved: what it is, where, in which
// colour. Positions are screen pixels.
enum class TMarkTool { Frame, Arrow, Text, Step, Highlighter, Mosaic, Line, Pen, Ellipse };

// The colours a mark can have, red first.
inline constexpr std::uint32_t kMarkColours[] = {0xE81123, 0x0078D7, 0x107C10,
                                                 0xFFB900, 0x000000, 0xFFFFFF};
// The highlighter's yellow, multiplied into what lies under it.
inline constexpr std::uint32_t kHighlighterColour = 0xFFEB3B;

struct TMark {
    TMarkTool Tool = TMarkTool::Frame;
    std::uint32_t Colour = kMarkColours[0]; // red << 16 | green << 8 | blue
    TScreenPoint From;                      // where the drag began (a step's or a text's place)
    TScreenPoint To;                        // where it ended
    std::string Text;                       // a text mark's words
    int Step = 0;                           // a step mark's number, from 1
    std::vector<TScreenPoint> Points{};     // a pen's stroke, From to To

    bool operator==(const TMark&) const = default;
};

// The sizes marks are drawn at on a monitor of that scaling: 96 dpi is 1.
struct TMarkStyle {
    std::int32_t LineWidth = 3;   // a frame's, an arrow's, a line's, a pen's and an ellipse's
    std::int32_t StepRadius = 13; // a step's circle
    std::int32_t TextHeight = 20; // a text's characters, in pixels
    std::int32_t MosaicBlock = 10;
    std::int32_t Reach = 4;      // how near a stroke a press takes its mark
    std::int32_t HandleSize = 7; // a selected mark's handles, square

    bool operator==(const TMarkStyle&) const = default;
};

inline TMarkStyle MarkStyleFor(int dpi) {
    const TMarkStyle base;
    return {ScaledToDpi(base.LineWidth, dpi),  ScaledToDpi(base.StepRadius, dpi),
            ScaledToDpi(base.TextHeight, dpi), ScaledToDpi(base.MosaicBlock, dpi),
            ScaledToDpi(base.Reach, dpi),      ScaledToDpi(base.HandleSize, dpi) | 1};
}

// The rectangle of a dragged mark, corners included, whichever way it was dragged.
inline TCaptureRegion DraggedBox(const TMark& mark) {
    return {std::min(mark.From.X, mark.To.X), std::min(mark.From.Y, mark.To.Y),
            std::max(mark.From.X, mark.To.X) + 1, std::max(mark.From.Y, mark.To.Y) + 1};
}

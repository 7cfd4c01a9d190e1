#pragma once

#include "base/Mark.h"
#include "base/Texts.h"
#include "keys/KeyCodes.h"
#include "platform/MonitorLayout.h"
#include "platform/OverlayAids.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The small toolbar beside the selection while marks are drawn: the tools, the colours, take
// back and put back, pin, save and leave. Each button has a key; the toolbar is painted as an aid
// of the overlay, so it is never part of a capture.
enum class TToolbarAction { Select, Tool, Colour, TakeBack, PutBack, ReadText, Pin, Save, Leave };

struct TToolbarButton {
    TToolbarAction Action = TToolbarAction::Tool;
    int Index = 0; // the tool (TMarkTool) or the colour (of kMarkColours)
    TCaptureRegion Box;
};

// The buttons at their places: below the selection where they fit on its monitor, else above
// it, else inside its lower edge; right-aligned to it and held within the monitor. Sizes follow
// the monitor's scaling.
std::vector<TToolbarButton> PlaceToolbar(const TCaptureRegion& selection, const TMonitor& monitor);

// The button under the pointer.
std::optional<std::size_t> ButtonAt(const std::vector<TToolbarButton>& buttons, TScreenPoint at);

// The button a key presses (Ctrl held or not); Enter saves and Esc leaves.
std::optional<TToolbarButton> ButtonOfKey(TKeyCode key, bool control);

// What the toolbar shows: its buttons, the chosen tool (none: the select tool) and colour
// marked, and the tool tip of the button under the pointer below it (above it where it does
// not fit on the monitor).
TOverlayAids ToolbarAids(const std::vector<TToolbarButton>& buttons, std::optional<TMarkTool> tool,
                         std::uint32_t colour, std::optional<std::size_t> hovered,
                         const TMonitor& monitor);

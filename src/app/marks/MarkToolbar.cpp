#include "app/marks/MarkToolbar.h"

#include "platform/OverlayAids.h"

#include "base/DpiScale.h"
#include "keys/KeyCodes.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

struct TButtonRow {
    int Group; // a wider gap between groups
    TToolbarAction Action;
    int Index;
    TText Label; // TText::Count: a colour's swatch, no label
    TText Tip;
    TKeyCode Key;
    bool Control;
};

constexpr int Tool(TMarkTool tool) {
    return static_cast<int>(tool);
}

constexpr TButtonRow kButtons[] = {
    {0, TToolbarAction::Select, 0, TText::ToolSelect, TText::TipSelect, 'V', false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Frame), TText::ToolFrame, TText::TipFrame, 'F',
     false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Arrow), TText::ToolArrow, TText::TipArrow, 'A',
     false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Line), TText::ToolLine, TText::TipLine, 'L', false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Pen), TText::ToolPen, TText::TipPen, 'P', false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Ellipse), TText::ToolEllipse, TText::TipEllipse, 'E',
     false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Text), TText::ToolText, TText::TipText, 'T', false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Step), TText::ToolStep, TText::TipStep, 'N', false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Highlighter), TText::ToolHighlighter,
     TText::TipHighlighter, 'H', false},
    {0, TToolbarAction::Tool, Tool(TMarkTool::Mosaic), TText::ToolMosaic, TText::TipMosaic, 'M',
     false},
    {1, TToolbarAction::Colour, 0, TText::Count, TText::TipRed, '1', false},
    {1, TToolbarAction::Colour, 1, TText::Count, TText::TipBlue, '2', false},
    {1, TToolbarAction::Colour, 2, TText::Count, TText::TipGreen, '3', false},
    {1, TToolbarAction::Colour, 3, TText::Count, TText::TipYellow, '4', false},
    {1, TToolbarAction::Colour, 4, TText::Count, TText::TipBlack, '5', false},
    {1, TToolbarAction::Colour, 5, TText::Count, TText::TipWhite, '6', false},
    {2, TToolbarAction::TakeBack, 0, TText::ButtonTakeBack, TText::TipTakeBack, 'Z', true},
    {2, TToolbarAction::PutBack, 0, TText::ButtonPutBack, TText::TipPutBack, 'Y', true},
    {3, TToolbarAction::ReadText, 0, TText::ButtonReadText, TText::TipReadText, kKeyF1 + 3, false},
    {3, TToolbarAction::Pin, 0, TText::ButtonPin, TText::TipPin, kKeyF1 + 2, false},
    {3, TToolbarAction::Save, 0, TText::ButtonSave, TText::TipSave, kKeyEnter, false},
    {3, TToolbarAction::Leave, 0, TText::ButtonLeave, TText::TipLeave, kKeyEscape, false},
};
static_assert(std::size(kMarkColours) == 6);

const TButtonRow& RowOf(const TToolbarButton& button) {
    return *std::find_if(std::begin(kButtons), std::end(kButtons), [&](const TButtonRow& row) {
        return row.Action == button.Action && row.Index == button.Index;
    });
}

} // namespace

std::vector<TToolbarButton> PlaceToolbar(const TCaptureRegion& selection, const TMonitor& monitor) {
    const int dpi = monitor.Dpi;
    const std::int32_t textHeight = ScaledToDpi(14, dpi),
                       height = textHeight + ScaledToDpi(12, dpi);
    const std::int32_t gap = ScaledToDpi(2, dpi), groupGap = ScaledToDpi(8, dpi),
                       margin = ScaledToDpi(6, dpi);
    const auto widthOf = [&](const TButtonRow& row) {
        return row.Label == TText::Count
                   ? height
                   : TextWidth(Text(row.Label), textHeight) + ScaledToDpi(14, dpi);
    };
    // A group that would reach past the monitor's width starts a row of its own below.
    const std::int32_t room = monitor.Bounds.Right - monitor.Bounds.Left;
    std::vector<TToolbarButton> buttons;
    std::int32_t x = 0, y = 0, width = 0;
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const TButtonRow& row = kButtons[i];
        if (i > 0 && row.Group != kButtons[i - 1].Group) {
            std::int32_t group = 0;
            for (std::size_t j = i; j < std::size(kButtons) && kButtons[j].Group == row.Group;
                 ++j) {
                group += (j > i ? gap : 0) + widthOf(kButtons[j]);
            }
            if (x + groupGap + group > room) {
                x = 0;
                y += height + gap;
            } else {
                x += groupGap;
            }
        } else if (i > 0) {
            x += gap;
        }
        const std::int32_t w = widthOf(row);
        buttons.push_back({row.Action, row.Index, {x, y, x + w, y + height}});
        x += w;
        width = std::max(width, x);
    }
    const std::int32_t toolbarHeight = y + height;
    const TCaptureRegion& m = monitor.Bounds;
    std::int32_t top = selection.Bottom + margin;
    if (top + toolbarHeight > m.Bottom) {
        top = selection.Top - margin - toolbarHeight;
        if (top < m.Top) {
            top = std::min(selection.Bottom, m.Bottom) - margin - toolbarHeight;
        }
    }
    top = std::max(top, m.Top);
    const std::int32_t left = std::max(m.Left, std::min(selection.Right, m.Right) - width);
    for (TToolbarButton& button : buttons) {
        button.Box = {button.Box.Left + left, button.Box.Top + top, button.Box.Right + left,
                      button.Box.Bottom + top};
    }
    return buttons;
}

std::optional<std::size_t> ButtonAt(const std::vector<TToolbarButton>& buttons, TScreenPoint at) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (Contains(buttons[i].Box, at)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<TToolbarButton> ButtonOfKey(TKeyCode key, bool control) {
    for (const TButtonRow& row : kButtons) {
        if (row.Key == key && row.Control == control) {
            return TToolbarButton{row.Action, row.Index, {}};
        }
    }
    return std::nullopt;
}

TOverlayAids ToolbarAids(const std::vector<TToolbarButton>& buttons, std::optional<TMarkTool> tool,
                         std::uint32_t colour, std::optional<std::size_t> hovered,
                         const TMonitor& monitor) {
    TOverlayAids aids;
    aids.TextHeight = ScaledToDpi(14, monitor.Dpi);
    for (const TToolbarButton& button : buttons) {
        const TButtonRow& row = RowOf(button);
        TOverlayAids::TButton shown{button.Box, {}, kButtonFace, false};
        if (row.Label != TText::Count) {
            shown.Label = Text(row.Label);
        }
        if (button.Action == TToolbarAction::Select) {
            shown.Chosen = !tool;
        } else if (button.Action == TToolbarAction::Tool) {
            shown.Chosen = tool && button.Index == Tool(*tool);
        } else if (button.Action == TToolbarAction::Colour) {
            shown.Face = kMarkColours[button.Index];
            shown.Chosen = kMarkColours[button.Index] == colour;
        }
        aids.Buttons.push_back(std::move(shown));
    }
    if (hovered && *hovered < buttons.size()) {
        const TCaptureRegion& box = buttons[*hovered].Box;
        aids.TipText = Text(RowOf(buttons[*hovered]).Tip);
        const std::int32_t width =
            TextWidth(aids.TipText, aids.TextHeight) + ScaledToDpi(12, monitor.Dpi);
        const std::int32_t height = aids.TextHeight + ScaledToDpi(8, monitor.Dpi);
        const TCaptureRegion& m = monitor.Bounds;
        const std::int32_t gap = ScaledToDpi(4, monitor.Dpi);
        std::int32_t top = box.Bottom + gap;
        if (top + height > m.Bottom) {
            top = box.Top - gap - height;
        }
        const std::int32_t left = std::max(m.Left, std::min(box.Left, m.Right - width));
        aids.Tip = {left, top, left + width, top + height};
    }
    return aids;
}

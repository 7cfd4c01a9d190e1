#include "app/marks/MarkupMode.h"

#include "app/marks/MarkGeometry.h"
#include "platform/MonitorLayout.h"

#include <cstdlib>
#include <utility>

namespace {

// A press and a release this close together place no dragged mark.
constexpr std::int32_t kMarkSlack = 2;

bool IsDragged(TMarkTool tool) {
    return tool != TMarkTool::Text && tool != TMarkTool::Step;
}

} // namespace

void TMarkupMode::Enter(const TScreenPixels& snapshot, const TCaptureRegion& selection,
                        const std::optional<TPointerPicture>& pointer,
                        const std::vector<TMonitor>& monitors) {
    const TScreenPoint centre{selection.Left + (selection.Right - selection.Left) / 2,
                              selection.Top + (selection.Bottom - selection.Top) / 2};
    const TMonitor monitor = MonitorUnder(monitors, centre);
    FState.emplace(snapshot, selection, pointer, MarkStyleFor(monitor.Dpi), FOverlay);
    FState->Monitor = monitor;
    FState->Toolbar = PlaceToolbar(selection, monitor);
    FOverlay.SetCrossCursor(true);
    ShowToolbar();
}

void TMarkupMode::Leave() {
    if (!FState) {
        return;
    }
    if (FState->TypingAt) {
        FOverlay.EndTextEntry();
    }
    FOverlay.SetPointerCapture(false);
    FState.reset();
}

// The toolbar, and the selected mark's handles (none while it is being typed in).
void TMarkupMode::ShowToolbar() {
    TOverlayAids aids = ToolbarAids(FState->Toolbar, FState->Tool, FState->Colour, FState->Hovered,
                                    FState->Monitor);
    if (!FState->TypingAt) {
        aids.Handles = FState->Sheet.Handles();
    }
    FOverlay.SetOverlayAids(aids);
}

TMarkupAnswer TMarkupMode::MouseDown(TScreenPoint at, TShiftState shift) {
    TMarkSheet& sheet = FState->Sheet;
    const std::optional<std::size_t> button = ButtonAt(FState->Toolbar, at);
    if (FState->TypingAt) {
        // A click elsewhere ends the text; on the toolbar it also presses its button.
        FinishTyping();
        if (!button) {
            return TMarkupAnswer::None;
        }
    }
    if (button) {
        return PressButton(FState->Toolbar[*button]);
    }
    if (!Contains(sheet.Marks().Selection(), at)) {
        return TMarkupAnswer::None;
    }
    // A handle of the selected mark resizes it, whatever the tool.
    if (const std::optional<TMark> selected = sheet.SelectedMark()) {
        if (const std::optional<int> handle = HandleAt(*selected, at, sheet.Style())) {
            FState->Handle = *handle;
            StartDrag(TDrag::Resize, at, *selected);
            return TMarkupAnswer::None;
        }
    }
    const std::optional<std::size_t> hit = sheet.MarkAt(at);
    const bool onText = hit && sheet.Marks().Marks()[*hit].Tool == TMarkTool::Text;
    if (onText && ((shift & ssDouble) || FState->Tool == TMarkTool::Text)) {
        sheet.Select(hit);
        FState->Retyping = true;
        Type(sheet.Marks().Marks()[*hit]);
        return TMarkupAnswer::None;
    }
    if (!FState->Tool) {
        // The select tool: the topmost mark there, moved by the drag; elsewhere, none.
        sheet.Select(hit);
        if (hit) {
            StartDrag(TDrag::Move, at, sheet.Marks().Marks()[*hit]);
        }
        ShowToolbar();
        return TMarkupAnswer::None;
    }
    // Drawing never takes a mark that is there already.
    sheet.Select(std::nullopt);
    const TMark mark{*FState->Tool, FState->Colour, at, at, {}, 0, {}};
    if (IsDragged(mark.Tool)) {
        StartDrag(TDrag::Draw, at, mark);
        if (mark.Tool == TMarkTool::Pen) {
            FState->Drawn.Points = {at};
        }
    } else if (mark.Tool == TMarkTool::Step) {
        sheet.Place(mark);
    } else {
        FState->Retyping = false;
        Type(mark);
    }
    ShowToolbar();
    return TMarkupAnswer::None;
}

// The box a text is typed in, at the text's place with its words and colour. Typing begins
// only once the box is there: a box that cannot be made leaves the marks as they were, and the
// next click places a mark.
void TMarkupMode::Type(const TMark& text) {
    const TCaptureRegion& selection = FState->Sheet.Marks().Selection();
    FOverlay.BeginTextEntry(text.From, selection.Right - text.From.X, text.Colour,
                            FState->Sheet.Style().TextHeight, text.Text);
    FState->TypingAt = text.From;
    ShowToolbar();
}

void TMarkupMode::StartDrag(TDrag drag, TScreenPoint at, const TMark& mark) {
    FState->Drag = drag;
    FState->PressedAt = at;
    FState->Drawn = mark;
    FState->Dragged = false;
    FOverlay.SetPointerCapture(true);
}

void TMarkupMode::StopDrag() {
    FState->Drag = TDrag::None;
    FOverlay.SetPointerCapture(false);
}

void TMarkupMode::MouseMove(TScreenPoint at, TShiftState shift) {
    TMarkSheet& sheet = FState->Sheet;
    const TScreenPoint to = sheet.Marks().Within(at);
    const TScreenPoint from = FState->PressedAt;
    FState->Dragged = FState->Dragged || std::abs(to.X - from.X) > kMarkSlack ||
                      std::abs(to.Y - from.Y) > kMarkSlack;
    switch (FState->Drag) {
    case TDrag::None: {
        const std::optional<std::size_t> hovered = ButtonAt(FState->Toolbar, at);
        if (hovered != FState->Hovered) {
            FState->Hovered = hovered;
            ShowToolbar();
        }
        return;
    }
    case TDrag::Draw: {
        TMark& mark = FState->Drawn;
        if (mark.Tool == TMarkTool::Pen) {
            if (to == mark.Points.back()) {
                return;
            }
            mark.Points.push_back(to);
            mark.To = to;
        } else {
            const TScreenPoint end = (shift & ssShift) ? Constrained(mark.Tool, mark.From, to) : to;
            if (end == mark.To) {
                return; // held at the selection's edge: the preview stands
            }
            mark.To = end;
        }
        if (FState->Dragged) {
            sheet.Preview(mark);
        }
        return;
    }
    case TDrag::Move:
        if (FState->Dragged) {
            sheet.Reshape(
                Moved(FState->Drawn, to.X - from.X, to.Y - from.Y, sheet.Marks().Selection()));
            ShowToolbar();
        }
        return;
    case TDrag::Resize:
        if (FState->Dragged) {
            // The handle follows the pointer from where it was taken, not from its middle.
            const TScreenPoint handle = HandlePoints(FState->Drawn)[FState->Handle];
            const TScreenPoint target =
                sheet.Marks().Within({handle.X + to.X - from.X, handle.Y + to.Y - from.Y});
            sheet.Reshape(Resized(FState->Drawn, FState->Handle, target, (shift & ssShift) != 0));
            ShowToolbar();
        }
        return;
    }
}

void TMarkupMode::MouseUp(TScreenPoint at, TShiftState shift) {
    if (FState->Drag == TDrag::None) {
        return;
    }
    MouseMove(at, shift | ssLeft);
    const TDrag drag = FState->Drag;
    StopDrag();
    TMarkSheet& sheet = FState->Sheet;
    if (drag == TDrag::Draw) {
        if (FState->Dragged) {
            sheet.PlacePreview(FState->Drawn); // as its last preview shows it, and selected
        } else {
            sheet.EndPreview();
        }
    } else {
        sheet.KeepReshaped();
    }
    ShowToolbar();
}

bool TMarkupMode::Nudge(TKeyCode key, TShiftState shift) {
    TMarkSheet& sheet = FState->Sheet;
    const std::optional<TMark> selected = sheet.SelectedMark();
    if (!selected || FState->Drag != TDrag::None) {
        return false;
    }
    const std::int32_t step = (shift & ssShift) ? 10 : 1;
    const std::int32_t dx = key == kKeyLeft ? -step : key == kKeyRight ? step : 0;
    const std::int32_t dy = key == kKeyUp ? -step : key == kKeyDown ? step : 0;
    sheet.ChangeSelected(Moved(*selected, dx, dy, sheet.Marks().Selection()));
    ShowToolbar();
    return true;
}

TMarkupAnswer TMarkupMode::KeyDown(TKeyCode key, TShiftState shift) {
    TMarkSheet& sheet = FState->Sheet;
    const std::optional<TMark> selected = sheet.SelectedMark();
    if ((key == kKeyDelete || key == kKeyBackspace) && selected) {
        sheet.DeleteSelected();
    } else if (key == kKeyTab) {
        sheet.SelectNext((shift & ssShift) ? -1 : 1);
    } else if (key == kKeyEnter && !FState->Tool && selected && selected->Tool == TMarkTool::Text) {
        FState->Retyping = true;
        Type(*selected);
        return TMarkupAnswer::None;
    } else if (const auto button = ButtonOfKey(key, (shift & ssCtrl) != 0)) {
        return PressButton(*button);
    } else {
        return TMarkupAnswer::None;
    }
    ShowToolbar();
    return TMarkupAnswer::None;
}

TMarkupAnswer TMarkupMode::PressButton(const TToolbarButton& button) {
    TMarkSheet& sheet = FState->Sheet;
    if (FState->Drag != TDrag::None) {
        // A key while the button is held: the mark being drawn or dragged is dropped.
        const TDrag drag = FState->Drag;
        StopDrag();
        if (drag == TDrag::Draw) {
            sheet.EndPreview();
        } else {
            sheet.DropReshaped();
        }
    }
    switch (button.Action) {
    case TToolbarAction::Select:
        FState->Tool = std::nullopt;
        break;
    case TToolbarAction::Tool:
        FState->Tool = static_cast<TMarkTool>(button.Index);
        break;
    case TToolbarAction::Colour:
        FState->Colour = kMarkColours[button.Index];
        if (std::optional<TMark> selected = sheet.SelectedMark()) {
            selected->Colour = FState->Colour;
            sheet.ChangeSelected(*selected);
        }
        break;
    case TToolbarAction::TakeBack:
        sheet.TakeBack();
        break;
    case TToolbarAction::PutBack:
        sheet.PutBack();
        break;
    case TToolbarAction::ReadText:
        return TMarkupAnswer::ReadText;
    case TToolbarAction::Pin:
        return TMarkupAnswer::Pin;
    case TToolbarAction::Save:
        return TMarkupAnswer::Save;
    case TToolbarAction::Leave:
        return TMarkupAnswer::Leave;
    }
    ShowToolbar();
    return TMarkupAnswer::None;
}

void TMarkupMode::FinishTyping() {
    if (!FState || !FState->TypingAt) {
        return;
    }
    const TScreenPoint at = *std::exchange(FState->TypingAt, std::nullopt);
    const std::optional<std::string> text = FOverlay.EndTextEntry();
    TMarkSheet& sheet = FState->Sheet;
    if (std::exchange(FState->Retyping, false)) {
        // New words for the selected text; none (Esc) leaves it as it was.
        std::optional<TMark> selected = sheet.SelectedMark();
        if (selected && text && !text->empty() && *text != selected->Text) {
            selected->Text = *text;
            sheet.ChangeSelected(*selected);
        }
    } else if (text && !text->empty()) {
        sheet.Place({TMarkTool::Text, FState->Colour, at, at, *text, 0, {}});
    }
    ShowToolbar();
}

#include "app/MarkupMode.h"

#include "app/SelectionAids.h"

#include <cstdlib>
#include <utility>

namespace {

// A press and a release this close together place no dragged mark.
constexpr std::int32_t kMarkSlack = 2;

bool IsDragged(TMarkTool tool) {
    return tool == TMarkTool::Frame || tool == TMarkTool::Arrow || tool == TMarkTool::Highlighter ||
           tool == TMarkTool::Mosaic;
}

} // namespace

void TMarkupMode::Enter(const TScreenPixels& snapshot, const TCaptureRegion& selection,
                        const std::optional<TPointerPicture>& pointer,
                        const std::vector<TMonitor>& monitors) {
    const TScreenPoint centre{selection.Left + (selection.Right - selection.Left) / 2,
                              selection.Top + (selection.Bottom - selection.Top) / 2};
    TState state(selection);
    state.Picture = std::make_shared<TMarkedPicture>(snapshot, selection, pointer);
    state.Monitor = MonitorUnder(monitors, centre);
    state.Style = MarkStyleFor(state.Monitor.Dpi);
    state.Toolbar = PlaceToolbar(selection, state.Monitor);
    FState = std::move(state);
    ShowMarks({});
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

void TMarkupMode::ShowToolbar() {
    FOverlay.SetOverlayAids(ToolbarAids(FState->Toolbar, FState->Tool, FState->Colour,
                                        FState->Hovered, FState->Monitor));
}

TMarkupAnswer TMarkupMode::MouseDown(TScreenPoint at) {
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
    if (!Contains(FState->Marks.Selection(), at)) {
        return TMarkupAnswer::None;
    }
    const TMark mark{FState->Tool, FState->Colour, at, at, {}, 0};
    if (IsDragged(mark.Tool)) {
        FState->Drawing = mark;
        FState->Dragged = false;
        FOverlay.SetPointerCapture(true);
    } else if (mark.Tool == TMarkTool::Step) {
        PlaceMark(mark);
    } else {
        const TCaptureRegion& selection = FState->Marks.Selection();
        // Typing begins only once the box is there: a box that cannot be made leaves the marks
        // as they were, and the next click places a mark.
        FOverlay.BeginTextEntry(at, selection.Right - at.X, mark.Colour, FState->Style.TextHeight);
        FState->TypingAt = at;
    }
    return TMarkupAnswer::None;
}

void TMarkupMode::MouseMove(TScreenPoint at) {
    if (FState->Drawing) {
        TMark& mark = *FState->Drawing;
        const TScreenPoint to = FState->Marks.Within(at);
        if (to == mark.To) {
            return; // held at the selection's edge: the preview stands
        }
        mark.To = to;
        FState->Dragged = FState->Dragged || std::abs(mark.To.X - mark.From.X) > kMarkSlack ||
                          std::abs(mark.To.Y - mark.From.Y) > kMarkSlack;
        if (FState->Dragged) {
            ShowMarks(FState->Picture->Preview(mark, FState->Style, FOverlay));
        }
        return;
    }
    const std::optional<std::size_t> hovered = ButtonAt(FState->Toolbar, at);
    if (hovered != FState->Hovered) {
        FState->Hovered = hovered;
        ShowToolbar();
    }
}

void TMarkupMode::MouseUp(TScreenPoint at) {
    if (!FState->Drawing) {
        return;
    }
    MouseMove(at);
    FOverlay.SetPointerCapture(false);
    const TMark mark = *std::exchange(FState->Drawing, std::nullopt);
    if (FState->Dragged) {
        // As its last preview shows it.
        FState->Marks.Place(mark);
        FState->Areas.push_back(FState->Picture->Place());
    } else {
        ShowMarks(FState->Picture->EndPreview());
    }
}

void TMarkupMode::ShowMarks(const std::vector<TCaptureRegion>& changed) {
    FOverlay.SetOverlayMarks(FState->Picture, changed);
}

// The last mark painted over the ones before it, and shown.
void TMarkupMode::ShowLastMark() {
    const std::vector<TCaptureRegion> changed =
        FState->Picture->Preview(FState->Marks.Marks().back(), FState->Style, FOverlay);
    FState->Areas.push_back(FState->Picture->Place());
    ShowMarks(changed);
}

void TMarkupMode::PlaceMark(const TMark& mark) {
    FState->Marks.Place(mark);
    ShowLastMark();
}

void TMarkupMode::TakeBack() {
    if (!FState->Marks.TakeBack()) {
        return;
    }
    const std::vector<TCaptureRegion> changed = std::move(FState->Areas.back());
    FState->Areas.pop_back();
    FState->Picture->Repaint(FState->Marks.Marks(), FState->Style, FOverlay);
    ShowMarks(changed);
}

void TMarkupMode::PutBack() {
    if (FState->Marks.PutBack()) {
        ShowLastMark();
    }
}

TMarkupAnswer TMarkupMode::KeyDown(TKeyCode key, TShiftState shift) {
    if (const auto button = ButtonOfKey(key, (shift & ssCtrl) != 0)) {
        return PressButton(*button);
    }
    return TMarkupAnswer::None;
}

TMarkupAnswer TMarkupMode::PressButton(const TToolbarButton& button) {
    if (FState->Drawing) {
        // A key while the button is held: the mark being drawn is dropped.
        FState->Drawing.reset();
        FOverlay.SetPointerCapture(false);
        ShowMarks(FState->Picture->EndPreview());
    }
    switch (button.Action) {
    case TToolbarAction::Tool:
        FState->Tool = static_cast<TMarkTool>(button.Index);
        ShowToolbar();
        break;
    case TToolbarAction::Colour:
        FState->Colour = kMarkColours[button.Index];
        ShowToolbar();
        break;
    case TToolbarAction::TakeBack:
        TakeBack();
        break;
    case TToolbarAction::PutBack:
        PutBack();
        break;
    case TToolbarAction::Save:
        return TMarkupAnswer::Save;
    case TToolbarAction::Leave:
        return TMarkupAnswer::Leave;
    }
    return TMarkupAnswer::None;
}

void TMarkupMode::FinishTyping() {
    if (!FState || !FState->TypingAt) {
        return;
    }
    const TScreenPoint at = *std::exchange(FState->TypingAt, std::nullopt);
    const std::optional<std::string> text = FOverlay.EndTextEntry();
    if (text && !text->empty()) {
        PlaceMark({TMarkTool::Text, FState->Colour, at, at, *text, 0});
    }
}

#include "app/MainForm.h"

#include "app/SelectionAids.h"
#include "platform/Messages.h"

#include <cstdlib>

namespace {

// A press and a release this close together place no dragged mark.
constexpr std::int32_t kMarkSlack = 2;

bool IsDragged(TMarkTool tool) {
    return tool == TMarkTool::Frame || tool == TMarkTool::Arrow || tool == TMarkTool::Highlighter ||
           tool == TMarkTool::Mosaic;
}

} // namespace

void TMainForm::EnterMarkup() {
    const TScreenPoint centre{FRegion.Left + (FRegion.Right - FRegion.Left) / 2,
                              FRegion.Top + (FRegion.Bottom - FRegion.Top) / 2};
    TMarkupState state(FRegion);
    state.Picture = std::make_shared<TMarkedPicture>(*FSnapshot, FRegion, FSnapshotPointer);
    state.Monitor = MonitorUnder(FMonitors, centre);
    state.Style = MarkStyleFor(state.Monitor.Dpi);
    state.Toolbar = PlaceToolbar(FRegion, state.Monitor);
    FMarkup = std::move(state);
    ShowMarks({});
    FPlatform.SetCrossCursor(true);
    ShowToolbar();
}

void TMainForm::ShowToolbar() {
    FPlatform.SetOverlayAids(ToolbarAids(FMarkup->Toolbar, FMarkup->Tool, FMarkup->Colour,
                                         FMarkup->Hovered, FMarkup->Monitor));
}

void TMainForm::MarkupMouseDown(TScreenPoint at) {
    if (FCaptureRunning) {
        return; // the save's question is open over the overlay
    }
    const std::optional<std::size_t> button = ButtonAt(FMarkup->Toolbar, at);
    if (FMarkup->TypingAt) {
        // A click elsewhere ends the text; on the toolbar it also presses its button.
        FinishTyping();
        if (!button) {
            return;
        }
    }
    if (button) {
        PressToolbarButton(FMarkup->Toolbar[*button]);
        return;
    }
    if (!Contains(FMarkup->Marks.Selection(), at)) {
        return;
    }
    const TMark mark{FMarkup->Tool, FMarkup->Colour, at, at, {}, 0};
    if (IsDragged(mark.Tool)) {
        FMarkup->Drawing = mark;
        FMarkup->Dragged = false;
        FPlatform.SetPointerCapture(true);
    } else if (mark.Tool == TMarkTool::Step) {
        PlaceMark(mark);
    } else {
        const TCaptureRegion& selection = FMarkup->Marks.Selection();
        FMarkup->TypingAt = at;
        FPlatform.BeginTextEntry(at, selection.Right - at.X, mark.Colour,
                                 FMarkup->Style.TextHeight);
    }
}

void TMainForm::MarkupMouseMove(TScreenPoint at) {
    if (FMarkup->Drawing) {
        TMark& mark = *FMarkup->Drawing;
        const TScreenPoint to = FMarkup->Marks.Within(at);
        if (to == mark.To) {
            return; // held at the selection's edge: the preview stands
        }
        mark.To = to;
        FMarkup->Dragged = FMarkup->Dragged || std::abs(mark.To.X - mark.From.X) > kMarkSlack ||
                           std::abs(mark.To.Y - mark.From.Y) > kMarkSlack;
        if (FMarkup->Dragged) {
            ShowMarks(FMarkup->Picture->Preview(mark, FMarkup->Style, FPlatform));
        }
        return;
    }
    const std::optional<std::size_t> hovered = ButtonAt(FMarkup->Toolbar, at);
    if (hovered != FMarkup->Hovered) {
        FMarkup->Hovered = hovered;
        ShowToolbar();
    }
}

void TMainForm::MarkupMouseUp(TScreenPoint at) {
    if (!FMarkup->Drawing) {
        return;
    }
    MarkupMouseMove(at);
    FPlatform.SetPointerCapture(false);
    const TMark mark = *std::exchange(FMarkup->Drawing, std::nullopt);
    if (FMarkup->Dragged) {
        // As its last preview shows it.
        FMarkup->Marks.Place(mark);
        FMarkup->Areas.push_back(FMarkup->Picture->Place());
    } else {
        ShowMarks(FMarkup->Picture->EndPreview());
    }
}

void TMainForm::ShowMarks(const std::vector<TCaptureRegion>& changed) {
    FPlatform.SetOverlayMarks(FMarkup->Picture, changed);
}

// The last mark painted over the ones before it, and shown.
void TMainForm::ShowLastMark() {
    const std::vector<TCaptureRegion> changed =
        FMarkup->Picture->Preview(FMarkup->Marks.Marks().back(), FMarkup->Style, FPlatform);
    FMarkup->Areas.push_back(FMarkup->Picture->Place());
    ShowMarks(changed);
}

void TMainForm::PlaceMark(const TMark& mark) {
    FMarkup->Marks.Place(mark);
    ShowLastMark();
}

void TMainForm::TakeBackMark() {
    if (!FMarkup->Marks.TakeBack()) {
        return;
    }
    const std::vector<TCaptureRegion> changed = std::move(FMarkup->Areas.back());
    FMarkup->Areas.pop_back();
    FMarkup->Picture->Repaint(FMarkup->Marks.Marks(), FMarkup->Style, FPlatform);
    ShowMarks(changed);
}

void TMainForm::PutBackMark() {
    if (FMarkup->Marks.PutBack()) {
        ShowLastMark();
    }
}

void TMainForm::MarkupKeyDown(std::uint16_t key, std::uint32_t shift) {
    if (FCaptureRunning) {
        return;
    }
    if (const auto button = ButtonOfKey(key, (shift & kHeldControl) != 0)) {
        PressToolbarButton(*button);
    }
}

void TMainForm::PressToolbarButton(const TToolbarButton& button) {
    if (FMarkup->Drawing) {
        // A key while the button is held: the mark being drawn is dropped.
        FMarkup->Drawing.reset();
        FPlatform.SetPointerCapture(false);
        ShowMarks(FMarkup->Picture->EndPreview());
    }
    switch (button.Action) {
    case TToolbarAction::Tool:
        FMarkup->Tool = static_cast<TMarkTool>(button.Index);
        ShowToolbar();
        break;
    case TToolbarAction::Colour:
        FMarkup->Colour = kMarkColours[button.Index];
        ShowToolbar();
        break;
    case TToolbarAction::TakeBack:
        TakeBackMark();
        break;
    case TToolbarAction::PutBack:
        PutBackMark();
        break;
    case TToolbarAction::Save:
        SaveMarks();
        break;
    case TToolbarAction::Leave:
        EndSelection(); // the region stays as the release chose it
        break;
    }
}

void TMainForm::FinishTyping() {
    if (!FMarkup || !FMarkup->TypingAt) {
        return;
    }
    const TScreenPoint at = *std::exchange(FMarkup->TypingAt, std::nullopt);
    const std::optional<std::string> text = FPlatform.EndTextEntry();
    if (text && !text->empty()) {
        PlaceMark({TMarkTool::Text, FMarkup->Colour, at, at, *text, 0});
    }
}

// The capture command over the marked selection; the overlay goes once the file is saved,
// and stays with its marks when a question was answered no or the save failed.
void TMainForm::SaveMarks() {
    FinishTyping();
    const std::int32_t before = FSerialNo;
    mnCaptureClick();
    if (FSerialNo > before) {
        EndSelection();
    }
}

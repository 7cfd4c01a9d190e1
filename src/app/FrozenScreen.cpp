#include "app/MainForm.h"

#include <utility>

void TMainForm::mnPositionClick() {
    FTray.HideNotice();
    // A snapshot that cannot be made raises here: no overlay, the region unchanged.
    FSelection.Open(Settings.CaptureCursor, Settings.Magnifier, FWindowState);
    // Esc leaves the region (and the caption) as they are now.
    FPrevRegion = FRegion;
    Schedule({TSchedulerEventKind::ScreenUsed, {}, TScreenUse::Frozen});
}

void TMainForm::FormMouseDown(TMouseButton button, TShiftState shift, std::int32_t x,
                              std::int32_t y) {
    if (button != TMouseButton::Left) {
        return;
    }
    if (Marking()) {
        if (!FScheduler.Capturing) { // else the save's question is open over the overlay
            AnswerMarks(FMarkup.MouseDown({x, y}, shift));
        }
        return;
    }
    if (Visible()) {
        BeginDrag({x, y}, false);
    }
}

void TMainForm::BeginDrag(TScreenPoint at, bool byKeyboard) {
    FPrevRegion = FRegion;
    FRegion = {at.X, at.Y, at.X, at.Y};
    FSelection.Press(at, byKeyboard);
    Schedule({TSchedulerEventKind::ScreenUsed, {}, TScreenUse::Dragging});
}

void TMainForm::FormMouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
    if (Marking()) {
        FMarkup.MouseMove({x, y}, shift);
        return;
    }
    if (FSelection.Dragging() && ((shift & ssLeft) || FSelection.DraggingByKeyboard())) {
        FSelection.DragTo({x, y});
        FRegion.Right = x;
        FRegion.Bottom = y;
    }
    FSelection.ShowAids({x, y});
}

void TMainForm::FormMouseUp(TMouseButton button, TShiftState shift, std::int32_t x,
                            std::int32_t y) {
    if (button != TMouseButton::Left) {
        return;
    }
    if (Marking()) {
        FMarkup.MouseUp({x, y}, shift);
        return;
    }
    if (!Visible()) {
        // The selection was ended by Esc while the button was held.
        FRegion = FPrevRegion;
        return;
    }
    if (FSelection.Dragging()) {
        RegionReleased(x, y);
    }
}

// The region chosen: shown in the caption, then captured at once or marked first, as the
// settings ask; whatever happens, the overlay goes unless the marks keep it.
void TMainForm::RegionReleased(std::int32_t x, std::int32_t y) {
    struct TEndSelection {
        TMainForm& Form;
        bool Keep = false; // the overlay stays for marks
        ~TEndSelection() {
            if (!Keep) {
                Form.EndSelection();
            }
        }
    } end{*this};
    FRegion = FSelection.Release({x, y});
    ShowRegionInCaption();
    if (Settings.CaptAtSameTime && Settings.Markup && !IsEmpty(FRegion) && FSelection.Snapshot()) {
        try {
            FMarkup.Enter(*FSelection.Snapshot(), FRegion, FSelection.SnapshotPointer(),
                          FSelection.Monitors());
            end.Keep = true;
            Schedule({TSchedulerEventKind::ScreenUsed, {}, TScreenUse::Marks});
        } catch (...) {
            HandleException(); // no memory for the marks: the overlay goes, the region stays
        }
    } else if (Settings.CaptAtSameTime) {
        mnCaptureClick(); // reads the frozen snapshot still on the screen, band erased
    }
}

void TMainForm::FormKeyDown(TKeyCode& key, TShiftState shift) {
    if (key == kKeyLeft || key == kKeyUp || key == kKeyRight || key == kKeyDown) {
        // A selected mark moves; else the pointer does.
        if (!(Marking() && !FScheduler.Capturing && FMarkup.Nudge(key, shift))) {
            FSelection.StepPointer(key, (shift & ssShift) != 0);
        }
        return;
    }
    if (Marking()) {
        if (!FScheduler.Capturing) {
            AnswerMarks(FMarkup.KeyDown(key, shift));
        }
        return;
    }
    if (!Visible()) {
        return;
    }
    const TScreenPoint at = FPlatform.Display().PointerPosition();
    if (key == 'Z') {
        Settings.Magnifier = FSelection.ToggleMagnifier(at);
        FMagnifierToggled = true;
    } else if (key == kKeyEnter) {
        // Enter presses at the pointer, and a second Enter releases there, as the button would.
        if (!FSelection.DraggingByKeyboard()) {
            BeginDrag(at, true);
        } else {
            FormMouseUp(TMouseButton::Left, 0, at.X, at.Y);
        }
    } else if (key == kKeyEscape) {
        FRegion = FPrevRegion;
        EndSelection();
    }
}

void TMainForm::TextEntryEnded() {
    FMarkup.FinishTyping();
}

void TMainForm::AnswerMarks(TMarkupAnswer answer) {
    switch (answer) {
    case TMarkupAnswer::None:
        break;
    case TMarkupAnswer::Save: {
        // The capture command over the marked selection; the overlay goes once the file is
        // saved, and stays with its marks when a question was answered no or the save failed.
        FMarkup.FinishTyping();
        const std::int32_t before = FSerialNo;
        mnCaptureClick();
        if (FSerialNo > before) {
            EndSelection();
        }
        break;
    }
    case TMarkupAnswer::Leave:
        EndSelection(); // the region stays as the release chose it
        break;
    }
}

// Whatever happened: the marks and the snapshot released, the arrow back, the form hidden into
// the tray, and the magnifier's choice kept; then what was asked for meanwhile may run.
void TMainForm::EndSelection() {
    try {
        FMarkup.Leave();
        FSelection.Close();
        HideToTray();
        FTray.ShowHeldNotice();
        if (std::exchange(FMagnifierToggled, false)) {
            SaveSettings(); // a refused write reaches the general error handler
        }
    } catch (...) {
        HandleException();
    }
    Schedule({TSchedulerEventKind::ScreenUsed, {}, TScreenUse::Free});
}

#include "app/MainForm.h"

#include "base/Texts.h"
#include "imaging/PixelDepth.h"
#include "imaging/PixelStore.h"

#include <utility>

void TMainForm::mnPositionClick() {
    OpenFrozenScreen(TFrozenPurpose::Region);
}

// The frozen screen for a region, or (with its hint) for the rectangle a scrolling capture
// scrolls, which leaves the region as it is.
void TMainForm::OpenFrozenScreen(TFrozenPurpose purpose) {
    FTray.HideNotice();
    const bool scroll = purpose == TFrozenPurpose::Scroll;
    // A snapshot that cannot be made raises here: no overlay, the region unchanged.
    FSelection.Open(Settings.CaptureCursor && !scroll, Settings.Magnifier, FWindowState,
                    scroll ? Text(TText::ScrollHint) : std::string());
    FPurpose = purpose;
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
    if (FPurpose == TFrozenPurpose::Region) {
        FPrevRegion = FRegion;
        FRegion = {at.X, at.Y, at.X, at.Y};
    }
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
        if (FPurpose == TFrozenPurpose::Region) {
            FRegion.Right = x;
            FRegion.Bottom = y;
        }
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
        if (FPurpose == TFrozenPurpose::Region) {
            FRegion = FPrevRegion;
        }
        return;
    }
    if (FSelection.Dragging()) {
        RegionReleased(x, y);
    }
}

// The region chosen: shown in the caption, then captured at once or marked first, as the
// settings ask; whatever happens, the overlay goes unless the marks keep it.
void TMainForm::RegionReleased(std::int32_t x, std::int32_t y) {
    if (FPurpose == TFrozenPurpose::Scroll) {
        const TCaptureRegion rect = FSelection.Release({x, y});
        EndSelection(IsEmpty(rect) ? TScreenUse::Free : TScreenUse::Scrolling);
        StartScroll(rect);
        return;
    }
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
    case TMarkupAnswer::Pin:
        PinMarkedSelection();
        break;
    case TMarkupAnswer::Leave:
        EndSelection(); // the region stays as the release chose it
        break;
    }
}

// Whatever happened: the marks and the snapshot released, the arrow back, the form hidden into
// the tray, and the magnifier's choice kept; then what was asked for meanwhile may run, unless
// a scrolling capture takes the screen next.
void TMainForm::EndSelection(TScreenUse next) {
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
    FPurpose = TFrozenPurpose::Region;
    Schedule({TSchedulerEventKind::ScreenUsed, {}, next});
}

void TMainForm::StartScroll(const TCaptureRegion& rect) {
    if (IsEmpty(rect)) {
        return;
    }
    try {
        // A page too tall to be saved in the format chosen, or to be held, ends at its limit.
        const std::int32_t width = rect.Right - rect.Left;
        const TScrollHeight height =
            ScrollHeightLimit(Settings.ScrollMaxHeight, Settings.ImageType == itJpeg, width,
                              RowStride(width, DepthForImageBit(Settings.ImageBit)),
                              TPixelStore::kMaxBytes, FPlatform.Scrolling().MemoryAvailable());
        FScroll.Start(rect, height);
        FPlatform.KeyWatcher().WatchEscape(true); // the page has the focus: Esc is ours
    } catch (...) {
        AbandonScroll();
        HandleException();
        Schedule({TSchedulerEventKind::ScreenUsed, {}, TScreenUse::Free});
    }
}

void TMainForm::ScrollTick() {
    std::exception_ptr failure;
    bool ended = false;
    try {
        ended = FScroll.Tick();
    } catch (...) {
        failure = std::current_exception();
    }
    if (failure || ended) {
        FinishScroll(failure ? TScrollEnd::Failed : FScroll.Ended().value_or(TScrollEnd::PageEnded),
                     failure);
    }
}

void TMainForm::ScrollLabelClicked() {
    FinishScroll(TScrollEnd::Stopped);
}

// Everything of the scroll let go, whatever fails: one box for a failure, the screen free again,
// then the exact page saved as any capture is, its notice telling its height and, where it did
// not end on its own, why; the region stays as it was.
void TMainForm::FinishScroll(TScrollEnd why, std::exception_ptr failure) {
    if (!FScroll.Running()) {
        return;
    }
    std::optional<TScrollResult> result;
    try {
        result = FScroll.Finish(why);
    } catch (...) {
        failure = failure ? failure : std::current_exception();
    }
    try {
        FPlatform.KeyWatcher().WatchEscape(false);
        FollowSettings();
    } catch (...) {
        failure = failure ? failure : std::current_exception();
    }
    if (failure) {
        ShowError(failure);
    }
    // From here a request waits for the page's save and its questions, as for any capture.
    Schedule({TSchedulerEventKind::ScreenUsed, {}, TScreenUse::Free});
    if (!result) {
        return;
    }
    const std::string ended = ScrollEndText(*result);
    const TCaptureSource source{
        nullptr, Text(ended.empty() ? TText::ScrollNotice : TText::ScrollNoticeEnded),
        std::to_string(result->Page->Height()), ended, result->Page.get()};
    RunCapture(TCaptureRegion{0, 0, result->Page->Width(), result->Page->Height()}, source);
}

// On the way out: nothing saved, nothing shown, Esc given back to the other programs.
void TMainForm::AbandonScroll() noexcept {
    if (!FScroll.Running()) {
        return;
    }
    FScroll.Abandon();
    try {
        FPlatform.KeyWatcher().WatchEscape(false);
    } catch (...) {
        // The watcher goes with the program.
    }
}

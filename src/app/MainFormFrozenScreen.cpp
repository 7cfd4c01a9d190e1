#include "app/MainForm.h"

#include "base/Errors.h"
#include "base/Texts.h"
#include "platform/MonitorLayout.h"
#include "platform/PixelRows.h"

#include <string>
#include <utility>

void TMainForm::mnPositionClick() {
    OpenFrozenScreen(TFrozenPurpose::Region);
}

// The frozen screen for a region, or (with its hint) for the rectangle a scrolling capture
// scrolls or the one whose text to read, which leave the region as it is.
void TMainForm::OpenFrozenScreen(TFrozenPurpose purpose) {
    FTray.HideNotice();
    const bool region = purpose == TFrozenPurpose::Region;
    // A snapshot that cannot be made raises here: no overlay, the region unchanged.
    FSelection.Open(FSettings.CaptureCursor && region, FSettings.Magnifier, FWindowState,
                    region                              ? std::string()
                    : purpose == TFrozenPurpose::Scroll ? Text(TText::ScrollHint)
                                                        : Text(TText::TextHint));
    FNotice.Hold(true); // a notice waits for the frozen screen to go
    FInCharge = region                              ? &FRegionChoice
                : purpose == TFrozenPurpose::Scroll ? &FScrollChoice
                                                    : &FTextChoice;
    FRequests.ScreenUsed(TScreenUse::Frozen);
}

void TMainForm::FormMouseDown(TMouseButton button, TShiftState shift, std::int32_t x,
                              std::int32_t y) {
    if (button == TMouseButton::Left && FInCharge) {
        Take(FInCharge->MouseDown({{x, y}, shift, FRequests.Capturing()}));
    }
}

void TMainForm::FormMouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
    if (FInCharge) {
        Take(FInCharge->MouseMove({{x, y}, shift, FRequests.Capturing()}));
    }
}

void TMainForm::FormMouseUp(TMouseButton button, TShiftState shift, std::int32_t x,
                            std::int32_t y) {
    if (button == TMouseButton::Left && FInCharge) {
        Take(FInCharge->MouseUp({{x, y}, shift, FRequests.Capturing()}));
    }
}

void TMainForm::FormKeyDown(TKeyCode& key, TShiftState shift) {
    if (FInCharge) {
        const TScreenPoint at = FPlatform.Display().PointerPosition();
        Take(FInCharge->KeyDown(key, {at, shift, FRequests.Capturing()}));
    }
}

void TMainForm::TextEntryEnded() {
    FMarkup.FinishTyping();
}

// What the frozen screen's use in charge said: a drag begun, the magnifier's choice, or its end
// with what it chose.
void TMainForm::Take(const TFrozenAnswer& answer) {
    switch (answer.Says) {
    case TFrozenSays::Nothing:
        break;
    case TFrozenSays::Pressed:
        FRequests.ScreenUsed(TScreenUse::Dragging);
        break;
    case TFrozenSays::Magnifier:
        FSettings.Magnifier = answer.On;
        FMagnifierToggled = true;
        break;
    case TFrozenSays::Cancelled:
    case TFrozenSays::Leave:
        EndSelection(); // the region stays as it was, or as the release chose it
        break;
    case TFrozenSays::Region: {
        // Shown in the caption, then captured at once or marked first, as the settings ask;
        // whatever happens, the frozen screen goes unless the marks keep it.
        struct TEndSelection {
            TMainForm& Form;
            bool Keep = false;
            ~TEndSelection() {
                if (!Keep) {
                    Form.EndSelection();
                }
            }
        } end{*this};
        FCapture.SetRegion(answer.Rect);
        FCapture.ShowRegionInCaption();
        const auto& snapshot = FSelection.Snapshot();
        if (FSettings.CaptAtSameTime && FSettings.Markup && !IsEmpty(answer.Rect) && snapshot) {
            try {
                FMarking.Enter(*snapshot, answer.Rect, FSelection.SnapshotPointer(),
                               FSelection.Monitors());
                FInCharge = &FMarking;
                end.Keep = true;
                FRequests.ScreenUsed(TScreenUse::Marks);
            } catch (...) {
                HandleException(); // no memory for the marks: the overlay goes, the region stays
            }
        } else if (FSettings.CaptAtSameTime) {
            mnCaptureClick(); // reads the frozen snapshot still on the screen, band erased
        }
        break;
    }
    case TFrozenSays::Rectangle:
        EndSelection(IsEmpty(answer.Rect) ? TScreenUse::Free : TScreenUse::Scrolling);
        try {
            FScroll.Start(answer.Rect, FSettings);
        } catch (...) {
            HandleException();
            FRequests.ScreenUsed(TScreenUse::Free);
        }
        break;
    case TFrozenSays::Read: {
        // Read off the frozen screen's own pixels on a thread of ours, the snapshot held past
        // the frozen screen's end; requests wait for it, Esc or a click on the icon cancels it.
        const std::shared_ptr<const TScreenPixels> snapshot = FSelection.Snapshot();
        const TScreenPoint centre{(answer.Rect.Left + answer.Rect.Right) / 2,
                                  (answer.Rect.Top + answer.Rect.Bottom) / 2};
        const int dpi = MonitorUnder(FSelection.Monitors(), centre).Dpi;
        const bool nothing = IsEmpty(answer.Rect) || !snapshot;
        EndSelection(nothing ? TScreenUse::Free : TScreenUse::Reading);
        if (nothing) {
            break;
        }
        try {
            FText.Start(*snapshot, answer.Rect, dpi, FSettings.OcrLanguages);
            FTray.ShowReading(true);
            FPlatform.KeyWatcher().WatchEscape(true);
        } catch (...) {
            FText.CancelAndWait();
            HandleException();
            FRequests.ScreenUsed(TScreenUse::Free);
        }
        break;
    }
    case TFrozenSays::Save: {
        // The capture command over the marked selection; the frozen screen goes once the file
        // is saved, and stays with its marks when a question was answered no or the save failed.
        const std::int32_t before = FCapture.SerialNo();
        TCaptureSource source;
        source.Picture = answer.Picture;
        RunCapture(std::move(source));
        if (FCapture.SerialNo() > before) {
            EndSelection();
        }
        break;
    }
    case TFrozenSays::Pin:
        // Where it was and at 1:1, nothing saved and the counter as it was; the pin shows before
        // the frozen screen goes, so that its place never flickers.
        FPins.Pin(TPixelRows::CopyOf(*answer.Picture), {answer.Rect.Left, answer.Rect.Top});
        FTray.ShowCloseAllPins(true);
        EndSelection();
        break;
    }
}

// Whatever happened: the marks and the snapshot released, the arrow back, the form hidden into
// the tray, the notice held meanwhile shown, and the magnifier's choice kept; then what was
// asked for meanwhile may run, unless a scrolling capture takes the screen next.
void TMainForm::EndSelection(TScreenUse next) {
    FInCharge = nullptr;
    try {
        FMarkup.Leave();
        FSelection.Close();
        FTray.HideToTray();
        FNotice.Hold(false);
        if (std::exchange(FMagnifierToggled, false)) {
            FOptions.Save(); // a refused write reaches the general error handler
        }
    } catch (...) {
        HandleException();
    }
    FRequests.ScreenUsed(next);
}

void TMainForm::ScrollTick() {
    if (const std::optional<TScrollEnd> ended = FScroll.Tick()) {
        FinishScroll(*ended);
    }
}

void TMainForm::ScrollLabelClicked() {
    FinishScroll(TScrollEnd::Stopped);
}

// Everything of the scroll let go, whatever fails: one box for a failure, the screen free again,
// then the exact page saved as any capture is, its notice telling its height and, where it did
// not end on its own, why; the region stays as it was.
void TMainForm::FinishScroll(TScrollEnd why) {
    if (!FScroll.Running()) {
        return;
    }
    TScrollOutcome outcome = FScroll.Finish(why);
    try {
        FTray.FollowSettings(FSettings);
    } catch (...) {
        outcome.Failure = outcome.Failure ? outcome.Failure : std::current_exception();
    }
    if (outcome.Failure) {
        FRequests.ShowError(outcome.Failure);
    }
    // From here a request waits for the page's save and its questions, as for any capture.
    FRequests.ScreenUsed(TScreenUse::Free);
    if (!outcome.Result) {
        return;
    }
    TRowBlocks& page = *outcome.Result->Page;
    TCaptureSource source;
    source.Rect = TCaptureRegion{0, 0, page.Width(), page.Height()};
    source.Page = &page;
    source.NoticeFormat =
        Text(outcome.Why.empty() ? TText::ScrollNotice : TText::ScrollNoticeEnded);
    source.Height = outcome.Height;
    source.Why = outcome.Why;
    RunCapture(std::move(source));
}

// The text read on the clipboard, and a notice of what was copied (or that there was none); a
// cancelled read leaves both as they were. Requests wait until it is told.
void TMainForm::TextRead() {
    const std::optional<TTextOutcome> taken = FText.Take();
    if (!taken) {
        return; // a read given up before (or on the way out), not the one running
    }
    const TTextOutcome& outcome = *taken;
    try {
        FTray.ShowReading(false);
        FPlatform.KeyWatcher().WatchEscape(false);
        FTray.FollowSettings(FSettings);
        if (outcome.Failure) {
            try {
                std::rethrow_exception(outcome.Failure);
            } catch (const ETextLanguage& missing) {
                FRequests.Ask(missing.Message(), TBoxKind::Error, TBoxButtons::Ok); // names it
            } catch (...) {
                FRequests.ShowError(outcome.Failure);
            }
        } else if (outcome.Text && outcome.Text->empty()) {
            FNotice.Notify({}, Text(TText::TextNotFound));
        } else if (outcome.Text && !FPlatform.Shell().SetClipboardText(*outcome.Text)) {
            FRequests.Ask(Text(TText::ClipboardFailed), TBoxKind::Warning, TBoxButtons::Ok);
        } else if (outcome.Text) {
            FNotice.Notify({}, CopiedNotice(*outcome.Text));
        }
    } catch (...) {
        HandleException();
    }
    FRequests.ScreenUsed(TScreenUse::Free);
}

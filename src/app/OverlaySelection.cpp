#include "app/MainForm.h"

#include "app/SelectionAids.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// A press and a release this close together are a click, not a drag.
constexpr std::int32_t kClickSlack = 2;

} // namespace

void TMainForm::mnPositionClick() {
    // A snapshot that cannot be made raises here: no overlay, the region unchanged.
    FPlatform.HideNotice();
    // Every monitor, frozen: the user may draw on any of them and across them.
    std::vector<TMonitor> monitors = FPlatform.Monitors();
    const TCaptureRegion screen = VirtualScreenOf(monitors);
    std::shared_ptr<const TScreenPixels> snapshot = FPlatform.GrabScreen(
        screen.Left, screen.Top, screen.Right - screen.Left, screen.Bottom - screen.Top);
    // The pointer of the frozen screen, never the overlay's own cross.
    FSnapshotPointer = Settings.CaptureCursor ? FPlatform.PointerPicture() : std::nullopt;
    // The windows a click can take, as the snapshot shows them.
    FWindowFrames = FPlatform.WindowFrames();
    FMonitors = std::move(monitors);
    FPlatform.SetOverlayPicture(snapshot);
    FSnapshot = std::move(snapshot);
    FPlatform.ShowMainWindow(FWindowState);
    FVisible = true;
    FDragging = false;
    FPlatform.SetCrossCursor(true);
    ShowAids(FPlatform.PointerPosition());
}

// The readout, the magnifier and, before a press, the outline of what a click would take.
void TMainForm::ShowAids(TScreenPoint at) {
    if (!FVisible) {
        return;
    }
    const std::string readout = FDragging ? SizeReadout(std::abs(std::int64_t{at.X} - FRegion.Left),
                                                        std::abs(std::int64_t{at.Y} - FRegion.Top))
                                          : PositionReadout(at);
    TOverlayAids aids = PlaceAids(at, MonitorUnder(FMonitors, at), Settings.Magnifier, readout);
    if (!FDragging) {
        aids.Outline = PickedRegion(FWindowFrames, FMonitors, at);
    }
    FPlatform.SetOverlayAids(aids);
}

void TMainForm::RubberBand(std::int32_t cornerX, std::int32_t cornerY) {
    FPlatform.DrawXorRectangle(FRegion.Left, FRegion.Top, cornerX, cornerY);
}

void TMainForm::FormMouseDown(TMouseButton button, std::uint32_t, std::int32_t x, std::int32_t y) {
    if (button != TMouseButton::Left) {
        return;
    }
    if (FMarkup) {
        MarkupMouseDown({x, y});
        return;
    }
    FPrevRegion = FRegion;
    FRegion = {x, y, x, y};
    FPlatform.SetPointerCapture(true);
    FDragging = true;
    ShowAids({x, y});
}

void TMainForm::FormMouseMove(std::uint32_t shift, std::int32_t x, std::int32_t y) {
    if (FMarkup) {
        MarkupMouseMove({x, y});
        return;
    }
    if ((shift & kHeldLeft) || FKeyboardDrag) {
        RubberBand(FRegion.Right, FRegion.Bottom); // erase the band of the last move
        RubberBand(x, y);
        FRegion.Right = x;
        FRegion.Bottom = y;
    }
    ShowAids({x, y});
}

void TMainForm::FormMouseUp(TMouseButton button, std::uint32_t, std::int32_t x, std::int32_t y) {
    if (button != TMouseButton::Left) {
        return;
    }
    if (FMarkup) {
        MarkupMouseUp({x, y});
        return;
    }
    FPlatform.SetPointerCapture(false);
    FDragging = false;
    if (!FVisible) {
        // The selection was ended by Esc while the button was held.
        FRegion = FPrevRegion;
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
    FPlatform.SetCrossCursor(false);
    FPlatform.SetOverlayAids({});
    RubberBand(FRegion.Right, FRegion.Bottom);
    const TScreenPoint pressedAt{FRegion.Left, FRegion.Top};
    if (std::abs(x - pressedAt.X) <= kClickSlack && std::abs(y - pressedAt.Y) <= kClickSlack) {
        // A click takes the window that was outlined under the pointer.
        FRegion = PickedRegion(FWindowFrames, FMonitors, pressedAt);
    } else {
        FRegion.Right = x;
        FRegion.Bottom = y;
        if (FRegion.Left > FRegion.Right) {
            std::swap(FRegion.Left, FRegion.Right);
        }
        if (FRegion.Top > FRegion.Bottom) {
            std::swap(FRegion.Top, FRegion.Bottom);
        }
    }
    ShowRegionInCaption();
    if (Settings.CaptAtSameTime && Settings.Markup && !IsEmpty(FRegion) && FSnapshot) {
        try {
            EnterMarkup();
            end.Keep = true;
        } catch (...) {
            HandleException(); // no memory for the marks: the overlay goes, the region stays
        }
    } else if (Settings.CaptAtSameTime) {
        mnCaptureClick(); // reads the frozen snapshot still on the screen, band erased
    }
}

void TMainForm::FormKeyDown(std::uint16_t& key, std::uint32_t shift) {
    if (key == kArrowLeft || key == kArrowUp || key == kArrowRight || key == kArrowDown) {
        StepPointer(key, shift);
        return;
    }
    if (FMarkup) {
        MarkupKeyDown(key, shift);
        return;
    }
    if (key == kKeyZ && FVisible) {
        Settings.Magnifier = !Settings.Magnifier;
        FMagnifierToggled = true; // saved when the overlay has gone
        ShowAids(FPlatform.PointerPosition());
        return;
    }
    if (key == kKeyReturn && FVisible) {
        // Enter presses at the pointer, and a second Enter releases there, as the button would.
        const TScreenPoint at = FPlatform.PointerPosition();
        FKeyboardDrag = !FKeyboardDrag;
        if (FKeyboardDrag) {
            FormMouseDown(TMouseButton::Left, kHeldLeft, at.X, at.Y);
        } else {
            FormMouseUp(TMouseButton::Left, 0, at.X, at.Y);
        }
        return;
    }
    if (key != kKeyEscape) {
        return;
    }
    FKeyboardDrag = false;
    FRegion = FPrevRegion;
    FPlatform.SetPointerCapture(false);
    EndSelection();
}

// The arrow keys move the pointer by a pixel, ten with Shift, within the virtual screen; the
// move reaches the overlay as the pointer's own would.
void TMainForm::StepPointer(std::uint16_t key, std::uint32_t shift) {
    if (!FVisible) {
        return;
    }
    const std::int32_t step = (shift & kHeldShift) ? 10 : 1;
    const TCaptureRegion screen = VirtualScreenOf(FMonitors);
    TScreenPoint at = FPlatform.PointerPosition();
    at.X += key == kArrowLeft ? -step : key == kArrowRight ? step : 0;
    at.Y += key == kArrowUp ? -step : key == kArrowDown ? step : 0;
    at.X = std::clamp(at.X, screen.Left, screen.Right - 1);
    at.Y = std::clamp(at.Y, screen.Top, screen.Bottom - 1);
    FPlatform.SetPointerPosition(at);
}

// Whatever happened: the snapshot released, the arrow back, the form hidden into the tray, and
// the magnifier's choice kept.
void TMainForm::EndSelection() {
    FKeyboardDrag = false;
    FDragging = false;
    try {
        if (FMarkup) {
            if (FMarkup->TypingAt) {
                FPlatform.EndTextEntry();
            }
            FPlatform.SetPointerCapture(false);
            FMarkup.reset();
        }
        FPlatform.SetCrossCursor(false);
        FPlatform.SetOverlayPicture(nullptr);
        FSnapshot.reset();
        FSnapshotPointer.reset();
        FWindowFrames.clear();
        HideToTray();
        ShowPendingNotice();
        if (std::exchange(FMagnifierToggled, false)) {
            SaveSettings(); // a refused write reaches the general error handler
        }
    } catch (...) {
        HandleException();
    }
    RunPendingRequests(); // what was asked for before the overlay opened
}

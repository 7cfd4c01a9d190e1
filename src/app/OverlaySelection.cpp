#include "app/MainForm.h"

#include "platform/Messages.h"

#include <algorithm>
#include <utility>

void TMainForm::mnPositionClick() {
    // A snapshot that cannot be made raises here: no overlay, the region unchanged.
    FPlatform.HideNotice();
    // Every monitor, frozen: the user may draw on any of them and across them.
    const TCaptureRegion screen = VirtualScreenOf(FPlatform.Monitors());
    std::shared_ptr<const TScreenPixels> snapshot = FPlatform.GrabScreen(
        screen.Left, screen.Top, screen.Right - screen.Left, screen.Bottom - screen.Top);
    FPlatform.SetOverlayPicture(snapshot);
    FSnapshot = std::move(snapshot);
    FPlatform.ShowMainWindow(FWindowState);
    FVisible = true;
    FPlatform.SetCrossCursor(true);
}

void TMainForm::RubberBand(std::int32_t cornerX, std::int32_t cornerY) {
    FPlatform.DrawXorRectangle(FRegion.Left, FRegion.Top, cornerX, cornerY);
}

void TMainForm::FormMouseDown(TMouseButton button, std::uint32_t, std::int32_t x, std::int32_t y) {
    if (button != TMouseButton::Left) {
        return;
    }
    FPrevRegion = FRegion;
    FRegion = {x, y, x, y};
    FPlatform.SetPointerCapture(true);
}

void TMainForm::FormMouseMove(std::uint32_t shift, std::int32_t x, std::int32_t y) {
    if (!(shift & kHeldLeft) && !FKeyboardDrag) {
        return;
    }
    RubberBand(FRegion.Right, FRegion.Bottom); // erase the band of the last move
    RubberBand(x, y);
    FRegion.Right = x;
    FRegion.Bottom = y;
}

void TMainForm::FormMouseUp(TMouseButton button, std::uint32_t, std::int32_t x, std::int32_t y) {
    if (button != TMouseButton::Left) {
        return;
    }
    FPlatform.SetPointerCapture(false);
    if (!FVisible) {
        // The selection was ended by Esc while the button was held.
        FRegion = FPrevRegion;
        return;
    }
    struct TEndSelection {
        TMainForm& Form;
        ~TEndSelection() { Form.EndSelection(); }
    } end{*this};
    FPlatform.SetCrossCursor(false);
    RubberBand(FRegion.Right, FRegion.Bottom);
    FRegion.Right = x;
    FRegion.Bottom = y;
    if (FRegion.Left > FRegion.Right) {
        std::swap(FRegion.Left, FRegion.Right);
    }
    if (FRegion.Top > FRegion.Bottom) {
        std::swap(FRegion.Top, FRegion.Bottom);
    }
    ShowRegionInCaption();
    if (Settings.CaptAtSameTime) {
        mnCaptureClick(); // reads the frozen snapshot still on the screen, band erased
    }
}

void TMainForm::FormKeyDown(std::uint16_t& key, std::uint32_t shift) {
    if (key == kArrowLeft || key == kArrowUp || key == kArrowRight || key == kArrowDown) {
        StepPointer(key, shift);
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
    const TCaptureRegion screen = VirtualScreenOf(FPlatform.Monitors());
    TScreenPoint at = FPlatform.PointerPosition();
    at.X += key == kArrowLeft ? -step : key == kArrowRight ? step : 0;
    at.Y += key == kArrowUp ? -step : key == kArrowDown ? step : 0;
    at.X = std::clamp(at.X, screen.Left, screen.Right - 1);
    at.Y = std::clamp(at.Y, screen.Top, screen.Bottom - 1);
    FPlatform.SetPointerPosition(at);
}

// Whatever happened: the snapshot released, the arrow back, the form hidden into the tray.
void TMainForm::EndSelection() {
    FKeyboardDrag = false;
    try {
        FPlatform.SetCrossCursor(false);
        FPlatform.SetOverlayPicture(nullptr);
        FSnapshot.reset();
        HideToTray();
        ShowPendingNotice();
    } catch (...) {
        HandleException();
    }
}

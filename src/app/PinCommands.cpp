#include "app/MainForm.h"

#include "app/ClipboardPicture.h"
#include "base/Texts.h"
#include "imaging/Bitmap.h"

#include <memory>
#include <utility>

// The selection with its marks, where it was and at 1:1, as the overlay shows it; the region is
// kept as the release chose it, nothing is saved and the counter stays. The pin shows before
// the frozen screen goes, so that its place never flickers.
void TMainForm::PinMarkedSelection() {
    FMarkup.FinishTyping();
    std::shared_ptr<const TPixelRows> picture = TPixelRows::CopyOf(FMarkup.Picture()->View());
    const TCaptureRegion selection = Marks()->Selection();
    FPins.Pin(std::move(picture), {selection.Left, selection.Top});
    FTray.ShowCloseAllPins(true);
    EndSelection();
}

void TMainForm::PinEvent(const TPinEvent& event) {
    switch (event.Kind) {
    case TPinEventKind::Key:
        if (event.Key == kKeyEscape) {
            RunPinCommand(event.Pin, TPinCommand::Close);
        } else if ((event.Shift & ssCtrl) && event.Key == 'C') {
            RunPinCommand(event.Pin, TPinCommand::Copy);
        } else if ((event.Shift & ssCtrl) && event.Key == 'S') {
            RunPinCommand(event.Pin, TPinCommand::Save);
        }
        break;
    case TPinEventKind::Wheel:
        FPins.Wheel(event.Pin, event.Delta, (event.Shift & ssCtrl) != 0, event.At);
        break;
    case TPinEventKind::Menu:
        OpenPinMenu(event.Pin, event.At);
        break;
    case TPinEventKind::DoubleClick:
    case TPinEventKind::Close:
        RunPinCommand(event.Pin, TPinCommand::Close);
        break;
    }
}

// Our menu as the tray's is: a countdown that runs out meanwhile waits for it to close.
void TMainForm::OpenPinMenu(TPinId pin, TScreenPoint at) {
    Schedule({TSchedulerEventKind::MenuOpened});
    TPinCommand command = TPinCommand::None;
    try {
        command = FPlatform.Pins().TrackPinMenu(pin, at);
    } catch (...) {
        Schedule({TSchedulerEventKind::MenuClosed});
        throw;
    }
    Schedule({TSchedulerEventKind::MenuClosed});
    RunPinCommand(pin, command);
}

void TMainForm::RunPinCommand(TPinId pin, TPinCommand command) {
    switch (command) {
    case TPinCommand::Copy:
        CopyPin(pin);
        break;
    case TPinCommand::Save:
        // In turn with the captures, so that the counter and the questions stay in order.
        Schedule({TSchedulerEventKind::Request, {TRequestKind::SavePin, {}, pin}});
        break;
    case TPinCommand::Close:
        FPins.Close(pin);
        break;
    case TPinCommand::CloseAll:
        FPins.CloseAll();
        break;
    case TPinCommand::None:
        break;
    }
    FTray.ShowCloseAllPins(!FPins.Empty());
}

// The picture as pinned, at 100 %, as the clipboard gets a capture: at the capture's depth.
void TMainForm::CopyPin(TPinId pin) {
    const std::shared_ptr<const TPixelRows> picture = FPins.Picture(pin);
    if (!picture) {
        return;
    }
    const TPixels32View view = picture->View();
    TBitmap bitmap;
    bitmap.SetColumns(view.Width);
    bitmap.SetRows(view.Height);
    bitmap.SetPixelDepth(DepthForImageBit(Settings.ImageBit));
    if (bitmap.HasStore()) {
        bitmap.DrawPixels32(0, 0, view);
    }
    if (!FPlatform.Shell().SetClipboardPicture(std::make_shared<TClipboardPicture>(bitmap))) {
        Ask(Text(TText::ClipboardFailed), TBoxKind::Warning, TBoxButtons::Ok);
    }
}

// Saved as any capture is, as the next numbered file; the picture is held until the file is
// written, should the pin be closed from the save's question.
void TMainForm::SavePin(TPinId pin) {
    const std::shared_ptr<const TPixelRows> picture = FPins.Picture(pin);
    if (!picture) {
        return; // closed while its save waited
    }
    const TPixels32View view = picture->View();
    RunCapture(TCaptureRegion{0, 0, view.Width, view.Height}, {picture.get(), {}, {}, {}, nullptr});
}

#include "app/MainForm.h"

#include "app/ClipboardPicture.h"

#include "app/FileNaming.h"
#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/Texts.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegImage.h"
#include "imaging/PngImage.h"
#include "imaging/PointerPatch.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <string>

void TMainForm::ShowRegionInCaption() {
    FPositionItemCaption = FPositionCaption + "(" + std::to_string(FRegion.Left) + "," +
                           std::to_string(FRegion.Top) + "," + std::to_string(FRegion.Right) + "," +
                           std::to_string(FRegion.Bottom) + ")";
    FTray.ShowPositionCaption(FPositionItemCaption);
}

TCaptureRegion TMainForm::FullScreenRegion() {
    return {0, 0, FPlatform.Display().ScreenWidth(), FPlatform.Display().ScreenHeight()};
}

void TMainForm::mnCaptureClick() {
    RunCapture(std::nullopt);
}

void TMainForm::RunCapture(const std::optional<TCaptureRegion>& screen,
                           const TCaptureSource& source) {
    if (FScheduler.Capturing) {
        // Asked for from inside this command's own question: its turn comes after it.
        Schedule({TSchedulerEventKind::Request,
                  screen ? TCaptureRequest{TRequestKind::Key, {TKeyAction::CaptureScreen, screen}}
                         : TCaptureRequest{TRequestKind::Command}});
        return;
    }
    Schedule({TSchedulerEventKind::CaptureStarted});
    try {
        RunCaptureCommand(screen, source);
    } catch (...) {
        HandleException(); // the error box is part of the capture
    }
    Schedule({TSchedulerEventKind::CaptureEnded});
}

// The capture command over the current region, or over `screen` (a monitor, or a scrolling
// capture's page with its pixels), which needs no region chosen and leaves the current one as
// it is. Closing while one of its questions is open abandons it there.
void TMainForm::RunCaptureCommand(const std::optional<TCaptureRegion>& screen,
                                  const TCaptureSource& source) {
    const TCaptureRegion region = screen.value_or(FRegion);
    if (!screen && !RegionChosen()) {
        Ask(Text(TText::RegionMissing), TBoxKind::Error, TBoxButtons::Ok);
        return;
    }
    if (static_cast<std::int64_t>(std::to_string(FSerialNo).size()) > Settings.Digit) {
        const int answer =
            Ask(Text(TText::DigitOverflow), TBoxKind::Warning, TBoxButtons::OkCancel);
        if (Closing()) {
            return;
        }
        if (answer != mrOk) {
            --FSerialNo;
            return;
        }
        ++Settings.Digit; // in memory only, and not limited to 9 here
    }
    const std::string fileName = BuildCaptureFileName(Settings, FSerialNo, FPlatform.Shell().Now());
    if (Settings.IsUpdate && FPlatform.Files().FileExists(fileName)) {
        const int answer = Ask(FormatText(Text(TText::OverwriteQuestion), {fileName}),
                               TBoxKind::Warning, TBoxButtons::YesNo);
        if (answer != mrYes || Closing()) {
            return;
        }
    }
    TBitmap saved;
    if (!SaveCapture(region, fileName, saved, source)) {
        return;
    }
    ++FSerialNo;
    if (OptionForm.Visible) {
        OptionForm.spnStartVal.SetValue(FSerialNo);
        FPlatform.Dialogs().RefreshOptionsDialog(OptionForm);
    }
    AfterCapture(saved, fileName, source);
    if (Settings.ExecApplication && !Closing() && FPlatform.Files().FileExists(fileName)) {
        try {
            FPlatform.Shell().ShellOpen(fileName);
        } catch (...) {
            // Opening the file is a convenience; its failure is not reported.
        }
    }
}

// What follows a saved capture as the settings ask: the clipboard, the notice.
void TMainForm::AfterCapture(const TBitmap& capture, const std::string& fileName,
                             const TCaptureSource& source) {
    if (Settings.CopyToClipboard && capture.HasStore()) {
        if (!FPlatform.Shell().SetClipboardPicture(std::make_shared<TClipboardPicture>(capture))) {
            // The file is saved and counted all the same.
            Ask(Text(TText::ClipboardFailed), TBoxKind::Warning, TBoxButtons::Ok);
        }
    }
    if (Settings.NotifySaved && !Closing()) {
        const std::string name = fileName.substr(ExtractFolder(fileName).size());
        const std::string shown =
            source.NoticeFormat.empty()
                ? name
                : FormatText(source.NoticeFormat, {name, source.Height, source.Why});
        FTray.Notify(fileName, shown, Visible()); // over the overlay: once it has gone
    }
}

namespace {

// The pointer over the screen's pixels of the capture, at the capture's depth.
void DrawPointer(TBitmap& bitmap, const TCaptureRegion& region, const TPointerPicture& pointer,
                 const TScreenPixels& screen) {
    const std::int64_t blockLeft = std::int64_t{screen.Left} + screen.OffsetX;
    const std::int64_t blockTop = std::int64_t{screen.Top} + screen.OffsetY;
    const std::vector<std::uint8_t> patch =
        PointerPatch(pointer, screen.View(), blockLeft, blockTop);
    const std::int64_t x = std::int64_t{pointer.Left} - region.Left;
    const std::int64_t y = std::int64_t{pointer.Top} - region.Top;
    if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
        bitmap.DrawPixels32(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                            PatchView(pointer, patch));
    }
}

} // namespace

bool TMainForm::SaveCapture(const TCaptureRegion& region, const std::string& fileName,
                            TBitmap& saved, const TCaptureSource& source) {
    try {
        const std::int64_t width = std::int64_t{region.Right} - region.Left;
        const std::int64_t height = std::int64_t{region.Bottom} - region.Top;
        if (width > std::numeric_limits<std::int32_t>::max() ||
            height > std::numeric_limits<std::int32_t>::max()) {
            throw EOutOfResources(Text(TText::OutOfSystemResources));
        }
        if (Settings.ImageType == itJpeg && height > kMaxJpegSide) {
            // Refused before anything is written: libjpeg takes no taller picture.
            throw EInvalidGraphicOperation(Text(TText::JpegTooTall));
        }
        TBitmap bitmap;
        bitmap.SetColumns(static_cast<std::int32_t>(width));
        bitmap.SetRows(static_cast<std::int32_t>(height));
        bitmap.SetPixelDepth(DepthForImageBit(Settings.ImageBit));
        const std::shared_ptr<const TScreenPixels>& snapshot = FSelection.Snapshot();
        if (bitmap.HasStore() && source.Page) {
            bitmap.DrawRowBlocks(*source.Page); // given up as it is drawn
        } else if (bitmap.HasStore() && source.Pixels) {
            bitmap.DrawPixels32(0, 0, source.Pixels->View());
        } else if (bitmap.HasStore() && Marking() && region == Marks()->Selection()) {
            // The marked selection as the overlay shows it, the pointer in when it is captured.
            bitmap.DrawPixels32(0, 0, FMarkup.Picture()->View());
        } else if (bitmap.HasStore() && Visible() && snapshot) {
            // While the overlay is up the screen shows the snapshot: take its pixels from the
            // snapshot itself, so that no band still on its way to the screen, and no
            // compositor lagging behind, can ever reach the file.
            const std::int64_t x = std::int64_t{snapshot->Left} + snapshot->OffsetX - region.Left;
            const std::int64_t y = std::int64_t{snapshot->Top} + snapshot->OffsetY - region.Top;
            if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
                bitmap.DrawPixels32(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                    snapshot->View());
            }
            if (Settings.CaptureCursor && FSelection.SnapshotPointer()) {
                DrawPointer(bitmap, region, *FSelection.SnapshotPointer(), *snapshot);
            }
        } else if (bitmap.HasStore()) {
            FTray.HideNotice(); // a notice of an earlier capture is no part of this one
            IDisplay& display = FPlatform.Display();
            const auto screen =
                display.GrabScreen(region.Left, region.Top, bitmap.Width(), bitmap.Height());
            bitmap.DrawPixels32(screen->OffsetX, screen->OffsetY, screen->View());
            if (Settings.CaptureCursor) {
                if (const auto pointer = display.PointerPicture()) { // as the copy found it
                    DrawPointer(bitmap, region, *pointer, *screen);
                }
            }
        }
        if (Settings.ImageType == itJpeg) {
            TJPEGImage jpeg;
            jpeg.Quality = 100;
            jpeg.ProgressiveEncoding = false;
            jpeg.SetSourceBitmap(bitmap);
            jpeg.SaveJpegFile(fileName, FPlatform.Files());
        } else if (Settings.ImageType == itPng) {
            SavePngFile(bitmap, fileName, FPlatform.Files());
        } else {
            bitmap.SaveBmpFile(fileName, FPlatform.Files());
        }
        saved = std::move(bitmap);
        return true;
    } catch (...) {
        Ask(Text(TText::SaveFailed), TBoxKind::Error, TBoxButtons::Ok);
        return false;
    }
}

void TMainForm::CaptureNow() {
    ShowRegionInCaption();
    mnCaptureClick();
}

void TMainForm::ApplyKeyDecision(const TKeyDecision& decision) {
    switch (decision.Action) {
    case TKeyAction::Capture:
        if (!RegionChosen()) {
            FRegion = FullScreenRegion();
        }
        CaptureNow();
        break;
    case TKeyAction::CaptureWindow:
        FRegion = decision.Rect ? *decision.Rect : FullScreenRegion();
        CaptureNow();
        break;
    case TKeyAction::SelectRegion:
        mnPositionClick();
        break;
    case TKeyAction::CaptureScreen:
        RunCapture(decision.Rect ? *decision.Rect : FullScreenRegion());
        break;
    case TKeyAction::ScrollCapture:
        OpenFrozenScreen(TFrozenPurpose::Scroll);
        break;
    }
}

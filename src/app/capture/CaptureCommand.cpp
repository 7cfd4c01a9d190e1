#include "app/capture/CaptureCommand.h"

#include "app/capture/ClipboardPicture.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/Texts.h"
#include "imaging/PixelDepth.h"
#include "settings/FileNaming.h"

#include <memory>
#include <string>

TCaptureCommand::TCaptureCommand(IDisplay& display, ITray& tray, IShell& shell, IFileSystem& files,
                                 TCaptureSettings& settings, IQuestions& questions,
                                 TCaptureNotice& notice)
    : FDisplay(display), FTray(tray), FShell(shell), FFiles(files), FSettings(settings),
      FQuestions(questions), FNotice(notice), FPositionCaption(Text(TText::MenuPosition)),
      FPositionItemCaption(FPositionCaption) {}

TCaptureRegion TCaptureCommand::ScreenRegion() const {
    return {0, 0, FDisplay.ScreenWidth(), FDisplay.ScreenHeight()};
}

void TCaptureCommand::ShowRegionInCaption() {
    FPositionItemCaption = FPositionCaption + "(" + std::to_string(FRegion.Left) + "," +
                           std::to_string(FRegion.Top) + "," + std::to_string(FRegion.Right) + "," +
                           std::to_string(FRegion.Bottom) + ")";
    FTray.SetPositionItemCaption(FPositionItemCaption);
}

void TCaptureCommand::StartAfresh() {
    FSerialNo = 1;
    FPositionCaption = FPositionItemCaption;
}

void TCaptureCommand::Run(const TCaptureSource& source) {
    const TCaptureRegion region = source.Rect.value_or(FRegion);
    if (!source.Rect && !RegionChosen()) {
        FQuestions.Ask(Text(TText::RegionMissing), TBoxKind::Error, TBoxButtons::Ok);
        return;
    }
    if (static_cast<std::int64_t>(std::to_string(FSerialNo).size()) > FSettings.Digit) {
        const int answer =
            FQuestions.Ask(Text(TText::DigitOverflow), TBoxKind::Warning, TBoxButtons::OkCancel);
        if (FQuestions.Closing()) {
            return;
        }
        if (answer != mrOk) {
            --FSerialNo;
            return;
        }
        ++FSettings.Digit; // in memory only, and not limited to 9 here
    }
    const std::string fileName = BuildCaptureFileName(FSettings, FSerialNo, FShell.Now());
    if (FSettings.IsUpdate && FFiles.FileExists(fileName)) {
        const int answer = FQuestions.Ask(FormatText(Text(TText::OverwriteQuestion), {fileName}),
                                          TBoxKind::Warning, TBoxButtons::YesNo);
        if (answer != mrYes || FQuestions.Closing()) {
            return;
        }
    }
    TBitmap saved;
    if (!Save(region, fileName, saved, source)) {
        return;
    }
    ++FSerialNo;
    if (FCounted) {
        FCounted();
    }
    AfterSave(saved, fileName, source);
    if (FSettings.ExecApplication && !FQuestions.Closing() && FFiles.FileExists(fileName)) {
        try {
            FShell.ShellOpen(fileName);
        } catch (...) {
            // Opening the file is a convenience; its failure is not reported.
        }
    }
}

// What follows a saved capture as the settings ask: the clipboard, the notice.
void TCaptureCommand::AfterSave(const TBitmap& capture, const std::string& fileName,
                                const TCaptureSource& source) {
    if (FSettings.CopyToClipboard && capture.HasStore()) {
        if (!FShell.SetClipboardPicture(std::make_shared<TClipboardPicture>(capture))) {
            // The file is saved and counted all the same.
            FQuestions.Ask(Text(TText::ClipboardFailed), TBoxKind::Warning, TBoxButtons::Ok);
        }
    }
    if (FSettings.NotifySaved && !FQuestions.Closing()) {
        const std::string name = fileName.substr(ExtractFolder(fileName).size());
        const std::string shown =
            source.NoticeFormat.empty()
                ? name
                : FormatText(source.NoticeFormat, {name, source.Height, source.Why});
        FNotice.Notify(fileName, shown);
    }
}

void TCaptureCommand::CopyPicture(const TPixels32View& picture) {
    TBitmap bitmap;
    bitmap.SetColumns(picture.Width);
    bitmap.SetRows(picture.Height);
    bitmap.SetPixelDepth(DepthForImageBit(FSettings.ImageBit));
    if (bitmap.HasStore()) {
        bitmap.DrawPixels32(0, 0, picture);
    }
    if (!FShell.SetClipboardPicture(std::make_shared<TClipboardPicture>(bitmap))) {
        FQuestions.Ask(Text(TText::ClipboardFailed), TBoxKind::Warning, TBoxButtons::Ok);
    }
}

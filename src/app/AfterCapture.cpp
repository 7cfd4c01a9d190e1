#include "app/ClipboardPicture.h"
#include "app/MainForm.h"

#include "base/PathText.h"
#include "base/Texts.h"

#include <memory>

void TMainForm::AfterCapture(const TBitmap& capture, const std::string& fileName) {
    if (Settings.CopyToClipboard && capture.HasStore()) {
        if (!FPlatform.SetClipboardPicture(std::make_shared<TClipboardPicture>(capture))) {
            // The file is saved and counted all the same.
            FPlatform.ShowMessageBox(Text(TText::ClipboardFailed), TBoxKind::Warning,
                                     TBoxButtons::Ok);
        }
    }
    if (Settings.NotifySaved) {
        FNoticeFile = fileName;
        FNoticePending = true;
        if (!FVisible) {
            ShowPendingNotice(); // else once the overlay has gone
        }
    }
}

void TMainForm::ShowPendingNotice() {
    if (!FNoticePending) {
        return;
    }
    FNoticePending = false;
    FPlatform.ShowNotice(Text(TText::AppTitle),
                         FNoticeFile.substr(ExtractFolder(FNoticeFile).size()));
}

void TMainForm::NoticeClicked() {
    if (FNoticeFile.empty()) {
        return;
    }
    try {
        FPlatform.ShowInFolder(FNoticeFile);
    } catch (...) {
        // Like opening the file, showing it is a convenience; its failure is not reported.
    }
}

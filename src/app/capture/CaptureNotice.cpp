#include "app/capture/CaptureNotice.h"

#include "base/Texts.h"

void TCaptureNotice::Notify(const std::string& fileName, const std::string& shown) {
    FFile = fileName;
    FShown = shown;
    FWaiting = true;
    Hold(FHolding);
}

void TCaptureNotice::Hold(bool held) {
    FHolding = held;
    if (FHolding || !FWaiting) {
        return;
    }
    FWaiting = false;
    FTray.ShowNotice(Text(TText::AppTitle), FShown);
}

void TCaptureNotice::Clicked() {
    if (FFile.empty()) {
        return;
    }
    try {
        FShell.ShowInFolder(FFile);
    } catch (...) {
        // Like opening the file, showing it is a convenience; its failure is not reported.
    }
}

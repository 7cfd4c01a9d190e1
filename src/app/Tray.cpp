#include "app/Tray.h"

#include "base/Texts.h"

void TTray::AddTrayIcon() {
    if (FInTray) {
        return;
    }
    FTray.AddTrayIcon();
    FInTray = true; // whatever the shell made of it
}

void TTray::DeleteTrayIcon() {
    if (!FInTray) {
        return;
    }
    FTray.DeleteTrayIcon();
    FInTray = false;
}

void TTray::ShowKeys(const TKeyBindings& bindings) {
    FTray.SetMenuKeys(KeyChordText(BoundKey(bindings, TKeyAction::SelectRegion)),
                      KeyChordText(BoundKey(bindings, TKeyAction::Capture)),
                      KeyChordText(BoundKey(bindings, TKeyAction::ScrollCapture)));
}

void TTray::Notify(const std::string& fileName, const std::string& shown, bool held) {
    FNoticeFile = fileName;
    FNoticeShown = shown;
    FNoticeHeld = true;
    if (!held) {
        ShowHeldNotice();
    }
}

void TTray::ShowHeldNotice() {
    if (!FNoticeHeld) {
        return;
    }
    FNoticeHeld = false;
    FTray.ShowNotice(Text(TText::AppTitle), FNoticeShown);
}

void TTray::NoticeClicked() {
    if (FNoticeFile.empty()) {
        return;
    }
    try {
        FShell.ShowInFolder(FNoticeFile);
    } catch (...) {
        // Like opening the file, showing it is a convenience; its failure is not reported.
    }
}

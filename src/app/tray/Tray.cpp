#include "app/tray/Tray.h"

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

void TTray::HideToTray() {
    AddTrayIcon();
    FOverlay.HideMainWindow();
}

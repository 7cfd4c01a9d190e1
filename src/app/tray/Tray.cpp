#include "app/tray/Tray.h"

#include "settings/SettingsTable.h"

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

void TTray::FollowSettings(const TCaptureSettings& settings) {
    const TKeyBindings bindings = KeyBindingsOf(settings);
    FTray.SetMenuKeys(KeyChordText(BoundKey(bindings, TKeyAction::SelectRegion)),
                      KeyChordText(BoundKey(bindings, TKeyAction::Capture)),
                      KeyChordText(BoundKey(bindings, TKeyAction::ScrollCapture)),
                      KeyChordText(BoundKey(bindings, TKeyAction::ReadText)));
    FTray.SetMenuDelay(settings.Delay);
    FKeys.Follow(bindings);
}

void TTray::HideToTray() {
    AddTrayIcon();
    FOverlay.HideMainWindow();
}

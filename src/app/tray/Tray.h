#pragma once

#include "app/tray/KeyWatch.h"
#include "keys/KeyActions.h"
#include "settings/CaptureSettings.h"
#include "platform/Overlay.h"
#include "platform/Tray.h"

#include <string>

// The tray room: the program's presence in the notification area, the icon (added once, the main
// window hidden in its place), its menu with the region, the keys and the delay shown in it, and
// the system-wide keys it answers to.
class TTray {
public:
    TTray(ITray& tray, IOverlay& overlay, IKeyWatcher& watcher)
        : FTray(tray), FOverlay(overlay), FKeys(watcher) {}

    void AddTrayIcon();
    void DeleteTrayIcon();
    bool InTray() const { return FInTray; }
    // The main window hidden, the icon in its place.
    void HideToTray();

    // Opens the menu at the pointer; the command chosen, once it has closed.
    TMenuCommand TrackMenu() { return FTray.TrackTrayMenu(); }
    // The key watcher and the menu follow the settings: the watcher takes the keys in use
    // (none removes it), the menu shows them beside their items and checks the delay.
    void FollowSettings(const TCaptureSettings& settings);
    void RemoveKeyWatcher() { FKeys.Remove(); }
    void CheckDelay(int seconds) { FTray.SetMenuDelay(seconds); }
    // The item that closes the pinned pictures, while there are any.
    void ShowCloseAllPins(bool shown) { FTray.ShowCloseAllPins(shown); }

    // While text is read, the icon says so.
    void ShowReading(bool reading) { FTray.ShowReading(reading); }
    // A notice that may still show goes before the screen is copied.
    void HideNotice() { FTray.HideNotice(); }

private:
    ITray& FTray;
    IOverlay& FOverlay;
    TKeyWatch FKeys;
    bool FInTray = false;
};

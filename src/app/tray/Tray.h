#pragma once

#include "keys/KeyActions.h"
#include "platform/Overlay.h"
#include "platform/Tray.h"

#include <string>

// The tray room: the program's presence in the notification area, the icon (added once, the main
// window hidden in its place), its menu with the region, the keys and the delay shown in it, and
// the countdown.
class TTray {
public:
    TTray(ITray& tray, IOverlay& overlay) : FTray(tray), FOverlay(overlay) {}

    void AddTrayIcon();
    void DeleteTrayIcon();
    bool InTray() const { return FInTray; }
    // The main window hidden, the icon in its place.
    void HideToTray();

    // Opens the menu at the pointer; the command chosen, once it has closed.
    TMenuCommand TrackMenu() { return FTray.TrackTrayMenu(); }
    // The keys of the region item and the capture item, beside them.
    void ShowKeys(const TKeyBindings& bindings);
    void CheckDelay(int seconds) { FTray.SetMenuDelay(seconds); }
    // The item that closes the pinned pictures, while there are any.
    void ShowCloseAllPins(bool shown) { FTray.ShowCloseAllPins(shown); }

    // A notice that may still show goes before the screen is copied.
    void HideNotice() { FTray.HideNotice(); }

private:
    ITray& FTray;
    IOverlay& FOverlay;
    bool FInTray = false;
};

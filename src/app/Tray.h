#pragma once

#include "keys/KeyActions.h"
#include "platform/Shell.h"
#include "platform/Tray.h"

#include <string>

// The program's presence in the notification area: the icon (added once), its menu with the
// region, the keys and the delay shown in it, the countdown, and the notice of the last file
// saved, held back while the overlay is up.
class TTray {
public:
    TTray(ITray& tray, IShell& shell) : FTray(tray), FShell(shell) {}

    void AddTrayIcon();
    void DeleteTrayIcon();
    bool InTray() const { return FInTray; }

    // Opens the menu at the pointer; the command chosen, once it has closed.
    TMenuCommand TrackMenu() { return FTray.TrackTrayMenu(); }
    void ShowPositionCaption(const std::string& caption) { FTray.SetPositionItemCaption(caption); }
    // The keys of the region item and the capture item, beside them.
    void ShowKeys(const TKeyBindings& bindings);
    void CheckDelay(int seconds) { FTray.SetMenuDelay(seconds); }
    // The item that closes the pinned pictures, while there are any.
    void ShowCloseAllPins(bool shown) { FTray.ShowCloseAllPins(shown); }
    void ShowCountdown(int secondsLeft) { FTray.ShowCountdown(secondsLeft); }
    void SetCountdownTimer(bool on) { FTray.SetCountdownTimer(on); }

    // The notice of a file saved, its words `shown`: now, or (`held`) once ShowHeldNotice is
    // called.
    void Notify(const std::string& fileName, const std::string& shown, bool held);
    void ShowHeldNotice();
    // A notice that may still show goes before the screen is copied.
    void HideNotice() { FTray.HideNotice(); }
    // A click on the notice shows its file in its folder.
    void NoticeClicked();

private:
    ITray& FTray;
    IShell& FShell;
    bool FInTray = false;
    std::string FNoticeFile;
    std::string FNoticeShown;
    bool FNoticeHeld = false;
};

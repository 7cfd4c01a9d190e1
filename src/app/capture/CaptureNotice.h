#pragma once

#include "platform/Shell.h"
#include "platform/Tray.h"

#include <string>

// The notice of the last file saved: shown at once, or while held (the frozen screen is up) once
// it is let go; a click on it shows the file in its folder.
class TCaptureNotice {
public:
    TCaptureNotice(ITray& tray, IShell& shell) : FTray(tray), FShell(shell) {}

    // The notice of `fileName`, its words `shown`.
    void Notify(const std::string& fileName, const std::string& shown);
    // Held, notices wait; let go, the last one waiting shows.
    void Hold(bool held);
    void Clicked();

private:
    ITray& FTray;
    IShell& FShell;
    std::string FFile;
    std::string FShown;
    bool FHolding = false;
    bool FWaiting = false;
};

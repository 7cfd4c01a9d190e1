#pragma once

#include "win32/GdiHandles.h"

#include "platform/Platform.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// The program's icon in the notification area and its popup menu. Notices reach the window
// given as WM_TRAYNOTIFY. The icon is added again when the desktop shell restarts, and taken
// away when this goes.
class TTrayIcon {
public:
    TTrayIcon(HINSTANCE instance, HWND window);
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    void Add();
    void Delete();
    // Opens the menu at the pointer; returns the command chosen, once the menu has closed.
    TMenuCommand TrackMenu();
    void SetPositionCaption(const std::string& caption);
    // The keys of the region item and the capture item, shown after their captions.
    void SetKeys(const std::string& positionKey, const std::string& captureKey);
    // The delay submenu's item of that many seconds checked.
    void CheckDelay(int seconds);
    // The icon showing the seconds left, and its tip saying so; 0 for the usual icon and tip.
    void ShowCountdown(int secondsLeft);
    // True for the shell's "TaskbarCreated": the icon, if it was there, is added again.
    bool HandleShellRestart(UINT message);
    // A balloon from the icon; its click comes as NIN_BALLOONUSERCLICK. Hide takes it away and
    // says whether one may still have been showing.
    void ShowBalloon(const std::string& title, const std::string& text);
    bool HideBalloon();

private:
    // The icon's record for the shell, with these flags, icon and tip.
    NOTIFYICONDATAW Record(UINT flags, HICON icon, const std::wstring& tip) const;
    bool Notify(DWORD action, const std::wstring& balloonTitle = {},
                const std::wstring& balloonText = {});
    void BuildMenu();
    void ShowCaption(UINT id, const std::string& caption, const std::string& key);

    HWND FWindow;
    TMenuHandle FMenu;
    HMENU FDelayMenu = nullptr; // owned by FMenu
    TIconHandle FCountdownIcon;
    TBitmapHandle FMenuImages[4];
    TIconHandle FIcon;
    UINT FTaskbarCreated = 0;
    bool FAdded = false;
    ULONGLONG FBalloonShown = 0; // when the last balloon was shown, 0 when none may show
    std::string FPositionCaption;
    std::string FPositionKey;
};

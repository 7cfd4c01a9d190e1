#pragma once

#include "win32/GdiHandles.h"
#include "win32/PrivateMessages.h"

#include "platform/Tray.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// The program's icon in the notification area and its popup menu. Its mouse activity and a
// notice's click reach the window given as WM_TRAYNOTIFY, the countdown's seconds as its timer.
// The icon is added again when the desktop shell restarts, and taken away when this goes.
class TTrayIcon : public ITray, public IWindowMessages {
public:
    TTrayIcon(HINSTANCE instance, HWND window);
    ~TTrayIcon() override;
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    void AddTrayIcon() override;
    void DeleteTrayIcon() override;
    TMenuCommand TrackTrayMenu() override;
    void SetPositionItemCaption(const std::string& caption) override;
    void SetMenuKeys(const std::string& positionKey, const std::string& captureKey,
                     const std::string& scrollKey, const std::string& readKey) override;
    void SetMenuDelay(int seconds) override;
    void ShowCloseAllPins(bool shown) override;
    void ShowCountdown(int secondsLeft) override;
    void ShowTip(const std::string& tip) override;
    void ShowReading(bool reading) override;
    void SetCountdownTimer(bool on) override;
    // A balloon from the icon; its click comes as NIN_BALLOONUSERCLICK.
    void ShowNotice(const std::string& title, const std::string& text) override;
    void HideNotice() override;
    // The shell's "TaskbarCreated": the icon, if it was there, is added again.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

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
    TIconHandle FReadingIcon;
    TBitmapHandle FMenuImages[4];
    TBitmapHandle FScrollImage;
    TBitmapHandle FReadTextImage;
    TIconHandle FIcon;
    UINT FTaskbarCreated = 0;
    bool FAdded = false;
    ULONGLONG FBalloonShown = 0; // when the last balloon was shown, 0 when none may show
    std::string FPositionCaption;
    std::string FPositionKey;
};

#pragma once

#include "platform/Tray.h"

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// The icon and its menu as the program set them: the menu's choices come from a queue, and
// DuringMenu runs while it is open (as its message loop would run other handlers). Notices are
// "title|text", marked when shown while the main window (OverlayShown) was up.
class THeadlessTray : public ITray {
public:
    THeadlessTray(const bool& overlayShown, const int& grabs)
        : FOverlayShown(overlayShown), FGrabs(grabs) {}

    void AddTrayIcon() override { ++TrayAdds; }
    void DeleteTrayIcon() override { ++TrayDeletes; }
    TMenuCommand TrackTrayMenu() override;
    void SetPositionItemCaption(const std::string& caption) override { Caption = caption; }
    void SetMenuKeys(const std::string& positionKey, const std::string& captureKey,
                     const std::string& scrollKey, const std::string& readKey) override {
        MenuKeys = {positionKey, captureKey, scrollKey, readKey};
    }
    void SetMenuDelay(int seconds) override { MenuDelay = seconds; }
    void ShowCloseAllPins(bool shown) override { PinsItem = shown; }
    void ShowCountdown(int secondsLeft) override {
        Countdown.push_back(secondsLeft);
        GrabsAtCountdown.push_back(FGrabs);
    }
    void SetCountdownTimer(bool on) override { TimerOn = on; }
    void ShowTip(const std::string& tip) override { Tip = tip; }
    void ShowReading(bool reading) override { Reading = reading; }
    void ShowNotice(const std::string& title, const std::string& text) override {
        Notices.push_back(title + "|" + text + (FOverlayShown ? "|over the overlay" : ""));
    }
    void HideNotice() override { ++NoticeHides; }

    int TrayAdds = 0;
    int TrayDeletes = 0;
    std::string Caption;
    std::array<std::string, 4> MenuKeys;
    bool Reading = false; // the icon says text is being read
    int MenuDelay = -1;
    bool PinsItem = false;
    std::vector<int> Countdown;        // each countdown the icon showed, 0 for the usual icon
    std::vector<int> GrabsAtCountdown; // the screen copies made when it showed
    bool TimerOn = false;
    std::string Tip; // the icon's tip when it is not the program's name
    std::vector<std::string> Notices;
    int NoticeHides = 0;
    std::deque<TMenuCommand> MenuChoices;
    int MenusOpened = 0;
    std::function<void()> DuringMenu;

private:
    const bool& FOverlayShown;
    const int& FGrabs;
};

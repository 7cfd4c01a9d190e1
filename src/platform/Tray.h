#pragma once

#include <string>
#include <utility>

// The commands of the tray menu.
enum class TMenuCommand {
    None,
    Position,
    Capture,
    Option,
    Exit,
    Delay0,
    Delay3,
    Delay5,
    Delay10,
    ScrollCapture,
    CloseAllPins,
    ReadText,
};

// The delays the tray menu offers, in seconds, by their commands.
inline constexpr std::pair<TMenuCommand, int> kMenuDelays[] = {{TMenuCommand::Delay0, 0},
                                                               {TMenuCommand::Delay3, 3},
                                                               {TMenuCommand::Delay5, 5},
                                                               {TMenuCommand::Delay10, 10}};

// The icon in the notification area, its menu and its notices.
class ITray {
public:
    virtual ~ITray() = default;
    virtual void AddTrayIcon() = 0;
    virtual void DeleteTrayIcon() = 0;
    // Opens the tray menu at the pointer, the main window made the foreground window first;
    // returns the command chosen, after the menu has closed.
    virtual TMenuCommand TrackTrayMenu() = 0;
    virtual void SetPositionItemCaption(const std::string& caption) = 0;
    // The keys the region, capture, scrolling capture and text items answer to, shown beside
    // them; empty for none.
    virtual void SetMenuKeys(const std::string& positionKey, const std::string& captureKey,
                             const std::string& scrollKey, const std::string& readKey) = 0;
    // The item that closes every pinned picture, shown (after the delay's submenu) while any is
    // pinned.
    virtual void ShowCloseAllPins(bool shown) = 0;
    // The delay checked in the menu's submenu (one of kMenuDelays, else none checked).
    virtual void SetMenuDelay(int seconds) = 0;
    // The countdown before a capture: the icon shows the seconds left and its tool tip says so;
    // 0 puts the usual icon back, off the screen before this returns. While the timer is on,
    // the main window is told of every second that passes.
    virtual void ShowCountdown(int secondsLeft) = 0;
    // The icon's tool tip says that instead of the program's name; empty puts the name back.
    virtual void ShowTip(const std::string& tip) = 0;
    virtual void SetCountdownTimer(bool on) = 0;
    // While text is read: an icon and a tool tip that say so (a click on the icon cancels).
    virtual void ShowReading(bool reading) = 0;
    // A notice from the icon, titled, with a line of text; a click on it is told as the tray's
    // NoticeClicked. Hide takes away one that may still show.
    virtual void ShowNotice(const std::string& title, const std::string& text) = 0;
    virtual void HideNotice() = 0;
};

#include "win32/TrayIcon.h"

#include "win32/Artwork.h"
#include "win32/ScreenSettle.h"
#include "win32/WideText.h"

#include "base/FormatText.h"
#include "base/Texts.h"
#include "platform/Messages.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

namespace {

constexpr UINT kTrayIconId = 1;

enum : UINT {
    kIdPosition = 1,
    kIdCapture,
    kIdOption,
    kIdExit,
    kIdDelay0,
    kIdScroll = 100,
    kIdCloseAllPins,
    kIdReadText
};

TMenuCommand CommandFor(UINT id) {
    switch (id) {
    case kIdPosition:
        return TMenuCommand::Position;
    case kIdCapture:
        return TMenuCommand::Capture;
    case kIdOption:
        return TMenuCommand::Option;
    case kIdExit:
        return TMenuCommand::Exit;
    case kIdScroll:
        return TMenuCommand::ScrollCapture;
    case kIdCloseAllPins:
        return TMenuCommand::CloseAllPins;
    case kIdReadText:
        return TMenuCommand::ReadText;
    default:
        if (id >= kIdDelay0 && id < kIdDelay0 + std::size(kMenuDelays)) {
            return kMenuDelays[id - kIdDelay0].first;
        }
        return TMenuCommand::None;
    }
}

} // namespace

TTrayIcon::TTrayIcon(HINSTANCE instance, HWND window)
    : FWindow(window), FTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")),
      FPositionCaption(Text(TText::MenuPosition)) {
    FIcon.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    BuildMenu();
}

TTrayIcon::~TTrayIcon() {
    if (FAdded) {
        Notify(NIM_DELETE);
    }
}

void TTrayIcon::BuildMenu() {
    FMenu.Reset(CreatePopupMenu());
    struct TItem {
        UINT Id;
        TText Caption;
        int Image;
    } items[] = {{kIdPosition, TText::MenuPosition, 0},
                 {kIdCapture, TText::MenuCapture, 1},
                 {kIdOption, TText::MenuOption, 2},
                 {0, TText::Count, -1},
                 {kIdExit, TText::MenuExit, 3}};
    UINT position = 0;
    for (const TItem& item : items) {
        if (item.Id == 0) {
            // The delay before a capture, after the options item and before the separator.
            FDelayMenu = CreatePopupMenu();
            for (UINT i = 0; i < std::size(kMenuDelays); ++i) {
                const int seconds = kMenuDelays[i].second;
                const std::wstring caption =
                    seconds == 0
                        ? WideFromUtf8(Text(TText::MenuNoDelay))
                        : std::to_wstring(seconds) + WideFromUtf8(Text(TText::MenuSeconds));
                AppendMenuW(FDelayMenu, MF_STRING, kIdDelay0 + i, caption.c_str());
            }
            AppendMenuW(FMenu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(FDelayMenu),
                        WideFromUtf8(Text(TText::MenuDelay)).c_str());
            FScrollImage = CreateMenuImage(5);
            const std::wstring scroll = WideFromUtf8(Text(TText::MenuScrollCapture));
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
            info.wID = kIdScroll;
            info.dwTypeData = const_cast<wchar_t*>(scroll.c_str());
            info.hbmpItem = FScrollImage.Get();
            InsertMenuItemW(FMenu.Get(), GetMenuItemCount(FMenu.Get()), TRUE, &info);
            FReadTextImage = CreateMenuImage(6);
            const std::wstring read = WideFromUtf8(Text(TText::MenuReadText));
            info.wID = kIdReadText;
            info.dwTypeData = const_cast<wchar_t*>(read.c_str());
            info.hbmpItem = FReadTextImage.Get();
            InsertMenuItemW(FMenu.Get(), GetMenuItemCount(FMenu.Get()), TRUE, &info);
            AppendMenuW(FMenu.Get(), MF_SEPARATOR, 0, nullptr);
            position += 4;
            continue;
        }
        FMenuImages[item.Image] = CreateMenuImage(item.Image);
        const std::wstring caption = WideFromUtf8(Text(item.Caption));
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        info.wID = item.Id;
        info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
        info.hbmpItem = FMenuImages[item.Image].Get();
        InsertMenuItemW(FMenu.Get(), position++, TRUE, &info);
    }
    SetMenuDefaultItem(FMenu.Get(), kIdCapture, FALSE); // drawn in bold
}

NOTIFYICONDATAW TTrayIcon::Record(UINT flags, HICON icon, const std::wstring& tip) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = FWindow;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.hIcon = icon;
    wcsncpy(data.szTip, tip.c_str(), std::size(data.szTip) - 1);
    return data;
}

bool TTrayIcon::Notify(DWORD action, const std::wstring& balloonTitle,
                       const std::wstring& balloonText) {
    NOTIFYICONDATAW data = Record(0, nullptr, {});
    if (action == NIM_MODIFY) {
        // An empty text takes a balloon away.
        data.uFlags = NIF_INFO;
        data.dwInfoFlags = NIIF_INFO;
        wcsncpy(data.szInfoTitle, balloonTitle.c_str(), std::size(data.szInfoTitle) - 1);
        wcsncpy(data.szInfo, balloonText.c_str(), std::size(data.szInfo) - 1);
    }
    if (action == NIM_ADD) {
        data = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP, FIcon.Get(),
                      WideFromUtf8(Text(TText::AppTitle)));
        data.uCallbackMessage = WM_TRAYNOTIFY;
    }
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void TTrayIcon::AddTrayIcon() {
    Notify(NIM_ADD);
    FAdded = true;
}

void TTrayIcon::DeleteTrayIcon() {
    Notify(NIM_DELETE);
    FAdded = false;
}

TMenuCommand TTrayIcon::TrackTrayMenu() {
    POINT pointer{};
    GetCursorPos(&pointer);
    // Without being the foreground window, the menu would not close when the user clicks
    // elsewhere.
    SetForegroundWindow(FWindow);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(FMenu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pointer.x,
                       pointer.y, 0, FWindow, nullptr));
    // Lets the menu's own message loop finish before another menu can open.
    PostMessageW(FWindow, WM_NULL, 0, 0);
    const TMenuCommand command = CommandFor(chosen);
    if (command == TMenuCommand::Position || command == TMenuCommand::Capture ||
        command == TMenuCommand::ScrollCapture || command == TMenuCommand::ReadText) {
        // These copy the screen at once (the overlay's snapshot, the capture): the menu must
        // be off it first.
        AwaitUncoveredRepaint();
    }
    return command;
}

void TTrayIcon::SetPositionItemCaption(const std::string& caption) {
    FPositionCaption = caption;
    ShowCaption(kIdPosition, FPositionCaption, FPositionKey);
}

void TTrayIcon::SetMenuKeys(const std::string& positionKey, const std::string& captureKey,
                            const std::string& scrollKey, const std::string& readKey) {
    FPositionKey = positionKey;
    ShowCaption(kIdPosition, FPositionCaption, FPositionKey);
    ShowCaption(kIdCapture, Text(TText::MenuCapture), captureKey);
    ShowCaption(kIdScroll, Text(TText::MenuScrollCapture), scrollKey);
    ShowCaption(kIdReadText, Text(TText::MenuReadText), readKey);
}

// The item's caption, and its key after a tab: the menu shows it aligned right.
void TTrayIcon::ShowCaption(UINT id, const std::string& caption, const std::string& key) {
    const std::wstring wide = WideFromUtf8(key.empty() ? caption : caption + "\t" + key);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(wide.c_str());
    SetMenuItemInfoW(FMenu.Get(), id, FALSE, &info);
}

// After the scrolling capture's item, which follows the delay's submenu.
void TTrayIcon::ShowCloseAllPins(bool shown) {
    if (!shown) {
        DeleteMenu(FMenu.Get(), kIdCloseAllPins, MF_BYCOMMAND);
        return;
    }
    if (GetMenuState(FMenu.Get(), kIdCloseAllPins, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        return; // there already
    }
    const int count = GetMenuItemCount(FMenu.Get());
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(FMenu.Get(), i) == kIdScroll) {
            InsertMenuW(FMenu.Get(), i + 1, MF_BYPOSITION | MF_STRING, kIdCloseAllPins,
                        WideFromUtf8(Text(TText::MenuCloseAllPins)).c_str());
            return;
        }
    }
}

void TTrayIcon::SetMenuDelay(int seconds) {
    for (UINT i = 0; i < std::size(kMenuDelays); ++i) {
        const bool current = kMenuDelays[i].second == seconds;
        CheckMenuItem(FDelayMenu, kIdDelay0 + i, MF_BYCOMMAND | (current ? MF_CHECKED : 0));
    }
}

void TTrayIcon::ShowCountdown(int secondsLeft) {
    std::wstring tip = WideFromUtf8(Text(TText::AppTitle));
    if (secondsLeft > 0) {
        FCountdownIcon =
            CreateBadgeIcon(std::to_wstring(secondsLeft), 0xD83B01, GetSystemMetrics(SM_CXSMICON));
        tip = WideFromUtf8(FormatText(Text(TText::CountdownTip), {std::to_string(secondsLeft)}));
    }
    NOTIFYICONDATAW data =
        Record(NIF_ICON | NIF_TIP,
               secondsLeft > 0 && FCountdownIcon ? FCountdownIcon.Get() : FIcon.Get(), tip);
    if (FAdded) {
        Shell_NotifyIconW(NIM_MODIFY, &data);
    }
    if (secondsLeft == 0) {
        FCountdownIcon.Reset();
        AwaitUncoveredRepaint(); // the usual icon on the screen before it is copied
    }
}

void TTrayIcon::ShowReading(bool reading) {
    if (reading) {
        FReadingIcon = CreateBadgeIcon(L"文", 0x2E6FC8, GetSystemMetrics(SM_CXSMICON));
    }
    const std::string tip = reading ? Text(TText::TextReading) : Text(TText::AppTitle);
    NOTIFYICONDATAW data =
        Record(NIF_ICON | NIF_TIP, reading && FReadingIcon ? FReadingIcon.Get() : FIcon.Get(),
               WideFromUtf8(tip));
    if (FAdded) {
        Shell_NotifyIconW(NIM_MODIFY, &data);
    }
    if (!reading) {
        FReadingIcon.Reset();
    }
}

void TTrayIcon::ShowTip(const std::string& tip) {
    NOTIFYICONDATAW data =
        Record(NIF_TIP, nullptr, WideFromUtf8(tip.empty() ? Text(TText::AppTitle) : tip));
    if (FAdded) {
        Shell_NotifyIconW(NIM_MODIFY, &data);
    }
}

void TTrayIcon::SetCountdownTimer(bool on) {
    if (on) {
        SetTimer(FWindow, kCountdownTimer, 1000, nullptr);
    } else {
        KillTimer(FWindow, kCountdownTimer);
    }
}

void TTrayIcon::ShowNotice(const std::string& title, const std::string& text) {
    if (FAdded && Notify(NIM_MODIFY, WideFromUtf8(title), WideFromUtf8(text))) {
        FBalloonShown = GetTickCount64();
    }
}

void TTrayIcon::HideNotice() {
    // A balloon shows for some seconds at most; one older than that is gone anyway.
    constexpr ULONGLONG kLongestShowing = 30000;
    if (FBalloonShown == 0) {
        return;
    }
    const bool mayShow = GetTickCount64() - FBalloonShown < kLongestShowing;
    FBalloonShown = 0;
    if (mayShow && FAdded) {
        Notify(NIM_MODIFY);
    }
    if (mayShow) {
        AwaitUncoveredRepaint(); // the shell has taken it away: now off the screen too
    }
}

bool TTrayIcon::HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (FTaskbarCreated == 0 || message != FTaskbarCreated) {
        return false;
    }
    result = 0;
    if (FAdded) {
        Notify(NIM_ADD); // the shell forgot our icon; should this fail, it stays away
    }
    return true;
}

#include "win32/Win32Pins.h"

#include "win32/WideText.h"
#include "win32/dialogs/UiFont.h"

#include "base/Texts.h"

#include <iterator>
#include <utility>

TWin32Pins::TWin32Pins(HINSTANCE instance, HWND events)
    : FInstance(instance), FEvents(events),
      FFont(CreateJapaneseFont(MessageFontHeight(), kUiFaces)) {
    TPinWindow::RegisterWindowClass(instance);
}

TPinWindow* TWin32Pins::Find(TPinId pin) {
    const auto found = FWindows.find(pin);
    return found == FWindows.end() ? nullptr : found->second.get();
}

void TWin32Pins::ShowPin(TPinId pin, std::shared_ptr<const TPixelRows> picture, TScreenPoint at) {
    auto window =
        std::make_unique<TPinWindow>(FInstance, FEvents, FFont.Get(), pin, std::move(picture), at);
    FWindows[pin] = std::move(window);
}

void TWin32Pins::HidePins(bool hidden) {
    for (const auto& [pin, window] : FWindows) {
        ShowWindow(window->Handle(), hidden ? SW_HIDE : SW_SHOWNOACTIVATE);
    }
}

void TWin32Pins::ZoomPin(TPinId pin, int percent, TScreenPoint around) {
    if (TPinWindow* window = Find(pin)) {
        window->Zoom(percent, around);
    }
}

void TWin32Pins::SetPinOpacity(TPinId pin, int percent) {
    if (TPinWindow* window = Find(pin)) {
        window->SetOpacity(percent);
    }
}

void TWin32Pins::FlashPinLabel(TPinId pin, const std::string& label) {
    if (TPinWindow* window = Find(pin)) {
        window->FlashLabel(WideFromUtf8(label));
    }
}

TPinCommand TWin32Pins::TrackPinMenu(TPinId pin, TScreenPoint at) {
    TPinWindow* window = Find(pin);
    if (!window) {
        return TPinCommand::None;
    }
    const TMenuHandle menu(CreatePopupMenu());
    if (!menu) {
        return TPinCommand::None;
    }
    constexpr std::pair<TPinCommand, TText> kItems[] = {
        {TPinCommand::Copy, TText::PinMenuCopy},
        {TPinCommand::Save, TText::PinMenuSave},
        {TPinCommand::Close, TText::PinMenuClose},
        {TPinCommand::CloseAll, TText::PinMenuCloseAll}};
    for (const auto& [command, caption] : kItems) {
        if (command == TPinCommand::CloseAll) {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        }
        AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(command),
                    WideFromUtf8(Text(caption)).c_str());
    }
    HWND owner = window->Handle();
    // Without being the foreground window, the menu would not close when the user clicks
    // elsewhere.
    SetForegroundWindow(owner);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.X, at.Y, 0,
                       owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    for (const auto& item : kItems) {
        if (static_cast<UINT>(item.first) == chosen) {
            return item.first;
        }
    }
    return TPinCommand::None;
}

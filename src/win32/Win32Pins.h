#pragma once

#include "platform/Pins.h"
#include "win32/GdiHandles.h"
#include "win32/PinWindow.h"

#include <windows.h>

#include <map>
#include <memory>

// The pinned pictures' windows, each sending its events to the main window.
class TWin32Pins : public IPins {
public:
    TWin32Pins(HINSTANCE instance, HWND events);
    TWin32Pins(const TWin32Pins&) = delete;
    TWin32Pins& operator=(const TWin32Pins&) = delete;

    void ShowPin(TPinId pin, std::shared_ptr<const TPixelRows> picture, TScreenPoint at) override;
    void ZoomPin(TPinId pin, int percent, TScreenPoint around) override;
    void SetPinOpacity(TPinId pin, int percent) override;
    void FlashPinLabel(TPinId pin, const std::string& label) override;
    void ClosePin(TPinId pin) override { FWindows.erase(pin); }
    TPinCommand TrackPinMenu(TPinId pin, TScreenPoint at) override;
    void HidePins(bool hidden) override;

private:
    TPinWindow* Find(TPinId pin);

    HINSTANCE FInstance;
    HWND FEvents;
    TFontHandle FFont;
    std::map<TPinId, std::unique_ptr<TPinWindow>> FWindows;
};

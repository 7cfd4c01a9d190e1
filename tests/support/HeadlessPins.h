#pragma once

#include "platform/Pins.h"

#include <deque>
#include <map>
#include <memory>
#include <string>

// The pinned pictures' windows as tests see them: each pin's picture, place, zoom, opacity and
// last label while it shows; menus answered from a queue. ShowFails makes the next window
// fail to be made.
class THeadlessPins : public IPins {
public:
    struct TWindow {
        std::shared_ptr<const TPixelRows> Picture;
        TScreenPoint At;
        int Zoom = 100;
        TScreenPoint ZoomedAround;
        int Opacity = 100;
        std::string Label;
    };
    void ShowPin(TPinId pin, std::shared_ptr<const TPixelRows> picture, TScreenPoint at) override;
    void ZoomPin(TPinId pin, int percent, TScreenPoint around) override {
        Windows.at(pin).Zoom = percent;
        Windows.at(pin).ZoomedAround = around;
    }
    void SetPinOpacity(TPinId pin, int percent) override { Windows.at(pin).Opacity = percent; }
    void FlashPinLabel(TPinId pin, const std::string& label) override {
        Windows.at(pin).Label = label;
    }
    void ClosePin(TPinId pin) override { Windows.erase(pin); }
    TPinCommand TrackPinMenu(TPinId pin, TScreenPoint at) override;
    void HidePins(bool hidden) override { Hidden = hidden; }
    bool Hidden = false;

    std::map<TPinId, TWindow> Windows;
    bool ShowFails = false;
    std::deque<TPinCommand> MenuChoices;
    int MenusOpened = 0;
};

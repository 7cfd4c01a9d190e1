#include "app/pins/Pins.h"

#include "base/FormatText.h"
#include "base/Texts.h"

#include <string>
#include <utility>

namespace {

constexpr int kWheelNotch = 120;

} // namespace

TPinId TPins::Pin(std::shared_ptr<const TPixelRows> picture, TScreenPoint at) {
    const TPinId pin = FNext++;
    const auto placed = FPins.emplace(pin, TPin{picture}).first;
    try {
        FWindows.ShowPin(pin, std::move(picture), at);
    } catch (...) {
        FPins.erase(placed); // no window: nothing pinned
        throw;
    }
    return pin;
}

void TPins::Wheel(TPinId pin, int delta, bool opacity, TScreenPoint at) {
    const auto found = FPins.find(pin);
    if (found == FPins.end()) {
        return;
    }
    TPin& shown = found->second;
    shown.WheelRest += delta;
    const int notches = shown.WheelRest / kWheelNotch;
    shown.WheelRest %= kWheelNotch;
    if (notches == 0) {
        return;
    }
    if (opacity) {
        const int next = NextPinOpacity(shown.Opacity, notches);
        if (next != shown.Opacity) {
            shown.Opacity = next;
            FWindows.SetPinOpacity(pin, next);
        }
        FWindows.FlashPinLabel(pin, FormatText(Text(TText::PinOpacity), {std::to_string(next)}));
        return;
    }
    const TPixels32View view = shown.Picture->View();
    const int next = NextPinZoom(shown.Zoom, notches, view.Width, view.Height);
    if (next != shown.Zoom) {
        shown.Zoom = next;
        FWindows.ZoomPin(pin, next, at);
    }
    FWindows.FlashPinLabel(pin, std::to_string(next) + "%");
}

void TPins::Close(TPinId pin) {
    if (FPins.erase(pin) > 0) {
        FWindows.ClosePin(pin);
    }
}

void TPins::CloseAll() {
    while (!FPins.empty()) {
        Close(FPins.begin()->first);
    }
}

std::shared_ptr<const TPixelRows> TPins::Picture(TPinId pin) const {
    const auto found = FPins.find(pin);
    return found == FPins.end() ? nullptr : found->second.Picture;
}

int TPins::Zoom(TPinId pin) const {
    const auto found = FPins.find(pin);
    return found == FPins.end() ? 0 : found->second.Zoom;
}

int TPins::Opacity(TPinId pin) const {
    const auto found = FPins.find(pin);
    return found == FPins.end() ? 0 : found->second.Opacity;
}

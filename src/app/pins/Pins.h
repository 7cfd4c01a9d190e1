#pragma once

#include "platform/PinEvent.h"
#include "platform/Pins.h"
#include "platform/Questions.h"

#include <map>
#include <memory>

// The pins room: the pictures pinned on the screen. Each holds its own pixels (nothing of the
// screen it came from), its zoom and its opacity, and goes with its window.
class TPins {
public:
    explicit TPins(IPins& windows) : FWindows(windows) {}
    TPins(const TPins&) = delete;
    TPins& operator=(const TPins&) = delete;
    ~TPins() { CloseAll(); }

    // Shows the picture with its top-left pixel at `at`.
    TPinId Pin(std::shared_ptr<const TPixelRows> picture, TScreenPoint at);
    // The wheel turned over a pin (in 120ths of a notch): a zoom step around the pointer per
    // notch, or, with Ctrl, an opacity step; each change shown for a second.
    void Wheel(TPinId pin, int delta, bool opacity, TScreenPoint at);
    void Close(TPinId pin);
    // What an event on a pin asks for: Esc and a double-click close it, Ctrl+C copies and
    // Ctrl+S saves it, its menu (held open as any of ours) does the same; the wheel zooms it,
    // with Ctrl its opacity, and asks for nothing more.
    TPinCommand CommandFor(const TPinEvent& event, IQuestions& questions);
    void CloseAll();

    bool Empty() const { return FPins.empty(); }
    // The pin's picture, as pinned; null once it has gone.
    std::shared_ptr<const TPixelRows> Picture(TPinId pin) const;
    int Zoom(TPinId pin) const;
    int Opacity(TPinId pin) const;

private:
    struct TPin {
        std::shared_ptr<const TPixelRows> Picture;
        int Zoom = 100;
        int Opacity = 100;
        int WheelRest = 0; // a turn short of a notch, kept for the next
    };
    IPins& FWindows;
    std::map<TPinId, TPin> FPins;
    TPinId FNext = 1;
};

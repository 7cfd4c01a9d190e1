#pragma once

#include "base/CaptureRegion.h"
#include "base/Pixels32.h"
#include "keys/KeyCodes.h"
#include "platform/MainWindow.h"

#include <optional>

// What the frozen screen's mouse and keys did to the use of it in charge: nothing for the
// program to do, a drag begun, the magnifier shown or hidden (On), or its end with what it
// chose: nothing (Esc, or the marks left), a region, a rectangle to scroll, a rectangle whose
// text to read, or the marked selection's picture (as the overlay shows it, over Rect) to save
// or to pin.
enum class TFrozenSays {
    Nothing,
    Pressed,
    Magnifier,
    Cancelled,
    Region,
    Rectangle,
    Read,
    Save,
    Pin,
    Leave
};
struct TFrozenAnswer {
    TFrozenAnswer() = default;
    TFrozenAnswer(TFrozenSays says, const TCaptureRegion& rect = {}, bool on = false,
                  std::optional<TPixels32View> picture = std::nullopt)
        : Says(says), Rect(rect), On(on), Picture(picture) {}

    TFrozenSays Says = TFrozenSays::Nothing;
    TCaptureRegion Rect{};
    bool On = false;
    std::optional<TPixels32View> Picture; // valid while the marks stay
};

// One input: where the pointer is, the buttons and keys held, and whether a save of the frozen
// screen's picture is asking its questions over it (then the marks take no press or key).
struct TFrozenInput {
    TScreenPoint At;
    TShiftState Shift = 0;
    bool Saving = false;
};

// A use of the frozen screen (choosing a region, choosing the rectangle to scroll, marking the
// selection): it takes the mouse's left button and the keys while it is in charge.
class IFrozenScreenUse {
public:
    virtual ~IFrozenScreenUse() = default;
    virtual TFrozenAnswer MouseDown(const TFrozenInput& input) = 0;
    virtual TFrozenAnswer MouseMove(const TFrozenInput& input) = 0;
    virtual TFrozenAnswer MouseUp(const TFrozenInput& input) = 0;
    virtual TFrozenAnswer KeyDown(TKeyCode key, const TFrozenInput& input) = 0;
};

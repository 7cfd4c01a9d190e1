#pragma once

#include "app/selection/RegionSelection.h"
#include "platform/FrozenScreenUse.h"

// Choosing a rectangle on the frozen screen: a drag (or Enter, then Enter again) draws the band
// and its release chooses the rectangle, said as `chosen` (the region to capture, or the
// rectangle to scroll); Z shows or hides the magnifier, the arrow keys move the pointer, Esc
// chooses nothing.
class TRectangleChoice final : public IFrozenScreenUse {
public:
    TRectangleChoice(TRegionSelection& selection, TFrozenSays chosen)
        : FSelection(selection), FChosen(chosen) {}

    TFrozenAnswer MouseDown(const TFrozenInput& input) override;
    TFrozenAnswer MouseMove(const TFrozenInput& input) override;
    TFrozenAnswer MouseUp(const TFrozenInput& input) override;
    TFrozenAnswer KeyDown(TKeyCode key, const TFrozenInput& input) override;

private:
    TFrozenAnswer Press(TScreenPoint at, bool byKeyboard);

    TRegionSelection& FSelection;
    TFrozenSays FChosen;
};

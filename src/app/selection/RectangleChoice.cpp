#include "app/selection/RectangleChoice.h"

#include "platform/PointerStep.h"

TFrozenAnswer TRectangleChoice::Press(TScreenPoint at, bool byKeyboard) {
    FSelection.Press(at, byKeyboard);
    return {TFrozenSays::Pressed};
}

TFrozenAnswer TRectangleChoice::MouseDown(const TFrozenInput& input) {
    if (!FSelection.Visible()) {
        return {};
    }
    return Press(input.At, false);
}

TFrozenAnswer TRectangleChoice::MouseMove(const TFrozenInput& input) {
    if (FSelection.Dragging() && ((input.Shift & ssLeft) || FSelection.DraggingByKeyboard())) {
        FSelection.DragTo(input.At);
    }
    FSelection.ShowAids(input.At);
    return {};
}

TFrozenAnswer TRectangleChoice::MouseUp(const TFrozenInput& input) {
    if (!FSelection.Visible() || !FSelection.Dragging()) {
        return {};
    }
    return {FChosen, FSelection.Release(input.At)};
}

TFrozenAnswer TRectangleChoice::KeyDown(TKeyCode key, const TFrozenInput& input) {
    if (IsArrowKey(key)) {
        FSelection.StepPointer(key, (input.Shift & ssShift) != 0);
        return {};
    }
    if (!FSelection.Visible()) {
        return {};
    }
    if (key == 'Z') {
        return {TFrozenSays::Magnifier, {}, FSelection.ToggleMagnifier(input.At)};
    }
    if (key == kKeyEnter) {
        // Enter presses at the pointer, and a second Enter releases there, as the button would.
        return FSelection.DraggingByKeyboard() ? MouseUp(input) : Press(input.At, true);
    }
    if (key == kKeyEscape) {
        return {TFrozenSays::Cancelled};
    }
    return {};
}

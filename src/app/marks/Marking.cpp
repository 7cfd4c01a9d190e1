#include "app/marks/Marking.h"

#include "platform/PointerStep.h"

void TMarking::Enter(const TScreenPixels& snapshot, const TCaptureRegion& selection,
                     const std::optional<TPointerPicture>& pointer,
                     const std::vector<TMonitor>& monitors) {
    FMode.Enter(snapshot, selection, pointer, monitors);
    FMonitors = monitors;
}

TFrozenAnswer TMarking::Answer(TMarkupAnswer answer) {
    switch (answer) {
    case TMarkupAnswer::None:
        break;
    case TMarkupAnswer::Save:
    case TMarkupAnswer::Pin:
        FMode.FinishTyping(); // the text being typed is part of the picture
        return {answer == TMarkupAnswer::Save ? TFrozenSays::Save : TFrozenSays::Pin,
                FMode.Marks()->Selection(), false, FMode.Picture()->View()};
    case TMarkupAnswer::ReadText:
        // The selection as it stands, the marks left out: the frozen screen's own pixels.
        FMode.FinishTyping();
        return {TFrozenSays::Read, FMode.Marks()->Selection()};
    case TMarkupAnswer::Leave:
        return {TFrozenSays::Leave};
    }
    return {};
}

TFrozenAnswer TMarking::MouseDown(const TFrozenInput& input) {
    return input.Saving ? TFrozenAnswer{} : Answer(FMode.MouseDown(input.At, input.Shift));
}

TFrozenAnswer TMarking::MouseMove(const TFrozenInput& input) {
    FMode.MouseMove(input.At, input.Shift);
    return {};
}

TFrozenAnswer TMarking::MouseUp(const TFrozenInput& input) {
    FMode.MouseUp(input.At, input.Shift);
    return {};
}

TFrozenAnswer TMarking::KeyDown(TKeyCode key, const TFrozenInput& input) {
    if (IsArrowKey(key)) {
        // A selected mark moves; else the pointer does.
        if (input.Saving || !FMode.Nudge(key, input.Shift)) {
            StepPointer(FDisplay, FMonitors, key, (input.Shift & ssShift) != 0);
        }
        return {};
    }
    return input.Saving ? TFrozenAnswer{} : Answer(FMode.KeyDown(key, input.Shift));
}

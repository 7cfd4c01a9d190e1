#pragma once

#include "app/marks/MarkupMode.h"
#include "platform/Display.h"
#include "platform/FrozenScreenUse.h"

#include <vector>

// Marking the selection on the frozen screen: the mouse and the keys go to the marks' mode, the
// arrow keys move a selected mark or else the pointer, and the toolbar's save, pin and leave end
// it, the save and the pin with the marked selection's picture as the overlay shows it. While a
// save asks its questions over it, it takes no press and no key.
class TMarking final : public IFrozenScreenUse {
public:
    TMarking(TMarkupMode& mode, IDisplay& display) : FMode(mode), FDisplay(display) {}

    // Over `selection` of the snapshot, as the marks' mode enters; `monitors` bound the
    // pointer's steps.
    void Enter(const TScreenPixels& snapshot, const TCaptureRegion& selection,
               const std::optional<TPointerPicture>& pointer,
               const std::vector<TMonitor>& monitors);

    TFrozenAnswer MouseDown(const TFrozenInput& input) override;
    TFrozenAnswer MouseMove(const TFrozenInput& input) override;
    TFrozenAnswer MouseUp(const TFrozenInput& input) override;
    TFrozenAnswer KeyDown(TKeyCode key, const TFrozenInput& input) override;

private:
    TFrozenAnswer Answer(TMarkupAnswer answer);

    TMarkupMode& FMode;
    IDisplay& FDisplay;
    std::vector<TMonitor> FMonitors;
};

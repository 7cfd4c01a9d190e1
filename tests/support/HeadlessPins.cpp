#include "support/HeadlessPins.h"

#include "base/Errors.h"

#include <utility>

void THeadlessPins::ShowPin(TPinId pin, std::shared_ptr<const TPixelRows> picture,
                            TScreenPoint at) {
    if (std::exchange(ShowFails, false)) {
        throw EOutOfResources("no window");
    }
    TWindow& window = Windows[pin];
    window.Picture = std::move(picture);
    window.At = at;
}

TPinCommand THeadlessPins::TrackPinMenu(TPinId pin, TScreenPoint) {
    ++MenusOpened;
    if (!Windows.contains(pin) || MenuChoices.empty()) {
        return TPinCommand::None;
    }
    const TPinCommand choice = MenuChoices.front();
    MenuChoices.pop_front();
    return choice;
}

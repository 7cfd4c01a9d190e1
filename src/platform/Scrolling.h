#pragma once

#include "base/CaptureRegion.h"

#include <cstdint>
#include <string>

// A top-level window of the desktop, as the platform knows it; 0 for none.
using TWindowId = std::uintptr_t;

// A notch of the mouse wheel, in the wheel's units; a turn may be a part of one.
inline constexpr int kWheelNotch = 120;

// What a scrolling capture needs of the desktop: the window under a point brought to the front,
// its wheel turned, the frame that shows the rectangle being captured, a clock and the memory
// that may still be had.
class IScrolling {
public:
    virtual ~IScrolling() = default;
    // The top-level window of another program under the point (none over the desktop): the
    // windows of this one, pinned pictures and the frame, are passed over.
    virtual TWindowId WindowAt(TScreenPoint at) = 0;
    // The window in front, with the focus.
    virtual TWindowId ForegroundWindow() = 0;
    // In front, with the focus, as a click on it would leave it.
    virtual void BringToFront(TWindowId window) = 0;
    // The mouse wheel turned by that many units (kWheelNotch a notch; positive towards the user,
    // the page scrolling down), at the pointer, as the user's own wheel would.
    virtual void TurnWheel(int units) = 0;
    // A thin frame outside the rectangle and a label beside it, on its monitor, never on the
    // rectangle: below, above, right or left, wherever there is room. False where there is none
    // (the rectangle fills its monitor): the frame shows without a label. Never in a grab of the
    // rectangle, never the focus; the frame lets clicks through, and a click on the label is told
    // as ScrollLabelClicked. Show again changes the label's words.
    virtual bool ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) = 0;
    virtual void HideScrollFrame() = 0;
    // The main window is told ScrollTick every that many milliseconds while on; 0 stops it.
    virtual void SetScrollTimer(int milliseconds) = 0;
    // A clock that only goes forward, in milliseconds.
    virtual std::int64_t Milliseconds() = 0;
    // The bytes of memory this program may still take.
    virtual std::uint64_t MemoryAvailable() = 0;
};

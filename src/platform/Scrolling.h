#pragma once

#include "base/CaptureRegion.h"

#include <cstdint>
#include <string>

// A top-level window of the desktop, as the platform knows it; 0 for none.
using TWindowId = std::uintptr_t;

// What a scrolling capture needs of the desktop: the window under a point brought to the front,
// its wheel turned, and the frame that shows the rectangle being captured.
class IScrolling {
public:
    virtual ~IScrolling() = default;
    // The top-level window under the point (none over the desktop).
    virtual TWindowId WindowAt(TScreenPoint at) = 0;
    // In front, with the focus, as a click on it would leave it.
    virtual void BringToFront(TWindowId window) = 0;
    // The mouse wheel turned towards the user (the page scrolling down) by that many notches,
    // at the pointer, as the user's own wheel would.
    virtual void TurnWheel(int notches) = 0;
    // A thin frame outside the rectangle and a label under it (above it where there is no room):
    // never in a grab of the rectangle, never the focus; the frame lets clicks through, and a
    // click on the label is told as ScrollLabelClicked. Show again changes the label's words.
    virtual void ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) = 0;
    virtual void HideScrollFrame() = 0;
    // The main window is told ScrollTick every that many milliseconds while on; 0 stops it.
    virtual void SetScrollTimer(int milliseconds) = 0;
};

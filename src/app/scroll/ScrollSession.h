#pragma once

// The scroll room: the page stitched from the window's pictures as it scrolls, and the
// scrolling capture's whole life here: its start with the page's limits, its ticks, Esc, its
// end with why, and a failure at any point letting go of everything it holds.

#include "app/scroll/ScrollCapture.h"
#include "platform/KeyWatcher.h"
#include "settings/CaptureSettings.h"

#include <exception>
#include <optional>
#include <string>

// How a scrolling capture ended: the failure to tell (if any), and the page to save with the
// words its notice adds: its height, and why it ended where it did not end on its own.
struct TScrollOutcome {
    std::exception_ptr Failure;
    std::optional<TScrollResult> Result;
    std::string Height;
    std::string Why;
};

class TScrollSession {
public:
    TScrollSession(IDisplay& display, IScrolling& scrolling, IPins& pins, ITray& tray,
                   IKeyWatcher& watcher)
        : FScrolling(scrolling), FWatcher(watcher), FCapture(display, scrolling, pins, tray) {}

    // Over `rect` (nothing for an empty one), the page's height limited for the settings'
    // format and depth and for the memory left; Esc is ours until it ends. Raises, with
    // everything let go, when it cannot start.
    void Start(const TCaptureRegion& rect, const TCaptureSettings& settings);
    bool Running() const { return FCapture.Running(); }
    // A tick of its timer: why it ended, when it has (a failure is kept for Finish to tell).
    std::optional<TScrollEnd> Tick() noexcept;
    // Everything let go, Esc given back, whatever fails; then the page so far, if any, with the
    // first failure met on the way. Nothing while none runs.
    TScrollOutcome Finish(TScrollEnd why);
    // On the way out: nothing saved, nothing shown, Esc given back to the other programs.
    void Abandon() noexcept;

private:
    IScrolling& FScrolling;
    IKeyWatcher& FWatcher;
    TScrollCapture FCapture;
    std::exception_ptr FFailure;
};

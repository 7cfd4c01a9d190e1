#pragma once

#include "platform/Display.h"

#include <memory>
#include <thread>

// Copies blocks of the screen into a 32-bit device-independent section: the part of the block
// that lies on the virtual screen (all monitors); the rest is left out. The section (and its
// device context) is kept for the next grab while it is large enough and no copy handed out
// still uses it; it goes when a larger one is needed and with the grabber.
class TScreenGrabber {
public:
    TScreenGrabber();
    ~TScreenGrabber();
    TScreenGrabber(const TScreenGrabber&) = delete;
    TScreenGrabber& operator=(const TScreenGrabber&) = delete;

    std::unique_ptr<TScreenPixels> Grab(std::int32_t left, std::int32_t top, std::int32_t width,
                                        std::int32_t height);

    // Makes the section for a block of that size now and has its memory touched on a thread
    // of its own, so that the first grab of the run does not pay for fresh pages. A grab waits
    // for that thread; it never sees what it wrote.
    void Prepare(std::int32_t width, std::int32_t height);

private:
    void FinishPreparing();

    struct TSection;
    std::shared_ptr<TSection> FSection;
    std::thread FTouching;
};

TDisplayColours ReadDisplayColours();

// The monitors as the desktop has them now, in physical pixels, each with its scaling.
std::vector<TMonitor> DesktopMonitors();

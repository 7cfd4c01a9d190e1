#pragma once

#include "platform/Scrolling.h"
#include "support/headless/HeadlessDisplay.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The scrolling capture's desktop: the window a point is over (the page's is PageWindowId), the
// one in front, the wheel's turns in units (each told to OnWheel, which scrolls the scripted
// screen), the frame and its label while shown (a label of 12 x 4 pixels, placed on the
// display's monitors as the Win32 layer places it), the timer, a clock, and the memory left.
class THeadlessScrolling : public IScrolling {
public:
    explicit THeadlessScrolling(const THeadlessDisplay& display) : FDisplay(display) {}

    TWindowId WindowAt(TScreenPoint at) override {
        return Contains(PageWindow, at) ? PageWindowId : 0;
    }
    TWindowId ForegroundWindow() override { return Foreground; }
    void BringToFront(TWindowId window) override {
        Fronted.push_back(window);
        Foreground = window;
    }
    void TurnWheel(int units) override {
        Wheeled += units;
        Turns.push_back(units);
        if (OnWheel) {
            OnWheel(units);
        }
    }
    bool ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) override;
    void HideScrollFrame() override {
        ScrollFrame.reset();
        ScrollLabel.clear();
        ScrollLabelAt.reset();
    }
    void SetScrollTimer(int milliseconds) override { ScrollTimer = milliseconds; }
    std::int64_t Milliseconds() override { return ScrollClock; }
    std::uint64_t MemoryAvailable() override { return Memory; }

    TCaptureRegion PageWindow;
    TWindowId PageWindowId = 7;
    TWindowId Foreground = 0;
    std::vector<TWindowId> Fronted;
    int Wheeled = 0;
    std::vector<int> Turns;
    std::function<void(int)> OnWheel;
    std::optional<TCaptureRegion> ScrollFrame;
    std::string ScrollLabel;
    std::optional<TCaptureRegion> ScrollLabelAt;
    int ScrollTimer = 0;
    std::int64_t ScrollClock = 1000;
    std::uint64_t Memory = std::uint64_t{16} << 30;

private:
    const THeadlessDisplay& FDisplay;
};

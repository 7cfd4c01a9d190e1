#pragma once

#include "app/PageStitcher.h"
#include "platform/Display.h"
#include "platform/Scrolling.h"

#include <cstdint>
#include <memory>
#include <optional>

// Why a scrolling capture ended.
enum class TScrollEnd {
    PageEnded,   // the page stopped moving
    Changed,     // the page changed as it scrolled: what is exact so far is kept
    HeightLimit, // ScrollMaxHeight reached
    TimeLimit,   // two minutes
    Stopped,     // Esc, or a click on the label
};

struct TScrollResult {
    std::shared_ptr<const TScreenPixels> Page; // its rows from the top, at (0, 0)
    TScrollEnd Why = TScrollEnd::PageEnded;
};

// A scrolling capture: the window under the rectangle's centre brought to the front, the
// pointer put at the centre, and, tick by tick, its wheel turned, its picture waited for until it
// is still, and the rows that came into view added to the page; a frame around the rectangle
// and a label under it the while.
class TScrollCapture {
public:
    TScrollCapture(IDisplay& display, IScrolling& scrolling)
        : FDisplay(display), FScrolling(scrolling) {}

    // How often it looks, and the steps' sizes: what a page's window shows settles within a few
    // ticks of a turn of the wheel.
    static constexpr int kTickMilliseconds = 25;
    static constexpr int kNotches = 2;
    static constexpr int kTimeLimitTicks = 120 * 1000 / kTickMilliseconds;

    // Over `rect`, the page at most `maxHeight` rows; raises, starting nothing, when the screen
    // cannot be read.
    void Start(const TCaptureRegion& rect, std::int32_t maxHeight);
    bool Running() const { return FState.has_value(); }
    // A tick of its timer; true when the page has ended (Finish then gives it).
    bool Tick();
    // The page so far, and why it ended: the pointer back where it was, the frame and the timer
    // gone. Nothing when none runs.
    std::optional<TScrollResult> Finish(TScrollEnd why);
    std::optional<TScrollEnd> Ended() const { return FState ? FState->Ended : std::nullopt; }

private:
    struct TState {
        TCaptureRegion Rect;
        std::int32_t MaxHeight = 0;
        TScreenPoint PointerWas;
        std::unique_ptr<TPageStitcher> Stitcher;
        std::shared_ptr<const TScreenPixels> Last; // the last grab, to see the picture settle
        int TicksSinceTurn = 0;
        int Ticks = 0;
        std::optional<TScrollEnd> Ended;
    };
    std::shared_ptr<const TScreenPixels> Grab() const;
    void TurnWheel();
    void ShowLabel();

    IDisplay& FDisplay;
    IScrolling& FScrolling;
    std::optional<TState> FState;
};

#pragma once

#include "app/scroll/PageStitcher.h"
#include "imaging/RowBlocks.h"
#include "platform/Display.h"
#include "platform/Pins.h"
#include "platform/Scrolling.h"
#include "platform/Tray.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// Why a scrolling capture ended.
enum class TScrollEnd {
    PageEnded,    // the page stopped moving
    Stopped,      // Esc, or a click on the label
    HeightLimit,  // the height limit reached
    TimeLimit,    // two minutes
    Changed,      // the page changed as it scrolled
    CannotFollow, // even the smallest turn moved it too far to be followed exactly
    Interrupted,  // the pointer moved, or another window came to the front
    Failed,       // the screen could not be read, or the page could not grow
};

// What limits a page's height: the setting, the format (JPEG), or the memory for this width.
enum class TScrollLimit { Setting, Jpeg, Memory };
struct TScrollHeight {
    std::int32_t Rows = 0;
    TScrollLimit By = TScrollLimit::Setting;
};
// The tallest page that can be held and saved: the setting, lowered to what JPEG takes and to
// what fits, with room to spare, in a picture's store (`bitmapRowBytes` a row at the depth
// chosen, at most `maxBitmapBytes`) and in the memory left (the page and the picture together,
// within half of it).
TScrollHeight ScrollHeightLimit(std::int32_t setting, bool jpeg, std::int32_t width,
                                std::uint64_t bitmapRowBytes, std::uint64_t maxBitmapBytes,
                                std::uint64_t memoryAvailable);

struct TScrollResult {
    std::shared_ptr<TRowBlocks> Page; // its rows from the top
    TScrollEnd Why = TScrollEnd::PageEnded;
    TScrollHeight Limit;
};

// Why the page ended, as its notice says it ("…ため、そこまでを保存しました"); nothing where it
// ended on its own.
std::string ScrollEndText(const TScrollResult& result);

// A scrolling capture: the window under the rectangle's centre brought to the front, the
// pointer put at the centre, our pinned pictures out of the way, and, tick by tick, its wheel
// turned, its picture waited for until it is still, and the rows that came into view added to
// the page; a frame around the rectangle and a label beside it the while (or, with no room for
// the label, the icon's tip). The turn follows the page: one notch first, to learn how far a
// notch moves it, then about half the moving part a step; a turn that moved it too far to follow
// is taken back and halved. No turn is sent unless the pointer is still at the centre and the
// page's window in front and under it.
class TScrollCapture {
public:
    TScrollCapture(IDisplay& display, IScrolling& scrolling, IPins& pins, ITray& tray)
        : FDisplay(display), FScrolling(scrolling), FPins(pins), FTray(tray) {}
    TScrollCapture(const TScrollCapture&) = delete;
    TScrollCapture& operator=(const TScrollCapture&) = delete;

    static constexpr int kTickMilliseconds = 25;
    static constexpr std::int64_t kTimeLimitMilliseconds = 120 * 1000;
    // The smallest turn tried: an eighth of a notch.
    static constexpr int kSmallestTurn = kWheelNotch / 8;

    // Over `rect`, the page at most `height` rows; raises, with everything let go, when the
    // screen cannot be read.
    void Start(const TCaptureRegion& rect, TScrollHeight height);
    bool Running() const { return FState.has_value(); }
    // A tick of its timer; true when the page has ended (Finish then gives it). Raises when the
    // screen cannot be read or the page cannot grow: Finish(Failed) then gives what is exact.
    bool Tick();
    std::optional<TScrollEnd> Ended() const { return FState ? FState->Ended : std::nullopt; }
    // Everything let go (the timer, the frame, the pointer back, the pins shown again), then the
    // page so far and why it ended; nothing when none runs. Raises, everything let go, when the
    // page cannot be taken.
    std::optional<TScrollResult> Finish(TScrollEnd why);
    // Everything let go, the page dropped.
    void Abandon() noexcept;

private:
    enum class TPhase { FirstScreen, Forward, Back };
    struct TState {
        TCaptureRegion Rect;
        TScreenPoint Centre;
        TWindowId Window = 0;
        TScrollHeight Height;
        TScreenPoint PointerWas;
        std::int64_t StartedAt = 0;
        std::unique_ptr<TPageStitcher> Stitcher;
        std::shared_ptr<const TScreenPixels> Last; // the last grab, to see the picture settle
        TPhase Phase = TPhase::FirstScreen;
        int TicksSinceTurn = 0;
        int Sent = 0;   // units turned forward since the page last moved
        int TooFar = 0; // units known to move it too far, 0 for none
        double RowsPerUnit = 0;
        bool LabelShown = true;
        std::optional<TScrollEnd> Ended;
    };
    std::shared_ptr<const TScreenPixels> Grab() const;
    bool Step(TState& state);
    // Turns the wheel unless the page is no longer the user's focus; false (the page ended as
    // interrupted) when it is not.
    bool TurnWheel(TState& state, int units);
    int NextTurn(const TState& state) const;
    void ShowLabel();
    void LetGo(TState& state) noexcept;

    IDisplay& FDisplay;
    IScrolling& FScrolling;
    IPins& FPins;
    ITray& FTray;
    std::optional<TState> FState;
};

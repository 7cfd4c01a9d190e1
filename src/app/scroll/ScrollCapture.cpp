#include "app/scroll/ScrollCapture.h"

#include "base/FormatText.h"
#include "base/Texts.h"
#include "imaging/JpegImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

bool SamePixels(const TScreenPixels& a, const TScreenPixels& b) {
    const TPixels32View va = a.View(), vb = b.View();
    if (va.Width != vb.Width || va.Height != vb.Height) {
        return false;
    }
    for (std::int32_t y = 0; y < va.Height; ++y) {
        if (std::memcmp(va.Row(y), vb.Row(y), 4 * std::size_t(va.Width)) != 0) {
            return false;
        }
    }
    return true;
}

// A grab of the rectangle with what lies off the screen white, as a capture has it.
class TGrab final : public TScreenPixels {
public:
    TGrab(const TScreenPixels& screen, std::int32_t width, std::int32_t height)
        : FWidth(width), FRows(4 * std::size_t(width) * std::size_t(height), 0xFF) {
        const TPixels32View view = screen.View();
        for (std::int32_t y = 0; y < view.Height; ++y) {
            std::memcpy(&FRows[(std::size_t(y + screen.OffsetY) * width + screen.OffsetX) * 4],
                        view.Row(y), 4 * std::size_t(view.Width));
        }
    }
    TPixels32View View() const override {
        return {FRows.data(), FWidth,
                static_cast<std::int32_t>(FRows.size() / (4 * std::size_t(FWidth))),
                4 * std::ptrdiff_t{FWidth}};
    }

private:
    std::int32_t FWidth;
    std::vector<std::uint8_t> FRows;
};

// Ticks after a turn of the wheel before a still picture counts: the window may not have begun
// to repaint; and before one like the last step's says the page has not moved.
constexpr int kSettleTicks = 2;
constexpr int kEndTicks = 8;
// Ticks after which the picture is taken as it is, settled or not.
constexpr int kMostTicks = 40;
// The largest turn a step sends.
constexpr int kLargestTurn = 10 * kWheelNotch;

} // namespace

TScrollHeight ScrollHeightLimit(std::int32_t setting, bool jpeg, std::int32_t width,
                                std::uint64_t bitmapRowBytes, std::uint64_t maxBitmapBytes,
                                std::uint64_t memoryAvailable) {
    TScrollHeight limit{std::max(setting, 1), TScrollLimit::Setting};
    if (jpeg && limit.Rows > kMaxJpegSide) {
        limit = {static_cast<std::int32_t>(kMaxJpegSide), TScrollLimit::Jpeg};
    }
    const std::uint64_t pageRow = 4 * static_cast<std::uint64_t>(std::max(width, 1));
    const std::uint64_t rows = std::min(maxBitmapBytes / std::max<std::uint64_t>(bitmapRowBytes, 1),
                                        memoryAvailable / 2 / (pageRow + bitmapRowBytes));
    if (rows < static_cast<std::uint64_t>(limit.Rows)) {
        limit = {static_cast<std::int32_t>(std::max<std::uint64_t>(rows, 1)), TScrollLimit::Memory};
    }
    return limit;
}

std::string ScrollEndText(const TScrollResult& result) {
    const std::string limit = std::to_string(result.Limit.Rows);
    switch (result.Why) {
    case TScrollEnd::PageEnded:
        return {};
    case TScrollEnd::Stopped:
        return Text(TText::ScrollEndStopped);
    case TScrollEnd::HeightLimit:
        switch (result.Limit.By) {
        case TScrollLimit::Setting:
            return FormatText(Text(TText::ScrollEndSettingLimit), {limit});
        case TScrollLimit::Jpeg:
            return FormatText(Text(TText::ScrollEndJpegLimit), {limit});
        case TScrollLimit::Memory:
            return FormatText(Text(TText::ScrollEndMemoryLimit), {limit});
        }
        break;
    case TScrollEnd::TimeLimit:
        return Text(TText::ScrollEndTimeLimit);
    case TScrollEnd::Changed:
        return Text(TText::ScrollEndChanged);
    case TScrollEnd::CannotFollow:
        return Text(TText::ScrollEndCannotFollow);
    case TScrollEnd::Interrupted:
        return Text(TText::ScrollEndInterrupted);
    case TScrollEnd::Failed:
        return Text(TText::ScrollEndFailed);
    }
    return {};
}

std::shared_ptr<const TScreenPixels> TScrollCapture::Grab() const {
    const TCaptureRegion& r = FState->Rect;
    const auto screen = FDisplay.GrabScreen(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    return std::make_shared<TGrab>(*screen, r.Right - r.Left, r.Bottom - r.Top);
}

void TScrollCapture::Start(const TCaptureRegion& rect, TScrollHeight height) {
    TState state;
    state.Rect = rect;
    state.Centre = {rect.Left + (rect.Right - rect.Left) / 2,
                    rect.Top + (rect.Bottom - rect.Top) / 2};
    state.Height = height;
    state.PointerWas = FDisplay.PointerPosition();
    FState = std::move(state);
    try {
        // Nothing of ours in the page: the pins out of the way before its window is looked for.
        FPins.HidePins(true);
        FState->Window = FScrolling.WindowAt(FState->Centre);
        if (FState->Window) {
            FScrolling.BringToFront(FState->Window);
        }
        FDisplay.SetPointerPosition(FState->Centre);
        FState->StartedAt = FScrolling.Milliseconds();
        // The page's first screen is taken once it is still: the window may be repainting what
        // the frozen screen covered, or itself coming to the front.
        FState->Last = Grab();
        ShowLabel();
        FScrolling.SetScrollTimer(kTickMilliseconds);
    } catch (...) {
        Abandon();
        throw;
    }
}

void TScrollCapture::ShowLabel() {
    TState& state = *FState;
    const std::int32_t height =
        state.Stitcher ? state.Stitcher->Height() : state.Rect.Bottom - state.Rect.Top;
    const std::string label = FormatText(Text(TText::ScrollLabel), {std::to_string(height)});
    const bool shown = FScrolling.ShowScrollFrame(state.Rect, label);
    if (!shown || !state.LabelShown) {
        FTray.ShowTip(shown ? std::string() : label); // no room beside the rectangle
    }
    state.LabelShown = shown;
}

bool TScrollCapture::TurnWheel(TState& state, int units) {
    const bool ours = FDisplay.PointerPosition() == state.Centre &&
                      (!state.Window || FScrolling.ForegroundWindow() == state.Window) &&
                      FScrolling.WindowAt(state.Centre) == state.Window;
    if (!ours) {
        state.Ended = TScrollEnd::Interrupted; // the turn would go to what the user went to
        return false;
    }
    FScrolling.TurnWheel(units);
    state.TicksSinceTurn = 0;
    if (units > 0) {
        state.Sent += units;
    }
    return true;
}

// About half the moving part, at the rate the page has moved so far.
int TScrollCapture::NextTurn(const TState& state) const {
    const double rows = std::max(1, state.Stitcher->MovingRows() / 2);
    const double units = state.RowsPerUnit > 0 ? rows / state.RowsPerUnit : kWheelNotch;
    return static_cast<int>(
        std::clamp(std::lround(units), long{kSmallestTurn}, long{kLargestTurn}));
}

bool TScrollCapture::Tick() {
    if (!FState || FState->Ended) {
        return FState.has_value();
    }
    TState& state = *FState;
    if (FScrolling.Milliseconds() - state.StartedAt >= kTimeLimitMilliseconds) {
        state.Ended = TScrollEnd::TimeLimit;
        return true;
    }
    ++state.TicksSinceTurn;
    std::shared_ptr<const TScreenPixels> grab = Grab();
    const bool settled = SamePixels(*grab, *state.Last);
    state.Last = std::move(grab);
    if (state.TicksSinceTurn < kMostTicks && (!settled || state.TicksSinceTurn < kSettleTicks)) {
        return false;
    }
    return Step(state);
}

// The settled picture after a turn: followed, taken back, or the page's end.
bool TScrollCapture::Step(TState& state) {
    const TPixels32View picture = state.Last->View();
    switch (state.Phase) {
    case TPhase::FirstScreen:
        state.Stitcher = std::make_unique<TPageStitcher>(picture);
        state.Phase = TPhase::Forward;
        return !TurnWheel(state, kWheelNotch); // one notch, to learn how far a notch moves it
    case TPhase::Back:
        if (!state.Stitcher->ShowsLast(picture)) {
            state.Ended = TScrollEnd::Changed;
            return true;
        }
        if (state.TooFar / 2 < kSmallestTurn) {
            state.Ended = TScrollEnd::CannotFollow;
            return true;
        }
        state.Phase = TPhase::Forward;
        state.Sent = 0;
        return !TurnWheel(state, state.TooFar / 2);
    case TPhase::Forward:
        break;
    }
    switch (state.Stitcher->Add(picture)) {
    case TPageStitcher::TStep::Still:
        if (state.TicksSinceTurn < kEndTicks) {
            return false; // it may yet move
        }
        if (state.Sent < kWheelNotch) {
            // Less than a notch, and not a row: a window that takes only whole notches is given
            // one; one it takes only by what is too far cannot be followed.
            if (state.TooFar && state.Sent + kWheelNotch >= state.TooFar) {
                state.Ended = TScrollEnd::CannotFollow;
                return true;
            }
            return !TurnWheel(state, kWheelNotch);
        }
        state.Ended = TScrollEnd::PageEnded;
        return true;
    case TPageStitcher::TStep::NoMatch:
        // Too far to find the overlap, or changed: taken back, to see which.
        state.TooFar = state.Sent;
        state.Phase = TPhase::Back;
        return !TurnWheel(state, -state.Sent);
    case TPageStitcher::TStep::Moved:
        break;
    }
    state.RowsPerUnit = double(state.Stitcher->LastShift()) / double(std::max(state.Sent, 1));
    state.Sent = 0;
    state.TooFar = 0;
    if (state.Stitcher->Height() >= state.Height.Rows) {
        state.Ended = TScrollEnd::HeightLimit;
        return true;
    }
    ShowLabel();
    return !TurnWheel(state, NextTurn(state));
}

void TScrollCapture::LetGo(TState& state) noexcept {
    const auto tryTo = [](auto&& step) {
        try {
            step();
        } catch (...) {
            // Letting go goes on: each step frees what it can.
        }
    };
    tryTo([&] { FScrolling.SetScrollTimer(0); });
    tryTo([&] { FScrolling.HideScrollFrame(); });
    if (!state.LabelShown) {
        tryTo([&] { FTray.ShowTip({}); });
    }
    tryTo([&] { FDisplay.SetPointerPosition(state.PointerWas); });
    tryTo([&] { FPins.HidePins(false); });
}

void TScrollCapture::Abandon() noexcept {
    if (FState) {
        TState state = std::move(*FState);
        FState.reset();
        LetGo(state);
    }
}

std::optional<TScrollResult> TScrollCapture::Finish(TScrollEnd why) {
    if (!FState) {
        return std::nullopt;
    }
    TState state = std::move(*FState);
    FState.reset();
    LetGo(state);
    if (!state.Stitcher) {
        if (!state.Last) {
            return std::nullopt;
        }
        // Ended before the first screen was still: the screen as it was last seen.
        state.Stitcher = std::make_unique<TPageStitcher>(state.Last->View());
    }
    return TScrollResult{std::make_shared<TRowBlocks>(state.Stitcher->TakePage(state.Height.Rows)),
                         state.Ended.value_or(why), state.Height};
}

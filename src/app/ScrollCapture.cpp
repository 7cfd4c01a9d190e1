#include "app/ScrollCapture.h"

#include "base/FormatText.h"
#include "base/Texts.h"
#include "platform/PixelRows.h"

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
// to repaint; and before one like the last step's says the page has ended.
constexpr int kSettleTicks = 2;
constexpr int kEndTicks = 8;
// Ticks after which the picture is taken as it is, settled or not.
constexpr int kMostTicks = 40;

} // namespace

std::shared_ptr<const TScreenPixels> TScrollCapture::Grab() const {
    const TCaptureRegion& r = FState->Rect;
    const auto screen = FDisplay.GrabScreen(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    return std::make_shared<TGrab>(*screen, r.Right - r.Left, r.Bottom - r.Top);
}

void TScrollCapture::Start(const TCaptureRegion& rect, std::int32_t maxHeight) {
    TState state;
    state.Rect = rect;
    state.MaxHeight = maxHeight;
    FState = std::move(state);
    try {
        const TScreenPoint centre{rect.Left + (rect.Right - rect.Left) / 2,
                                  rect.Top + (rect.Bottom - rect.Top) / 2};
        FState->PointerWas = FDisplay.PointerPosition();
        if (const TWindowId window = FScrolling.WindowAt(centre)) {
            FScrolling.BringToFront(window);
        }
        FDisplay.SetPointerPosition(centre);
        // The page's first screen is taken once it is still: the window may be repainting what
        // the frozen screen covered, or itself coming to the front.
        FState->Last = Grab();
        ShowLabel();
        FScrolling.SetScrollTimer(kTickMilliseconds);
    } catch (...) {
        Finish(TScrollEnd::Stopped);
        throw;
    }
}

void TScrollCapture::ShowLabel() {
    const TCaptureRegion& r = FState->Rect;
    const std::int32_t height = FState->Stitcher ? FState->Stitcher->Height() : r.Bottom - r.Top;
    FScrolling.ShowScrollFrame(r, FormatText(Text(TText::ScrollLabel), {std::to_string(height)}));
}

void TScrollCapture::TurnWheel() {
    FScrolling.TurnWheel(kNotches);
    FState->TicksSinceTurn = 0;
}

bool TScrollCapture::Tick() {
    if (!FState || FState->Ended) {
        return FState.has_value();
    }
    TState& state = *FState;
    if (++state.Ticks >= kTimeLimitTicks) {
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
    if (!state.Stitcher) {
        state.Stitcher = std::make_unique<TPageStitcher>(state.Last->View());
        TurnWheel();
        return false;
    }
    switch (state.Stitcher->Add(state.Last->View())) {
    case TPageStitcher::TStep::Still:
        if (state.TicksSinceTurn < kEndTicks) {
            return false; // it may yet move
        }
        state.Ended = TScrollEnd::PageEnded;
        return true;
    case TPageStitcher::TStep::NoMatch:
        state.Ended = TScrollEnd::Changed;
        return true;
    case TPageStitcher::TStep::Moved:
        break;
    }
    if (state.Stitcher->Height() >= state.MaxHeight) {
        state.Ended = TScrollEnd::HeightLimit;
        return true;
    }
    ShowLabel();
    TurnWheel();
    return false;
}

std::optional<TScrollResult> TScrollCapture::Finish(TScrollEnd why) {
    if (!FState) {
        return std::nullopt;
    }
    TState state = std::move(*FState);
    FState.reset();
    FScrolling.SetScrollTimer(0);
    FScrolling.HideScrollFrame();
    FDisplay.SetPointerPosition(state.PointerWas);
    if (!state.Stitcher) {
        if (!state.Last) {
            return std::nullopt;
        }
        // Ended before the first screen was still: the screen as it was last seen.
        state.Stitcher = std::make_unique<TPageStitcher>(state.Last->View());
    }
    const std::int32_t width = state.Stitcher->Width();
    return TScrollResult{
        std::make_shared<TPixelRows>(state.Stitcher->TakePage(state.MaxHeight), width),
        state.Ended.value_or(why)};
}

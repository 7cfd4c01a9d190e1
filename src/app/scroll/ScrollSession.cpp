#include "app/scroll/ScrollSession.h"

#include "imaging/PixelDepth.h"
#include "imaging/PixelStore.h"

#include <string>
#include <utility>

void TScrollSession::Start(const TCaptureRegion& rect, const TCaptureSettings& settings) {
    if (IsEmpty(rect)) {
        return;
    }
    FFailure = nullptr;
    try {
        // A page too tall to be saved in the format chosen, or to be held, ends at its limit.
        const std::int32_t width = rect.Right - rect.Left;
        const TScrollHeight height =
            ScrollHeightLimit(settings.ScrollMaxHeight, settings.ImageType == itJpeg, width,
                              RowStride(width, DepthForImageBit(settings.ImageBit)),
                              TPixelStore::kMaxBytes, FScrolling.MemoryAvailable());
        FCapture.Start(rect, height);
        FWatcher.WatchEscape(true); // the page has the focus: Esc is ours
    } catch (...) {
        Abandon();
        throw;
    }
}

std::optional<TScrollEnd> TScrollSession::Tick() noexcept {
    try {
        if (!FCapture.Tick()) {
            return std::nullopt;
        }
        return FCapture.Ended().value_or(TScrollEnd::PageEnded);
    } catch (...) {
        FFailure = std::current_exception();
        return TScrollEnd::Failed;
    }
}

TScrollOutcome TScrollSession::Finish(TScrollEnd why) {
    TScrollOutcome outcome;
    if (!FCapture.Running()) {
        return outcome;
    }
    outcome.Failure = std::exchange(FFailure, nullptr);
    try {
        outcome.Result = FCapture.Finish(why);
    } catch (...) {
        outcome.Failure = outcome.Failure ? outcome.Failure : std::current_exception();
    }
    try {
        FWatcher.WatchEscape(false);
    } catch (...) {
        outcome.Failure = outcome.Failure ? outcome.Failure : std::current_exception();
    }
    if (outcome.Result) {
        outcome.Height = std::to_string(outcome.Result->Page->Height());
        outcome.Why = ScrollEndText(*outcome.Result);
    }
    return outcome;
}

void TScrollSession::Abandon() noexcept {
    if (!FCapture.Running()) {
        return;
    }
    FCapture.Abandon();
    FFailure = nullptr;
    try {
        FWatcher.WatchEscape(false);
    } catch (...) {
        // The watcher goes with the program.
    }
}

#include "app/text/TextReading.h"

#include "app/text/TextSpacing.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "base/Utf.h"
#include "imaging/ReadingImage.h"
#include "platform/PixelRows.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

// `rect` of the screen's pixels, white where the screen has none.
std::shared_ptr<TPixelRows> Crop(const TScreenPixels& screen, const TCaptureRegion& rect) {
    const std::int32_t width = rect.Right - rect.Left, height = rect.Bottom - rect.Top;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height, 0xFFFFFFu);
    const TPixels32View view = screen.View();
    const std::int64_t left = std::int64_t{screen.Left} + screen.OffsetX;
    const std::int64_t top = std::int64_t{screen.Top} + screen.OffsetY;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int64_t sy = rect.Top + y - top;
        if (sy < 0 || sy >= view.Height) {
            continue;
        }
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int64_t sx = rect.Left + x - left;
            if (sx >= 0 && sx < view.Width) {
                std::memcpy(&pixels[std::size_t(y) * width + x],
                            view.Row(static_cast<std::int32_t>(sy)) + 4 * sx, 4);
            }
        }
    }
    return TPixelRows::CopyOf({reinterpret_cast<const std::uint8_t*>(pixels.data()), width, height,
                               std::ptrdiff_t{width} * 4});
}

} // namespace

std::string CopiedNotice(const std::string& text) {
    constexpr std::size_t kShown = 30; // characters of the first line
    std::size_t count = 0;
    std::string first;
    std::size_t firstCount = 0;
    bool firstLine = true;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t at = i;
        const char32_t c = NextCodePoint(text, i);
        if (c == U'\r' || c == U'\n') {
            firstLine = false;
            continue;
        }
        ++count;
        if (firstLine && firstCount < kShown) {
            first.append(text, at, i - at);
            ++firstCount;
        } else if (firstLine && firstCount == kShown) {
            first += "\u2026";
            ++firstCount;
        }
    }
    return FormatText(Text(TText::TextCopied), {std::to_string(count)}) + "\n" + first;
}

void TTextReading::Start(const TScreenPixels& screen, const TCaptureRegion& rect, int dpi,
                         std::string languages) {
    CancelAndWait();
    std::shared_ptr<const TPixelRows> picture = Crop(screen, rect);
    FCancelled = false;
    FDone = false;
    FOutcome = {};
    FThread =
        std::jthread([this, picture = std::move(picture), dpi, languages = std::move(languages)] {
            TTextOutcome outcome;
            try {
                const TReadingImage image = ReadingImageOf(picture->View());
                const std::optional<std::string> read =
                    FReader.Read({image.Pixels.data(), image.Width, image.Height, image.Width,
                                  dpi * kReadingScale},
                                 languages, FCancelled);
                if (read && !FCancelled) {
                    outcome.Text = SpacedAsWritten(*read);
                }
            } catch (...) {
                outcome.Failure = std::current_exception();
            }
            {
                const std::lock_guard lock(FLock);
                FOutcome = std::move(outcome);
            }
            FDone = true;
            try {
                FLoop.PostTextRead();
            } catch (...) {
                // Nothing waits for it but the program's own end, which joins this thread.
            }
        });
    FRunning = true;
}

std::optional<TTextOutcome> TTextReading::Take() {
    if (!FRunning || !FDone) {
        return std::nullopt;
    }
    FThread.join();
    FRunning = false;
    const std::lock_guard lock(FLock);
    return std::exchange(FOutcome, {});
}

void TTextReading::CancelAndWait() noexcept {
    Cancel();
    if (FThread.joinable()) {
        FThread.join();
    }
    FRunning = false;
}

#include "support/headless/HeadlessOverlay.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <cstring>

void THeadlessOverlay::DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                        std::int32_t y2) {
    ++BandDraws;
    if (x1 == x2 || y1 == y2) {
        return; // the rectangle primitive draws nothing for an empty rectangle
    }
    int& count = Bands[{x1, y1, x2, y2}];
    count ^= 1;
}

std::vector<std::array<std::int32_t, 4>> THeadlessOverlay::VisibleBands() const {
    std::vector<std::array<std::int32_t, 4>> visible;
    for (const auto& [band, count] : Bands) {
        if (count) {
            visible.push_back(band);
        }
    }
    return visible;
}

TCaptureRegion THeadlessOverlay::LettersBox(const TMark& mark, const TMarkStyle& style) {
    const std::int32_t r = style.StepRadius;
    return mark.Tool == TMarkTool::Step
               ? TCaptureRegion{mark.From.X - r, mark.From.Y - r, mark.From.X + r, mark.From.Y + r}
               : TCaptureRegion{mark.From.X, mark.From.Y,
                                mark.From.X + static_cast<std::int32_t>(mark.Text.size()) *
                                                  style.TextHeight / 2,
                                mark.From.Y + style.TextHeight};
}

std::vector<TCaptureRegion> THeadlessOverlay::DrawMark(const TMark& mark, const TMarkStyle& style,
                                                       const TPixels32Canvas& canvas) {
    const TCaptureRegion box = LettersBox(mark, style);
    const TCaptureRegion part = Intersection(box, canvas.Area());
    for (std::int32_t y = part.Top; y < part.Bottom; ++y) {
        for (std::int32_t x = part.Left; x < part.Right; ++x) {
            std::memcpy(canvas.Row(y - canvas.Top) + 4 * (x - canvas.Left), &mark.Colour, 4);
        }
    }
    return {box};
}

void THeadlessOverlay::BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                                      std::int32_t height, const std::string& words) {
    if (TextEntryFails) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    TextEntry = TTextEntry{at, width, colour, height, words};
}

std::optional<std::string> THeadlessOverlay::EndTextEntry() {
    if (!TextEntry) {
        return std::nullopt;
    }
    return std::exchange(TextEntry, std::nullopt)->Typed;
}

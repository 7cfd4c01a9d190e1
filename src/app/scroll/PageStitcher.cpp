#include "app/scroll/PageStitcher.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// A row's hash: 64-bit words mixed, the same on every build. Rows that differ may share one;
// a shift is taken only after its rows compare equal byte for byte.
std::uint64_t RowHash(const std::uint8_t* row, std::size_t bytes) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ bytes;
    std::size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, row + i, 8);
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    }
    for (; i < bytes; ++i) {
        hash = (hash ^ row[i]) * 0x100000001B3ull;
    }
    return hash;
}

// A row all of one colour (the unused byte aside) decides no shift, and is no fixed part.
bool IsBlank(const std::uint8_t* row, std::int32_t width) {
    std::uint32_t first;
    std::memcpy(&first, row, 4);
    first &= 0xFFFFFF;
    for (std::int32_t x = 1; x < width; ++x) {
        std::uint32_t pixel;
        std::memcpy(&pixel, row + 4 * x, 4);
        if ((pixel & 0xFFFFFF) != first) {
            return false;
        }
    }
    return true;
}

// The rows of the next grab that look for their place in the last one, from the top; and the
// rows spread over an overlap that are compared first, to rule a shift out at once.
constexpr std::size_t kAnchors = 16;
constexpr std::int32_t kSpreadRows = 64;

} // namespace

TPageStitcher::TPageStitcher(const TPixels32View& first)
    : FWidth(first.Width), FHeight(first.Height), FRowBytes(4 * std::size_t(first.Width)),
      FBody(first.Width) {
    FTail.Keep(first, 0, FHeight, FHeight);
}

void TPageStitcher::TKeptRows::Keep(const TPixels32View& grab, std::int32_t from, std::int32_t to,
                                    std::int32_t hashTo) {
    const std::size_t rowBytes = 4 * std::size_t(grab.Width);
    Rows.resize(std::size_t(to - from) * rowBytes);
    Hashes.resize(std::size_t(std::max(hashTo - from, 0)));
    From = from, To = to;
    for (std::int32_t y = from; y < to; ++y) {
        std::memcpy(Rows.data() + std::size_t(y - from) * rowBytes, grab.Row(y), rowBytes);
    }
    for (std::int32_t y = from; y < hashTo; ++y) {
        Hashes[std::size_t(y - from)] = RowHash(grab.Row(y), rowBytes);
    }
}

// The head's rows are the lead's only: the header's are never read once the page has started.
const std::uint8_t* TPageStitcher::LastRow(std::int32_t y) const {
    return y < FHead.To   ? FHead.Rows.data() + std::size_t(y - FHead.From) * FRowBytes
           : y < FBodyEnd ? FBody.Row(FBody.Height() - FBodyEnd + y)
                          : FTail.Rows.data() + std::size_t(y - FBodyEnd) * FRowBytes;
}

std::uint64_t TPageStitcher::LastHash(std::int32_t y) const {
    return y < FHead.To   ? FHead.Hashes[std::size_t(y - FHead.From)]
           : y < FBodyEnd ? FBodyHashes[std::size_t(FBody.Height() - FBodyEnd + y)]
                          : FTail.Hashes[std::size_t(y - FBodyEnd)];
}

bool TPageStitcher::SameAsLast(const TPixels32View& grab, std::int32_t y) const {
    return std::memcmp(grab.Row(y), LastRow(y), FRowBytes) == 0;
}

std::int32_t TPageStitcher::Height() const {
    return FStarted ? FBody.Height() + FHeight - FBodyEnd : FHeight;
}

bool TPageStitcher::ShowsLast(const TPixels32View& grab) const {
    for (std::int32_t y = FHeader; y < FHeight - FFooter; ++y) {
        if (!SameAsLast(grab, y)) {
            return false;
        }
    }
    return true;
}

// Whether the next grab's rows from the span's top are the last grab's `shift` rows lower: the
// anchors by their hashes, then rows spread over the overlap, then all of it, byte for byte (a
// part of the page that changed as it scrolled is never taken for the page).
bool TPageStitcher::Overlaps(const TPixels32View& next, TSpan span, std::int32_t shift,
                             const std::vector<std::int32_t>& anchors,
                             const std::vector<std::uint64_t>& anchorHashes) const {
    const std::int32_t end = span.Bottom - shift;
    for (std::size_t i = 0; i < anchors.size() && anchors[i] < end; ++i) {
        if (LastHash(anchors[i] + shift) != anchorHashes[i]) {
            return false;
        }
    }
    const auto same = [&](std::int32_t y) {
        return std::memcmp(next.Row(y), LastRow(y + shift), FRowBytes) == 0;
    };
    for (std::size_t i = 0; i < anchors.size() && anchors[i] < end; ++i) {
        if (!same(anchors[i])) {
            return false;
        }
    }
    const std::int32_t step = std::max(1, (end - span.Top) / kSpreadRows);
    for (std::int32_t y = span.Top; y < end; y += step) {
        if (!same(y)) {
            return false;
        }
    }
    for (std::int32_t y = span.Top; y < end; ++y) {
        if (!same(y)) {
            return false;
        }
    }
    return true;
}

// The one shift of at most `most` rows at which the next grab continues the last; several that
// fit (a repeated pattern) are decided by the step before, or not at all.
std::optional<std::int32_t> TPageStitcher::ShiftOf(const TPixels32View& next, TSpan span,
                                                   std::int32_t most) const {
    std::vector<std::int32_t> anchors;
    std::vector<std::uint64_t> hashes;
    for (std::int32_t y = span.Top; y + 1 < span.Bottom && anchors.size() < kAnchors; ++y) {
        if (!IsBlank(next.Row(y), FWidth)) {
            anchors.push_back(y);
            hashes.push_back(RowHash(next.Row(y), FRowBytes));
        }
    }
    std::vector<std::int32_t> tried, found;
    for (std::size_t i = 0; i < anchors.size(); ++i) {
        for (std::int32_t shift = 1; shift <= most && anchors[i] + shift < span.Bottom; ++shift) {
            if (LastHash(anchors[i] + shift) != hashes[i] ||
                std::find(tried.begin(), tried.end(), shift) != tried.end()) {
                continue;
            }
            tried.push_back(shift);
            if (Overlaps(next, span, shift, anchors, hashes)) {
                found.push_back(shift);
            }
        }
    }
    if (found.size() == 1) {
        return found.front();
    }
    if (found.size() > 1 && FLastShift &&
        std::find(found.begin(), found.end(), *FLastShift) != found.end()) {
        return FLastShift;
    }
    return std::nullopt;
}

TPageStitcher::TStep TPageStitcher::Add(const TPixels32View& next) {
    std::int32_t header = FHeader, footer = FFooter;
    if (!FStarted) {
        // The rows that stay where they were at the first step, each part ending in a row that
        // is not blank: the header and the footer.
        std::int32_t run = 0;
        header = 0;
        for (; run < FHeight && SameAsLast(next, run); ++run) {
            header = IsBlank(next.Row(run), FWidth) ? header : run + 1;
        }
        if (run == FHeight) {
            return TStep::Still;
        }
        footer = 0;
        for (run = 0; run < FHeight - header && SameAsLast(next, FHeight - 1 - run); ++run) {
            footer = IsBlank(next.Row(FHeight - 1 - run), FWidth) ? footer : run + 1;
        }
    }
    const std::int32_t top = header, bottom = FHeight - footer;
    // Blank rows at the edges of the moving part that did not change decide nothing: a margin
    // of the page, or a strip of the window that stays.
    TSpan span{top, bottom};
    while (span.Top < bottom && SameAsLast(next, span.Top) && IsBlank(next.Row(span.Top), FWidth)) {
        ++span.Top;
    }
    std::int32_t same = span.Top;
    while (same < bottom && SameAsLast(next, same)) {
        ++same;
    }
    if (same == bottom) {
        return TStep::Still;
    }
    while (span.Bottom > span.Top && SameAsLast(next, span.Bottom - 1) &&
           IsBlank(next.Row(span.Bottom - 1), FWidth)) {
        --span.Bottom;
    }
    // At least a third of the moving part still in view, and no row between the page's end
    // and the rows that came into view.
    const std::int32_t moving = bottom - top;
    const std::int32_t bodyEnd = FStarted ? FBodyEnd : span.Bottom;
    const std::int32_t most = std::min(moving - (moving + 2) / 3, bodyEnd - span.Top);
    const std::optional<std::int32_t> shift =
        most > 0 ? ShiftOf(next, span, most) : std::optional<std::int32_t>{};
    if (!shift) {
        return TStep::NoMatch;
    }

    // What may fail first, so that a failure leaves the page as it was.
    const std::int32_t from = bodyEnd - *shift; // the next grab's row below the page's end
    const std::int32_t end = std::max(from, span.Bottom);
    const std::int32_t firstScreen = FStarted ? 0 : bodyEnd;
    FBody.Reserve(firstScreen + end - from);
    const std::size_t hashes = FBodyHashes.size() + std::size_t(firstScreen + end - from);
    if (hashes > FBodyHashes.capacity()) {
        FBodyHashes.reserve(std::max(hashes, 2 * FBodyHashes.capacity()));
    }
    FNextHead.Keep(next, top, span.Top, span.Top);
    FNextTail.Keep(next, end, FHeight, bottom);

    if (!FStarted) {
        // The first screen down to where this step's rows begin.
        FBody.Append({FTail.Rows.data(), FWidth, FHeight, std::ptrdiff_t(FRowBytes)}, 0, bodyEnd);
        FBodyHashes.assign(FTail.Hashes.begin(), FTail.Hashes.begin() + bodyEnd);
        FHeader = header, FFooter = footer;
        FBodyEnd = bodyEnd;
        FStarted = true;
    }
    FBody.Append(next, from, end);
    for (std::int32_t y = from; y < end; ++y) {
        FBodyHashes.push_back(RowHash(next.Row(y), FRowBytes));
    }
    FBodyEnd = end;
    std::swap(FHead, FNextHead);
    std::swap(FTail, FNextTail);
    FLastShift = shift;
    return TStep::Moved;
}

TRowBlocks TPageStitcher::TakePage(std::int32_t maxHeight) {
    const std::int32_t tailRows = FHeight - FBodyEnd;
    const std::int32_t footer = FStarted ? FFooter : 0;
    FBody.Reserve(tailRows);
    TRowBlocks page = std::move(FBody);
    const TPixels32View tail{FTail.Rows.data(), FWidth, tailRows, std::ptrdiff_t(FRowBytes)};
    page.Append(tail, 0, tailRows - footer);
    std::int32_t kept = footer;
    if (maxHeight >= 0 && page.Height() + footer > maxHeight) {
        // Too tall: the body is cut, the footer kept (as much of it as the limit leaves room for).
        kept = std::min(footer, maxHeight);
        page.Truncate(maxHeight - kept);
    }
    page.Append(tail, tailRows - kept, tailRows);
    FBody = TRowBlocks(FWidth);
    FBodyHashes.clear();
    FHead = {}, FTail = {}, FNextHead = {}, FNextTail = {};
    FBodyEnd = 0;
    FStarted = false;
    return page;
}

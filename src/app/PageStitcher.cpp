#include "app/PageStitcher.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

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

// A row all of one colour (the unused byte aside) decides no shift.
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

void Copy(const TPixels32View& view, std::vector<std::uint8_t>& rows) {
    const std::size_t rowBytes = 4 * std::size_t(view.Width);
    rows.resize(rowBytes * std::size_t(view.Height));
    for (std::int32_t y = 0; y < view.Height; ++y) {
        std::memcpy(rows.data() + y * rowBytes, view.Row(y), rowBytes);
    }
}

} // namespace

TPageStitcher::TPageStitcher(const TPixels32View& first)
    : FWidth(first.Width), FHeight(first.Height), FRowBytes(4 * std::size_t(first.Width)) {
    Copy(first, FLast);
    for (std::int32_t y = 0; y < FHeight; ++y) {
        FLastHashes.push_back(RowHash(Row(FLast, y), FRowBytes));
        FLastBlank.push_back(IsBlank(Row(FLast, y), FWidth));
    }
}

std::int32_t TPageStitcher::Height() const {
    return FStarted ? static_cast<std::int32_t>(FBody.size() / FRowBytes) + FFooter : FHeight;
}

// The shift that makes every row of the moving part that the next grab still shows match the
// last grab: found through a row that is not blank (up to 16 tried), then checked whole.
std::optional<std::int32_t> TPageStitcher::ShiftOf(const TPixels32View& next,
                                                   const std::vector<std::uint64_t>& nextHashes,
                                                   const std::vector<bool>& nextBlank) const {
    const std::int32_t top = FHeader, bottom = FHeight - FFooter; // the moving part
    std::unordered_multimap<std::uint64_t, std::int32_t> lastRows;
    for (std::int32_t y = top; y < bottom; ++y) {
        if (!FLastBlank[y]) {
            lastRows.emplace(FLastHashes[y], y);
        }
    }
    // The hashes rule out at once; only a shift whose every row's hash matches is compared.
    const auto matches = [&](std::int32_t shift) {
        for (std::int32_t y = top; y + shift < bottom; ++y) {
            if (nextHashes[y] != FLastHashes[y + shift]) {
                return false;
            }
        }
        for (std::int32_t y = top; y + shift < bottom; ++y) {
            if (std::memcmp(next.Row(y), Row(FLast, y + shift), FRowBytes) != 0) {
                return false;
            }
        }
        return true;
    };
    int anchors = 0;
    for (std::int32_t y = top; y < bottom && anchors < 16; ++y) {
        if (nextBlank[y]) {
            continue;
        }
        ++anchors;
        std::vector<std::int32_t> shifts;
        const auto [first, last] = lastRows.equal_range(nextHashes[y]);
        for (auto it = first; it != last; ++it) {
            if (it->second > y && matches(it->second - y)) {
                shifts.push_back(it->second - y);
            }
        }
        if (shifts.size() == 1) {
            return shifts.front();
        }
        if (shifts.size() > 1) {
            // A pattern that repeats: the step before tells which, when it is one of them.
            if (FLastShift &&
                std::find(shifts.begin(), shifts.end(), *FLastShift) != shifts.end()) {
                return FLastShift;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

TPageStitcher::TStep TPageStitcher::Add(const TPixels32View& next) {
    std::vector<std::uint64_t> nextHashes(static_cast<std::size_t>(FHeight));
    std::vector<bool> nextBlank(static_cast<std::size_t>(FHeight));
    for (std::int32_t y = 0; y < FHeight; ++y) {
        nextHashes[y] = RowHash(next.Row(y), FRowBytes);
        nextBlank[y] = IsBlank(next.Row(y), FWidth);
    }
    if (!FStarted) {
        // The rows that stay where they were at the first step: the header and the footer.
        std::int32_t header = 0, footer = 0;
        while (header < FHeight &&
               std::memcmp(next.Row(header), Row(FLast, header), FRowBytes) == 0) {
            ++header;
        }
        if (header == FHeight) {
            return TStep::Still;
        }
        while (footer < FHeight - header &&
               std::memcmp(next.Row(FHeight - 1 - footer), Row(FLast, FHeight - 1 - footer),
                           FRowBytes) == 0) {
            ++footer;
        }
        FHeader = header, FFooter = footer;
    } else {
        bool still = true;
        for (std::int32_t y = FHeader; y < FHeight - FFooter && still; ++y) {
            still = std::memcmp(next.Row(y), Row(FLast, y), FRowBytes) == 0;
        }
        if (still) {
            return TStep::Still;
        }
    }
    const std::optional<std::int32_t> shift = ShiftOf(next, nextHashes, nextBlank);
    if (!shift) {
        return TStep::NoMatch;
    }
    if (!FStarted) {
        // The first screen above its footer; the footer comes from the last grab, at the end.
        // Room for a few screens at once: the page grows by doubling, never a copy a step.
        FBody.reserve(4 * FLast.size());
        FBody.assign(FLast.begin(), FLast.end() - std::ptrdiff_t(FFooter) * FRowBytes);
        FStarted = true;
    }
    const std::int32_t bottom = FHeight - FFooter;
    const std::size_t added = std::size_t(*shift) * FRowBytes;
    if (FBody.capacity() - FBody.size() < added) {
        FBody.reserve(std::max(2 * FBody.capacity(), FBody.size() + added));
    }
    for (std::int32_t y = bottom - *shift; y < bottom; ++y) {
        FBody.insert(FBody.end(), next.Row(y), next.Row(y) + FRowBytes);
    }
    FLastShift = shift;
    Copy(next, FLast);
    FLastHashes = std::move(nextHashes);
    FLastBlank = std::move(nextBlank);
    return TStep::Moved;
}

std::vector<std::uint8_t> TPageStitcher::TakePage(std::int32_t maxHeight) {
    std::vector<std::uint8_t> page;
    if (!FStarted) {
        page = std::move(FLast);
    } else {
        page = std::move(FBody);
        page.insert(page.end(), FLast.end() - std::ptrdiff_t(FFooter) * FRowBytes, FLast.end());
    }
    const std::size_t rows = page.size() / std::max<std::size_t>(FRowBytes, 1);
    if (maxHeight >= 0 && rows > std::size_t(maxHeight)) {
        // Too tall: the body is cut, the footer kept (when the limit leaves room for it).
        const std::size_t footer =
            FStarted ? std::min<std::size_t>(FFooter, std::size_t(maxHeight)) : 0;
        const std::size_t keep = std::size_t(maxHeight) - footer;
        page.erase(page.begin() + std::ptrdiff_t(keep * FRowBytes),
                   page.end() - std::ptrdiff_t(footer * FRowBytes));
    }
    FLast.clear();
    FBody.clear();
    return page;
}

#pragma once

#include "base/Pixels32.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A page taller than the screen, put together from the grabs of a rectangle taken as the window
// under it scrolls down: every row of the page once, in order, exactly. The first step finds
// the rows that stay in place while the rest moves (a fixed header at the top, a footer at the
// bottom); the part between moves, and each step finds by how much: the shift at which every
// row it still shows matches the grab before (row hashes first, the candidates then compared
// byte for byte), decided by rows that are not blank. Only the rows below that overlap are
// added. A step with no such shift, or with more than one where no earlier step tells which
// (a pattern that repeats), adds nothing and ends the page: what it holds is exact.
class TPageStitcher {
public:
    // The first grab: the page's first screen.
    explicit TPageStitcher(const TPixels32View& first);

    enum class TStep {
        Moved,   // the rows that came into view are added
        Still,   // the same picture: the page has ended
        NoMatch, // it changed as it scrolled: nothing is added, and the page ends here
    };
    // The next grab, of the same size.
    TStep Add(const TPixels32View& next);

    // The page's height so far, its footer included.
    std::int32_t Height() const;
    std::int32_t Width() const { return FWidth; }
    // The fixed rows found at the first step.
    std::int32_t Header() const { return FHeader; }
    std::int32_t Footer() const { return FFooter; }
    // The page: its rows top-down, 32-bit pixels, at most `maxHeight` rows (the body cut, the
    // header and footer kept). Leaves the stitcher empty.
    std::vector<std::uint8_t> TakePage(std::int32_t maxHeight);

private:
    std::optional<std::int32_t> ShiftOf(const TPixels32View& next,
                                        const std::vector<std::uint64_t>& nextHashes,
                                        const std::vector<bool>& nextBlank) const;
    const std::uint8_t* Row(const std::vector<std::uint8_t>& rows, std::int32_t y) const {
        return rows.data() + std::size_t(y) * FRowBytes;
    }

    std::int32_t FWidth, FHeight;
    std::size_t FRowBytes;
    std::vector<std::uint8_t> FLast;        // the last grab, rows top-down
    std::vector<std::uint64_t> FLastHashes; // its rows' hashes
    std::vector<bool> FLastBlank;           // its rows all of one colour
    std::vector<std::uint8_t> FBody;        // the page above the footer, as it grows
    std::int32_t FHeader = 0, FFooter = 0;
    bool FStarted = false;                  // the first step has been taken
    std::optional<std::int32_t> FLastShift; // the previous step's
};

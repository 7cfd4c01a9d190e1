#pragma once

#include "base/Pixels32.h"
#include "imaging/RowBlocks.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A page taller than the screen, put together from the grabs of a rectangle taken as the window
// under it scrolls down: every row of the page once, in order, exactly. The first step finds
// the rows that stay in place while the rest moves (a fixed header at the top, a footer at the
// bottom, each ending in a row that is not blank: a blank margin is no fixed part); the part
// between moves, and each step finds by how much. A shift is taken only where the grab still
// shows at least a third of the moving part of the grab before, found through rows that are not
// blank (row hashes first, then the rows compared byte for byte across the overlap) and decided
// by them alone: a step with no such shift, or with more than one where the step before does
// not tell which (a pattern that repeats), adds nothing. Only the rows below the overlap are
// added, and each row is read and hashed once, when it is added.
class TPageStitcher {
public:
    // The first grab: the page's first screen.
    explicit TPageStitcher(const TPixels32View& first);

    enum class TStep {
        Moved,   // the rows that came into view are added
        Still,   // the same picture: the page has not moved
        NoMatch, // no exact shift with enough overlap: it moved too far, or it changed
    };
    // The next grab, of the same size. Raises std::bad_alloc, the page as it was, when there is
    // no memory for its new rows.
    TStep Add(const TPixels32View& next);
    // Whether the grab shows the page where the last step left it (a turn taken back).
    bool ShowsLast(const TPixels32View& grab) const;

    // The page's height so far, its footer included.
    std::int32_t Height() const;
    std::int32_t Width() const { return FWidth; }
    // The fixed rows found at the first step, and the rows between them, which move.
    std::int32_t Header() const { return FHeader; }
    std::int32_t Footer() const { return FFooter; }
    std::int32_t MovingRows() const { return FHeight - FHeader - FFooter; }
    // The rows the last step moved, 0 before the first.
    std::int32_t LastShift() const { return FLastShift.value_or(0); }
    // The page: its rows top-down, at most `maxHeight` (the body cut, the footer kept). Leaves
    // the stitcher empty.
    TRowBlocks TakePage(std::int32_t maxHeight);

private:
    // The rows of a step: where the moving part starts and ends once the blank rows that did not
    // change at its edges are left out (they decide nothing, and may be fixed).
    struct TSpan {
        std::int32_t Top, Bottom;
    };
    // Row y of the last grab, as the page holds it, and its hash.
    const std::uint8_t* LastRow(std::int32_t y) const;
    std::uint64_t LastHash(std::int32_t y) const;
    bool SameAsLast(const TPixels32View& grab, std::int32_t y) const;
    std::optional<std::int32_t> ShiftOf(const TPixels32View& next, TSpan span,
                                        std::int32_t most) const;
    bool Overlaps(const TPixels32View& next, TSpan span, std::int32_t shift,
                  const std::vector<std::int32_t>& anchors,
                  const std::vector<std::uint64_t>& anchorHashes) const;
    // Rows of a grab kept beside the page, from row From, the hashes of those above a fixed
    // part (which no shift looks for).
    struct TKeptRows {
        std::int32_t From = 0, To = 0;
        std::vector<std::uint8_t> Rows;
        std::vector<std::uint64_t> Hashes;
        // Rows `from` to `to` of the grab, in the memory these held.
        void Keep(const TPixels32View& grab, std::int32_t from, std::int32_t to,
                  std::int32_t hashTo);
    };

    std::int32_t FWidth, FHeight;
    std::size_t FRowBytes;
    // The last grab is its head (the rows above those it was followed by), then the page's last
    // rows down to FBodyEnd, then its tail.
    TRowBlocks FBody;                       // the page down to the row above FBodyEnd
    std::vector<std::uint64_t> FBodyHashes; // its rows' hashes
    std::int32_t FBodyEnd = 0;              // the last grab's row just below the page's body
    TKeptRows FHead, FTail;
    TKeptRows FNextHead, FNextTail; // their memory, for the step after
    std::int32_t FHeader = 0, FFooter = 0;
    bool FStarted = false;                  // the first step has been taken
    std::optional<std::int32_t> FLastShift; // the previous step's
};

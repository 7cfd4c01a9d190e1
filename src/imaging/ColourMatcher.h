#pragma once

#include "imaging/Palette.h"

#include <cstdint>
#include <vector>

// Nearest colour of a palette by squared RGB distance, ties to the lowest index, with no
// dithering: the same answer as trying every entry, found through a table of colour cells.
// Each cell of 4 x 4 x 4 colours lists the only entries that can be nearest to a colour in it
// (those whose nearest point of the cell is no farther than the best farthest point); most
// cells have exactly one, which is then the answer for every colour in the cell.
class TColourMatcher {
public:
    explicit TColourMatcher(const TPalette& palette);

    std::uint8_t Nearest(std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
        const std::uint32_t cell =
            (static_cast<std::uint32_t>(r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2);
        const std::uint32_t entry = FCells[cell];
        if (entry < kListFlag) {
            return static_cast<std::uint8_t>(entry);
        }
        return SearchList(entry - kListFlag, r, g, b);
    }

    // The matcher of that palette, built on first use and kept for the run.
    static const TColourMatcher& For(const TPalette& palette);

    const TPalette& Palette() const { return FPalette; }

private:
    static constexpr std::uint32_t kListFlag = 0x100;

    std::uint8_t SearchList(std::uint32_t listStart, std::uint8_t r, std::uint8_t g,
                            std::uint8_t b) const;

    TPalette FPalette;
    std::vector<std::uint32_t> FCells; // entry index, or kListFlag + start of a list in FLists
    std::vector<std::uint8_t> FLists;  // each list: its count, then the entries in index order
};

// Exhaustive nearest-colour search; the reference the matcher must equal.
std::uint8_t NearestColourExhaustive(const TPalette& palette, std::uint8_t r, std::uint8_t g,
                                     std::uint8_t b);

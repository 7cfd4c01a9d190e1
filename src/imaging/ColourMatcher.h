#pragma once

#include "imaging/Palette.h"

#include <array>
#include <cstdint>
#include <vector>

// Nearest colour of a palette by squared RGB distance, ties to the lowest index, with no
// dithering: the same answer as trying every entry, found through a table of colour cells.
// For each cell of 4 x 4 x 4 colours only some entries can be nearest to a colour in it
// (those whose nearest point of the cell is no farther than the best farthest point). Most
// cells have exactly one, the answer for every colour of the cell; the others get the 64
// answers of their colours, worked out among those few entries when the matcher is built.
// Cells are laid out in Z order (the bits of the three channels interleaved), so colours
// close to each other, as in a photograph, find their answers close to each other in memory.
class TColourMatcher {
public:
    explicit TColourMatcher(const TPalette& palette);

    std::uint8_t Nearest(std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
        const std::uint32_t cell =
            (kSpread[r >> 2] << 2) | (kSpread[g >> 2] << 1) | kSpread[b >> 2];
        // A cell with one answer points at a block of 64 copies of it. The small table serves
        // when the blocks are few enough (the branch always goes the same way).
        const std::uint32_t block = FSmallCells.empty() ? FCells[cell] : FSmallCells[cell];
        return FAnswers[block * 64u + (((r & 3u) << 4) | ((g & 3u) << 2) | (b & 3u))];
    }

    // The matcher of that palette, built on first use and kept for the run.
    static const TColourMatcher& For(const TPalette& palette);

    const TPalette& Palette() const { return FPalette; }

private:
    // Bit i of a 6-bit channel value moves to bit 3i.
    static constexpr std::array<std::uint32_t, 64> kSpread = [] {
        std::array<std::uint32_t, 64> spread{};
        for (std::uint32_t v = 0; v < 64; ++v) {
            for (int bit = 0; bit < 6; ++bit) {
                spread[v] |= ((v >> bit) & 1u) << (3 * bit);
            }
        }
        return spread;
    }();

    TPalette FPalette;
    std::vector<std::uint32_t> FCells;      // the block of the cell's 64 answers in FAnswers
    std::vector<std::uint16_t> FSmallCells; // the same in half the memory, when it fits
    std::vector<std::uint8_t> FAnswers;     // 64 copies of each entry, then the mixed cells
};

// Exhaustive nearest-colour search; the reference the matcher must equal.
std::uint8_t NearestColourExhaustive(const TPalette& palette, std::uint8_t r, std::uint8_t g,
                                     std::uint8_t b);

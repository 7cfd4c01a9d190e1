#pragma once

#include "imaging/Palette.h"

#include <array>
#include <cstddef>
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
// Rows are matched with the answer of the pixel before reused while the colour stays.
class TColourMatcher {
public:
    explicit TColourMatcher(const TPalette& palette);

    std::uint8_t Nearest(std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
        const std::uint32_t key = KeyOf(r, g, b);
        return FCells16.empty() ? AnswerOf(key, FCells32.data(), FAnswers.data())
                                : AnswerOf(key, FCells16.data(), FAnswers.data());
    }

    static std::uint32_t KeyOf(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return kKeys[0][r] | kKeys[1][g] | kKeys[2][b];
    }

    // The answer for a key, from a cell table in either width and the answer blocks.
    template <typename Cell>
    static std::uint8_t AnswerOf(std::uint32_t key, const Cell* cells,
                                 const std::uint8_t* answers) {
        return answers[std::size_t{cells[key >> 6]} * 64u + (key & 63u)];
    }

    // The nearest entries of `count` 32-bit pixels (blue, green, red, unused) into `out`.
    void NearestRow(const std::uint8_t* bgrx, std::int32_t count, std::uint8_t* out) const;

    // The matcher of that palette, built on first use and kept for the run.
    static const TColourMatcher& For(const TPalette& palette);

    const TPalette& Palette() const { return FPalette; }

private:
    using TColourKeys = std::array<std::array<std::uint32_t, 256>, 3>;

    // A colour's key: the number of its cell (the bits of the three 6-bit channel values
    // interleaved, red highest) above the 6-bit place of the colour in its cell. One table per
    // channel, so a key is three loads and two ors.
    static constexpr TColourKeys kKeys = [] {
        TColourKeys keys{};
        for (std::uint32_t channel = 0; channel < 3; ++channel) {
            const std::uint32_t shift = 2 - channel;
            for (std::uint32_t v = 0; v < 256; ++v) {
                std::uint32_t spread = 0;
                for (std::uint32_t bit = 0; bit < 6; ++bit) {
                    spread |= (((v >> 2) >> bit) & 1u) << (3 * bit);
                }
                keys[channel][v] = ((spread << shift) << 6) | ((v & 3u) << (2 * shift));
            }
        }
        return keys;
    }();

    TPalette FPalette;
    // The block of each cell's 64 answers in FAnswers: in 16 bits when the blocks are few
    // enough (half the memory), else in 32. Exactly one of the two is filled.
    std::vector<std::uint16_t> FCells16;
    std::vector<std::uint32_t> FCells32;
    std::vector<std::uint8_t> FAnswers; // 64 copies of each entry, then the mixed cells
};

// Exhaustive nearest-colour search; the reference the matcher must equal.
std::uint8_t NearestColourExhaustive(const TPalette& palette, std::uint8_t r, std::uint8_t g,
                                     std::uint8_t b);

#pragma once

#include "base/Pixels32.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Rows of 32-bit pixels from the top down, held in blocks of a few megabytes: a picture that
// grows a block at a time (never moved, never doubled, so it holds little more than its pixels)
// and is handed on a block at a time, each block's memory given back once it has been used.
class TRowBlocks {
public:
    explicit TRowBlocks(std::int32_t width = 0);

    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    std::size_t RowBytes() const { return 4 * static_cast<std::size_t>(FWidth); }

    const std::uint8_t* Row(std::int32_t y) const {
        return const_cast<TRowBlocks*>(this)->WritableRow(y);
    }
    // Room for `rows` more rows: raises std::bad_alloc, changing nothing, when there is none.
    // Appending within that room never raises.
    void Reserve(std::int32_t rows);
    // Rows `from` to `to` of the view added at the bottom.
    void Append(const TPixels32View& view, std::int32_t from, std::int32_t to);
    // Keeps the first `rows` rows.
    void Truncate(std::int32_t rows);

    // The rows in blocks, from the top.
    std::size_t BlockCount() const { return FBlocks.size(); }
    std::int32_t BlockRows() const { return FBlockRows; }
    TPixels32View Block(std::size_t index) const;
    // The block's memory given back: its rows are no longer to be read.
    void ReleaseBlock(std::size_t index);

private:
    std::uint8_t* WritableRow(std::int32_t y) {
        return FBlocks[static_cast<std::size_t>(y / FBlockRows)].get() +
               static_cast<std::size_t>(y % FBlockRows) * RowBytes();
    }

    std::int32_t FWidth;
    std::int32_t FBlockRows;
    std::int32_t FHeight = 0;
    std::vector<std::unique_ptr<std::uint8_t[]>> FBlocks;
};

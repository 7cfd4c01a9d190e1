#include "imaging/RowBlocks.h"

#include <algorithm>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Large enough that a block's bookkeeping is nothing, small enough that a page ends within a
// block of its pixels.
constexpr std::size_t kBlockBytes = std::size_t{8} << 20;

} // namespace

TRowBlocks::TRowBlocks(std::int32_t width)
    : FWidth(std::max(width, 0)), FBlockRows(static_cast<std::int32_t>(std::max<std::size_t>(
                                      1, kBlockBytes / std::max<std::size_t>(RowBytes(), 1)))) {}

void TRowBlocks::Reserve(std::int32_t rows) {
    const std::size_t needed =
        (static_cast<std::size_t>(FHeight) + static_cast<std::size_t>(std::max(rows, 0)) +
         static_cast<std::size_t>(FBlockRows) - 1) /
        static_cast<std::size_t>(FBlockRows);
    if (needed <= FBlocks.size()) {
        return;
    }
    std::vector<std::unique_ptr<std::uint8_t[]>> added;
    added.reserve(needed - FBlocks.size());
    FBlocks.reserve(needed);
    const std::size_t bytes = RowBytes() * static_cast<std::size_t>(FBlockRows);
    while (FBlocks.size() + added.size() < needed) {
        added.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(bytes));
    }
    for (auto& block : added) {
        FBlocks.push_back(std::move(block));
    }
}

void TRowBlocks::Append(const TPixels32View& view, std::int32_t from, std::int32_t to) {
    Reserve(to - from);
    for (std::int32_t y = from; y < to; ++y, ++FHeight) {
        std::memcpy(WritableRow(FHeight), view.Row(y), RowBytes());
    }
}

void TRowBlocks::Truncate(std::int32_t rows) {
    FHeight = std::clamp(rows, 0, FHeight);
    FBlocks.resize((static_cast<std::size_t>(FHeight) + static_cast<std::size_t>(FBlockRows) - 1) /
                   static_cast<std::size_t>(FBlockRows));
}

void TRowBlocks::ReleaseBlock(std::size_t index) {
    FBlocks[index].reset();
#if defined(__GLIBC__)
    // glibc keeps a freed block of this size in its heap once it has seen a larger one freed;
    // the page is given back as it is drawn only if the heap is trimmed.
    malloc_trim(0);
#endif
}

TPixels32View TRowBlocks::Block(std::size_t index) const {
    const std::int32_t top = static_cast<std::int32_t>(index) * FBlockRows;
    return {FBlocks[index].get(), FWidth, std::min(FBlockRows, FHeight - top),
            static_cast<std::ptrdiff_t>(RowBytes())};
}

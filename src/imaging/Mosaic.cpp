#include "imaging/Mosaic.h"

#include <algorithm>

namespace {

// Where the block that starts at `start` ends, on a side of the area that ends at `end`: a block
// size on, or at the end when less than half a block would be left after it, so that no block
// is a sliver (a side shorter than a block is one block).
std::int32_t BlockEnd(std::int32_t start, std::int32_t end, std::int32_t blockSize) {
    const std::int64_t next = std::int64_t{start} + blockSize;
    return 2 * (std::int64_t{end} - next) < blockSize ? end : static_cast<std::int32_t>(next);
}

} // namespace

void MosaicPixels32(std::uint8_t* bgrx, std::int32_t width, std::int32_t height,
                    std::ptrdiff_t stride, const TCaptureRegion& area, std::int32_t blockSize) {
    const std::int32_t left = std::max(area.Left, 0), top = std::max(area.Top, 0);
    const std::int32_t right = std::min(area.Right, width), bottom = std::min(area.Bottom, height);
    if (blockSize < 1 || left >= right || top >= bottom) {
        return;
    }
    for (std::int32_t by = area.Top, byEnd; by < bottom; by = byEnd) {
        byEnd = BlockEnd(by, area.Bottom, blockSize);
        const std::int32_t y0 = std::max(by, top), y1 = std::min(byEnd, bottom);
        if (y0 >= y1) {
            continue;
        }
        for (std::int32_t bx = area.Left, bxEnd; bx < right; bx = bxEnd) {
            bxEnd = BlockEnd(bx, area.Right, blockSize);
            const std::int32_t x0 = std::max(bx, left), x1 = std::min(bxEnd, right);
            if (x0 >= x1) {
                continue;
            }
            std::uint64_t sum[3] = {};
            for (std::int32_t y = y0; y < y1; ++y) {
                const std::uint8_t* row = bgrx + y * stride;
                for (std::int32_t x = x0; x < x1; ++x) {
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += row[4 * x + c];
                    }
                }
            }
            const std::uint64_t count = std::uint64_t(y1 - y0) * std::uint64_t(x1 - x0);
            std::uint8_t mean[3];
            for (int c = 0; c < 3; ++c) {
                mean[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
            }
            for (std::int32_t y = y0; y < y1; ++y) {
                std::uint8_t* row = bgrx + y * stride;
                for (std::int32_t x = x0; x < x1; ++x) {
                    row[4 * x] = mean[0], row[4 * x + 1] = mean[1], row[4 * x + 2] = mean[2];
                }
            }
        }
    }
}

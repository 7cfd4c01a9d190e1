#include "imaging/Mosaic.h"

#include <algorithm>

void MosaicPixels32(std::uint8_t* bgrx, std::int32_t width, std::int32_t height,
                    std::ptrdiff_t stride, const TCaptureRegion& area, std::int32_t blockSize) {
    const std::int32_t left = std::max(area.Left, 0), top = std::max(area.Top, 0);
    const std::int32_t right = std::min(area.Right, width), bottom = std::min(area.Bottom, height);
    if (blockSize < 1 || left >= right || top >= bottom) {
        return;
    }
    for (std::int32_t by = area.Top; by < bottom; by += blockSize) {
        const std::int32_t y0 = std::max(by, top), y1 = std::min(by + blockSize, bottom);
        if (y0 >= y1) {
            continue;
        }
        for (std::int32_t bx = area.Left; bx < right; bx += blockSize) {
            const std::int32_t x0 = std::max(bx, left), x1 = std::min(bx + blockSize, right);
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

#pragma once

#include "platform/Display.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

// Pixels that own their rows, packed one after the other top-down (a scrolling capture's page,
// a pinned picture): nothing but the picture itself is held.
class TPixelRows final : public TScreenPixels {
public:
    TPixelRows(std::vector<std::uint8_t> rows, std::int32_t width)
        : FRows(std::move(rows)), FWidth(width) {}

    // A copy of `view`, rows packed.
    static std::shared_ptr<TPixelRows> CopyOf(const TPixels32View& view) {
        const std::size_t rowBytes = 4 * static_cast<std::size_t>(std::max(view.Width, 0));
        std::vector<std::uint8_t> rows(rowBytes *
                                       static_cast<std::size_t>(std::max(view.Height, 0)));
        for (std::int32_t y = 0; y < view.Height && rowBytes > 0; ++y) {
            std::memcpy(rows.data() + rowBytes * static_cast<std::size_t>(y), view.Row(y),
                        rowBytes);
        }
        return std::make_shared<TPixelRows>(std::move(rows), view.Width);
    }

    TPixels32View View() const override {
        const std::ptrdiff_t stride = 4 * std::ptrdiff_t{FWidth};
        return {FRows.data(), FWidth,
                static_cast<std::int32_t>(FRows.size() / std::max<std::ptrdiff_t>(stride, 1)),
                stride};
    }

private:
    std::vector<std::uint8_t> FRows;
    std::int32_t FWidth;
};

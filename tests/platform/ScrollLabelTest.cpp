#include "platform/ScrollLabel.h"

#include <gtest/gtest.h>

namespace {

// A label of 100 x 20 beside rectangles on a monitor of 1280 x 800 at (-1024, 100): never on
// the rectangle, always on the monitor.
TEST(ScrollLabel, BelowAboveRightLeftOrNowhere) {
    const TCaptureRegion monitor{-1024, 100, 256, 900};
    constexpr std::int32_t gap = kScrollLabelGap;
    struct Row {
        const char* what;
        TCaptureRegion rect;
        std::optional<TCaptureRegion> label;
    } rows[] = {
        {"room below", {-900, 200, -500, 600}, TCaptureRegion{-900, 600 + gap, -800, 620 + gap}},
        {"at the bottom edge: above",
         {-900, 500, -500, 900},
         TCaptureRegion{-900, 480 - gap, -800, 500 - gap}},
        {"top to bottom: right",
         {-1024, 100, -500, 900},
         TCaptureRegion{-500 + gap, 100, -400 + gap, 120}},
        {"top to bottom at the right edge: left",
         {-700, 100, 256, 900},
         TCaptureRegion{-800 - gap, 100, -700 - gap, 120}},
        {"below, held within the monitor's right edge",
         {200, 300, 256, 400},
         TCaptureRegion{156, 400 + gap, 256, 420 + gap}},
        {"the monitor's width, one row short of its bottom: nowhere",
         {-1024, 100, 256, 899},
         std::nullopt},
        {"the whole monitor: nowhere", {-1024, 100, 256, 900}, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PlaceScrollLabel(row.rect, monitor, 100, 20), row.label) << row.what;
    }
}

} // namespace

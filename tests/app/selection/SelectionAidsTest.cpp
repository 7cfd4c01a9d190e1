#include "app/selection/SelectionAids.h"

#include <gtest/gtest.h>

namespace {

// At 96 dpi the magnifier is 122 pixels square, the readout 122 x 20 under it, and both stand
// 20 pixels right of and below the pointer where they fit.
TEST(SelectionAids, TheAidsStayOnThePointersMonitorAndOffItsPixel) {
    const std::vector<TMonitor> monitors = {{{0, 0, 640, 480}, 96, true},
                                            {{-800, 100, 0, 700}, 144, false}};
    struct Row {
        TScreenPoint pointer;
        bool magnifier;
        TCaptureRegion panel; // the magnifier and the readout together
    } rows[] = {
        {{100, 100}, true, {120, 120, 242, 262}},  // right of and below the pointer
        {{600, 100}, true, {458, 120, 580, 262}},  // at the right edge: left of it
        {{100, 470}, true, {120, 308, 242, 450}},  // at the bottom: above it
        {{639, 479}, true, {497, 317, 619, 459}},  // in the corner: both
        {{0, 0}, true, {20, 20, 142, 162}},        // the other corner
        {{630, 200}, false, {488, 220, 610, 240}}, // the readout alone
        // Across the border: on the left monitor at 144 dpi, sizes half as large again.
        {{-5, 650}, true, {-217, 408, -35, 620}},
        // Below the primary, beside the taller left monitor: the nearer monitor holds them.
        {{300, 600}, true, {320, 338, 442, 480}},
    };
    for (const Row& row : rows) {
        const TMonitor monitor = MonitorUnder(monitors, row.pointer);
        const TOverlayAids aids = PlaceAids(row.pointer, monitor, row.magnifier, "1, 2");
        const TCaptureRegion panel{aids.Readout.Left,
                                   row.magnifier ? aids.Magnifier.Top : aids.Readout.Top,
                                   aids.Readout.Right, aids.Readout.Bottom};
        EXPECT_EQ(panel, row.panel) << row.pointer.X << "," << row.pointer.Y;
        EXPECT_EQ(Intersection(panel, monitor.Bounds), panel);
        EXPECT_FALSE(Contains(panel, row.pointer));
        EXPECT_EQ(IsEmpty(aids.Magnifier), !row.magnifier);
    }
}

} // namespace

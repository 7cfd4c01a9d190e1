#include "platform/MonitorLayout.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::int64_t Area(const TCaptureRegion& r) {
    return std::int64_t{r.Right - r.Left} * (r.Bottom - r.Top);
}

// A 96-dpi primary monitor, a 144-dpi one left of it and higher (negative coordinates), and a
// third below the primary leaving gaps: physical pixels as the desktop gives them, the scaling
// moving nothing.
const std::vector<TMonitor> kUneven = {{{0, 0, 1920, 1080}, 96, true},
                                       {{-2880, -300, 0, 1320}, 144, false},
                                       {{200, 1080, 1480, 1880}, 96, false}};

TEST(MonitorLayout, TheVirtualScreenHoldsEveryMonitorInPhysicalPixels) {
    EXPECT_EQ(VirtualScreenOf(kUneven), (TCaptureRegion{-2880, -300, 1920, 1880}));
    EXPECT_EQ(VirtualScreenOf({kUneven[0]}), (TCaptureRegion{0, 0, 1920, 1080}));
    EXPECT_EQ(VirtualScreenOf({}), TCaptureRegion{});
}

TEST(MonitorLayout, UncoveredPartsAreTheGapsExactly) {
    struct Row {
        const char* what;
        TCaptureRegion block;
        std::int64_t uncovered;
    } rows[] = {
        {"on one monitor", {10, 10, 50, 50}, 0},
        {"across two, touching", {-100, 100, 100, 200}, 0},
        {"off every monitor", {-5000, -5000, -4000, -4900}, 1000 * 100},
        {"above the primary, right of the left one", {0, -300, 1920, 0}, 1920 * 300},
        {"the whole virtual screen", VirtualScreenOf(kUneven),
         Area(VirtualScreenOf(kUneven)) - 1920 * 1080 - 2880 * 1620 - 1280 * 800},
        {"empty", {5, 5, 5, 9}, 0},
    };
    for (const Row& row : rows) {
        const std::vector<TCaptureRegion> parts = UncoveredParts(row.block, kUneven);
        std::int64_t total = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            total += Area(parts[i]);
            for (const TMonitor& monitor : kUneven) { // no part lies on a monitor
                const TCaptureRegion& m = monitor.Bounds;
                EXPECT_TRUE(parts[i].Right <= m.Left || parts[i].Left >= m.Right ||
                            parts[i].Bottom <= m.Top || parts[i].Top >= m.Bottom)
                    << row.what;
            }
            for (std::size_t j = 0; j < i; ++j) { // nor on another part
                EXPECT_TRUE(parts[i].Right <= parts[j].Left || parts[i].Left >= parts[j].Right ||
                            parts[i].Bottom <= parts[j].Top || parts[i].Top >= parts[j].Bottom)
                    << row.what;
            }
        }
        EXPECT_EQ(total, row.uncovered) << row.what;
    }
}

} // namespace

namespace {

TEST(MonitorLayout, AWindowIsTakenByItsVisibleFrame) {
    const TCaptureRegion rect{93, 40, 707, 547}; // with 7 pixels of invisible border
    const TCaptureRegion monitor{0, 0, 1280, 800};
    struct Row {
        const char* what;
        std::optional<TCaptureRegion> bounds;
        std::optional<TCaptureRegion> maximisedOn;
        TCaptureRegion taken;
    } rows[] = {
        {"the compositor's frame",
         TCaptureRegion{100, 40, 700, 540},
         std::nullopt,
         {100, 40, 700, 540}},
        {"none given (Wine, classic)", std::nullopt, std::nullopt, rect},
        {"an empty one given", TCaptureRegion{5, 5, 5, 5}, std::nullopt, rect},
        {"maximised: its part on its monitor", TCaptureRegion{-8, -8, 1288, 808}, monitor, monitor},
        {"maximised without a frame", std::nullopt, monitor, {93, 40, 707, 547}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(VisibleFrame(row.bounds, rect, row.maximisedOn), row.taken) << row.what;
    }
}

} // namespace

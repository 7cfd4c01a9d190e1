#include "app/marks/MarkToolbar.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(MarkToolbar, BesideTheSelectionWithinItsMonitorScaledAndWithATip) {
    const TMonitor monitor{{0, 0, 1920, 1080}, 96, true};
    struct Row {
        TCaptureRegion selection;
        TMonitor monitor;
        std::int32_t top, right; // of the toolbar
        bool twoRows = false;
    } rows[] = {
        {{100, 50, 1300, 500}, monitor, 506, 1300},  // below, right-aligned
        {{100, 50, 1300, 1070}, monitor, 18, 1300},  // above where below has no room
        {{100, 0, 1300, 1080}, monitor, 1048, 1300}, // inside its lower edge
        {{1900, 50, 2500, 500}, monitor, 506, 1920}, // held within the monitor
        {{10, 10, 20, 20}, monitor, 26, -1},         // left-aligned to the monitor
        // Twice the size: too wide for the monitor, its groups wrap onto a second row.
        {{100, 50, 1900, 500}, {monitor.Bounds, 192, true}, 512, 1900, true},
    };
    for (const Row& row : rows) {
        const std::vector<TToolbarButton> buttons = PlaceToolbar(row.selection, row.monitor);
        ASSERT_EQ(buttons.size(), 22u);
        EXPECT_EQ(buttons.front().Box.Top, row.top) << row.selection.Right;
        std::int32_t right = 0;
        for (const TToolbarButton& button : buttons) {
            right = std::max(right, button.Box.Right);
        }
        EXPECT_EQ(buttons.back().Box.Top > buttons.front().Box.Top, row.twoRows);
        if (row.right >= 0) {
            EXPECT_EQ(right, row.right) << row.selection.Right;
        } else {
            EXPECT_EQ(buttons.front().Box.Left, 0);
        }
        EXPECT_EQ(buttons.back().Box.Bottom - buttons.back().Box.Top, row.monitor.Dpi / 96 * 26);
    }
    const std::vector<TToolbarButton> buttons = PlaceToolbar({100, 50, 1300, 500}, monitor);
    EXPECT_EQ(ButtonAt(buttons, {buttons[3].Box.Left, buttons[3].Box.Top}), 3u);
    EXPECT_EQ(ButtonAt(buttons, {buttons[3].Box.Right, buttons[3].Box.Top}), std::nullopt);

    const TOverlayAids aids = ToolbarAids(buttons, TMarkTool::Mosaic, 0x107C10, 16, monitor);
    EXPECT_EQ(aids.Buttons[0].Label, "選択");
    EXPECT_EQ(aids.Buttons[1].Label, "枠");
    EXPECT_TRUE(aids.Buttons[9].Chosen && aids.Buttons[12].Chosen); // mosaic, green
    EXPECT_FALSE(aids.Buttons[0].Chosen);
    EXPECT_EQ(aids.Buttons[12].Face, 0x107C10u);
    EXPECT_EQ(aids.TipText, "元に戻す (Ctrl+Z)");
    EXPECT_EQ(aids.Tip.Top, buttons[16].Box.Bottom + 4);
    EXPECT_TRUE(ToolbarAids(buttons, std::nullopt, 0, std::nullopt, monitor).Buttons[0].Chosen);
    // It fits beside a selection on a 1280 x 800 monitor.
    const std::vector<TToolbarButton> small =
        PlaceToolbar({0, 0, 1280, 700}, {{0, 0, 1280, 800}, 96, true});
    EXPECT_GE(small.front().Box.Left, 0);
    EXPECT_EQ(ButtonOfKey('Z', true)->Action, TToolbarAction::TakeBack);
    EXPECT_EQ(ButtonOfKey('Z', false), std::nullopt); // the magnifier's key needs Ctrl here
    EXPECT_EQ(ButtonOfKey(kKeyF1 + 2, false)->Action, TToolbarAction::Pin);
    EXPECT_EQ(ButtonOfKey(kKeyF1 + 3, false)->Action, TToolbarAction::ReadText);
    EXPECT_EQ(ButtonOfKey('H', false)->Index, static_cast<int>(TMarkTool::Highlighter));
}

} // namespace

#include "app/marks/MarkedPicture.h"

#include "app/marks/MarkGeometry.h"
#include "support/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

TMark Mark(TMarkTool tool, TScreenPoint from, TScreenPoint to, std::uint32_t colour = 0xE81123) {
    return {tool, colour, from, to, {}, 0, {}};
}

std::vector<std::uint8_t> Pixels(const TMarkedPicture& picture) {
    const TPixels32View view = picture.View();
    return {view.Data, view.Data + view.Stride * view.Height};
}

// A change painted again only where the mark was and now is gives, pixel for pixel, what
// painting every mark on the whole selection gives: however the marks overlap, a mosaic's
// blocks averaging what lies under them.
TEST(MarkedPicture, AChangePaintedWhereItTouchesIsAsAllPaintedAnew) {
    THeadlessPlatform platform;
    platform.ScreenW = 320, platform.ScreenH = 240;
    platform.PaintScreen([](int x, int y) { return std::uint32_t(x * 7 ^ y * 13) * 0x10101u; });
    const auto snapshot = platform.GrabScreen(0, 0, 320, 240);
    const TCaptureRegion selection{20, 10, 300, 220};
    const TMarkStyle style;
    TMark pen = Mark(TMarkTool::Pen, {40, 150}, {120, 190});
    pen.Points = {{40, 150}, {60, 170}, {70, 160}, {120, 190}};
    TMark text = Mark(TMarkTool::Text, {200, 40}, {200, 40}, 0x0078D7);
    text.Text = "abc";
    const std::vector<TMark> marks = {
        Mark(TMarkTool::Frame, {30, 20}, {150, 100}),
        Mark(TMarkTool::Highlighter, {100, 60}, {180, 130}),
        Mark(TMarkTool::Mosaic, {120, 80}, {200, 150}),
        Mark(TMarkTool::Arrow, {40, 200}, {250, 30}, 0x107C10),
        Mark(TMarkTool::Ellipse, {160, 100}, {290, 210}, 0x0078D7),
        Mark(TMarkTool::Line, {25, 215}, {295, 215}),
        pen,
        text,
        Mark(TMarkTool::Mosaic, {190, 30}, {230, 70}),
    };
    const auto move = [](std::size_t index, std::int32_t dx, std::int32_t dy) {
        return [=](std::vector<TMark>& m) {
            m[index] = Moved(m[index], dx, dy, {20, 10, 300, 220});
        };
    };
    struct Row {
        const char* what;
        std::function<void(std::vector<TMark>&)> change;
        std::size_t index;
    } rows[] = {
        {"the frame moved across the mosaic", move(0, 60, 40), 0},
        {"the mosaic moved, under the arrow", move(2, -50, 30), 2},
        {"the highlighter under the mosaic recoloured in place",
         [](std::vector<TMark>& m) {
             m[1].To = {190, 140};
         },
         1},
        {"the pen moved onto the line", move(6, 30, 20), 6},
        {"the ellipse resized",
         [](std::vector<TMark>& m) {
             m[4] = Resized(m[4], 0, {100, 50}, false);
         },
         4},
        {"the text moved under the small mosaic", move(7, -5, 5), 7},
        {"the arrow recoloured", [](std::vector<TMark>& m) { m[3].Colour = 0xFFB900; }, 3},
    };
    for (const Row& row : rows) {
        std::vector<TMark> changed = marks;
        row.change(changed);
        TMarkedPicture picture(*snapshot, selection, std::nullopt);
        picture.Repaint(marks, {selection}, style, platform);
        std::vector<TCaptureRegion> areas = AreasOf(marks[row.index], style, platform);
        for (const TCaptureRegion& area : AreasOf(changed[row.index], style, platform)) {
            areas.push_back(area);
        }
        picture.Repaint(changed, areas, style, platform);
        TMarkedPicture anew(*snapshot, selection, std::nullopt);
        anew.Repaint(changed, {selection}, style, platform);
        EXPECT_TRUE(Pixels(picture) == Pixels(anew)) << row.what;
    }
}

} // namespace

#include "app/marks/MarkGeometry.h"

#include <gtest/gtest.h>

namespace {

TMark Mark(TMarkTool tool, TScreenPoint from, TScreenPoint to,
           std::vector<TScreenPoint> points = {}) {
    return {tool, kMarkColours[0], from, to, {}, 0, std::move(points)};
}

// A press takes a mark on its stroke or within 4 pixels of it (the line 3 wide), or anywhere
// inside a filled mark, and nothing else: not the inside of a frame or an ellipse.
TEST(MarkGeometry, APressTakesAMarkByItsStrokeOrInsideAFilledOne) {
    const TMarkStyle style;
    const TMark frame = Mark(TMarkTool::Frame, {100, 100}, {199, 159});
    const TMark arrow = Mark(TMarkTool::Arrow, {100, 100}, {200, 100});
    const TMark line = Mark(TMarkTool::Line, {100, 100}, {200, 100});
    const TMark pen =
        Mark(TMarkTool::Pen, {100, 100}, {140, 100}, {{100, 100}, {120, 110}, {140, 100}});
    const TMark ellipse = Mark(TMarkTool::Ellipse, {100, 100}, {199, 159});
    const TMark mosaic = Mark(TMarkTool::Mosaic, {100, 100}, {199, 159});
    const TMark step = Mark(TMarkTool::Step, {150, 130}, {150, 130});
    TMark text = Mark(TMarkTool::Text, {150, 130}, {150, 130});
    text.Text = "ab";
    const TCaptureRegion letters{150, 130, 170, 150};
    struct Row {
        const char* what;
        const TMark& mark;
        TScreenPoint at;
        bool hit;
    } rows[] = {
        {"a frame's stroke", frame, {100, 130}, true},
        {"4 px outside it", frame, {96, 130}, true},
        {"5 px outside it", frame, {95, 130}, false},
        {"4 px inside its stroke", frame, {106, 130}, true},
        {"the frame's hole", frame, {107, 130}, false},
        {"an arrow's line", arrow, {150, 100}, true},
        {"4 px beside it", arrow, {150, 105}, true},
        {"5 px beside it", arrow, {150, 106}, false},
        {"beside its head", arrow, {195, 108}, true},
        {"beyond its point", arrow, {206, 100}, false},
        {"a line's end, 4 px on", line, {204, 100}, true},
        {"a line, 5 px beside", line, {150, 106}, false},
        {"a pen's corner", pen, {120, 110}, true},
        {"below the pen", pen, {120, 116}, false},
        {"an ellipse's stroke", ellipse, {101, 130}, true},
        {"4 px outside the ellipse", ellipse, {97, 130}, true},
        {"7 px outside it", ellipse, {94, 130}, false},
        {"the ellipse's middle", ellipse, {150, 130}, false},
        {"inside a mosaic", mosaic, {150, 130}, true},
        {"beside a mosaic", mosaic, {98, 130}, false},
        {"a step's circle", step, {160, 138}, true},
        {"beside it", step, {165, 140}, false},
        {"a text's letters", text, {165, 145}, true},
        {"beside them", text, {171, 145}, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(HitsMark(row.mark, row.at, style, letters), row.hit) << row.what;
    }
}

TEST(MarkGeometry, HandlesMoveTheirCornerEdgeOrEndAndShiftSquaresThem) {
    const TMarkStyle style;
    const TMark frame = Mark(TMarkTool::Frame, {199, 159}, {100, 100}); // dragged up and left
    EXPECT_EQ(HandlePoints(frame), (std::vector<TScreenPoint>{{100, 100},
                                                              {149, 100},
                                                              {199, 100},
                                                              {199, 129},
                                                              {199, 159},
                                                              {149, 159},
                                                              {100, 159},
                                                              {100, 129}}));
    EXPECT_EQ(HandlePoints(Mark(TMarkTool::Line, {1, 2}, {3, 4})),
              (std::vector<TScreenPoint>{{1, 2}, {3, 4}}));
    EXPECT_TRUE(HandlePoints(Mark(TMarkTool::Pen, {1, 2}, {3, 4}, {{1, 2}, {3, 4}})).empty());
    EXPECT_EQ(HandleAt(frame, {203, 163}, style), 4); // within the handle's box and a pixel
    EXPECT_EQ(HandleAt(frame, {204, 163}, style), std::nullopt);

    struct Row {
        const char* what;
        TMark mark;
        int handle;
        TScreenPoint to;
        bool shift;
        TScreenPoint from, end; // of the result
    } rows[] = {
        {"the bottom-right corner", frame, 4, {250, 170}, false, {100, 100}, {250, 170}},
        {"the top edge only", frame, 1, {300, 80}, false, {100, 80}, {199, 159}},
        {"the left edge past the right", frame, 7, {220, 0}, false, {220, 100}, {199, 159}},
        {"a square from the corner that stays", frame, 0, {150, 60}, true, {150, 110}, {199, 159}},
        {"a line's end",
         Mark(TMarkTool::Line, {10, 10}, {50, 50}),
         1,
         {60, 30},
         false,
         {10, 10},
         {60, 30}},
        {"level with Shift",
         Mark(TMarkTool::Line, {10, 10}, {50, 50}),
         1,
         {60, 14},
         true,
         {10, 10},
         {60, 10}},
    };
    for (const Row& row : rows) {
        const TMark resized = Resized(row.mark, row.handle, row.to, row.shift);
        EXPECT_EQ(resized.From, row.from) << row.what;
        EXPECT_EQ(resized.To, row.end) << row.what;
    }
    // Shift keeps a line at 45 degrees and a box square, within what was dragged.
    EXPECT_EQ(Constrained(TMarkTool::Line, {0, 0}, {30, 25}), (TScreenPoint{25, 25}));
    EXPECT_EQ(Constrained(TMarkTool::Line, {0, 0}, {-5, 30}), (TScreenPoint{0, 30}));
    EXPECT_EQ(Constrained(TMarkTool::Ellipse, {0, 0}, {-30, 20}), (TScreenPoint{-20, 20}));
    EXPECT_EQ(Constrained(TMarkTool::Arrow, {0, 0}, {30, 25}), (TScreenPoint{30, 25}));
    // A move stops where the mark's points meet the selection's edge.
    const TMark moved = Moved(Mark(TMarkTool::Pen, {10, 10}, {20, 5}, {{10, 10}, {20, 5}}), 100,
                              -100, {0, 0, 100, 100});
    EXPECT_EQ(moved.Points, (std::vector<TScreenPoint>{{89, 5}, {99, 0}}));
    EXPECT_EQ(moved.From, (TScreenPoint{89, 5}));
}

} // namespace

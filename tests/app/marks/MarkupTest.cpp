#include "app/marks/Markup.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TMark Mark(TMarkTool tool, TScreenPoint from, TScreenPoint to = {}) {
    return {tool, 0, from, tool == TMarkTool::Step ? from : to, {}, 0, {}};
}

// Each change is one step: taken back, the marks are as before it; put back, as after it.
TEST(Markup, EachChangeIsOneStepTakenBackAndPutBackExactly) {
    struct Row {
        const char* what;
        std::function<void(TMarkup&)> change;
    } rows[] = {
        {"a frame placed, held within the selection",
         [](TMarkup& m) {
             m.Place(Mark(TMarkTool::Frame, {90, 40}, {400, 199}));
         }},
        {"moved",
         [](TMarkup& m) {
             m.Change(0, Mark(TMarkTool::Frame, {130, 60}, {150, 80}));
         }},
        {"recoloured",
         [](TMarkup& m) {
             TMark step = m.Marks()[1];
             step.Colour = kMarkColours[2];
             m.Change(1, step);
         }},
        {"the first step deleted: the second keeps its number", [](TMarkup& m) { m.Delete(1); }},
        {"a new step takes the number after the highest",
         [](TMarkup& m) {
             m.Place(Mark(TMarkTool::Step, {200, 90}));
         }},
        {"a pen's points held within",
         [](TMarkup& m) {
             TMark pen = Mark(TMarkTool::Pen, {110, 60}, {500, 60});
             pen.Points = {{110, 60}, {500, 60}};
             m.Place(pen);
         }},
    };
    TMarkup markup({100, 50, 300, 200});
    markup.Place(Mark(TMarkTool::Frame, {110, 60}, {130, 80}));
    markup.Place(Mark(TMarkTool::Step, {150, 70}));
    markup.Place(Mark(TMarkTool::Step, {170, 70}));
    for (const Row& row : rows) {
        const std::vector<TMark> before = markup.Marks();
        row.change(markup);
        const std::vector<TMark> after = markup.Marks();
        ASSERT_TRUE(markup.TakeBack()) << row.what;
        EXPECT_EQ(markup.Marks(), before) << row.what;
        ASSERT_TRUE(markup.PutBack()) << row.what;
        EXPECT_EQ(markup.Marks(), after) << row.what;
    }
    const std::vector<TMark>& marks = markup.Marks();
    ASSERT_EQ(marks.size(), 5u);
    EXPECT_EQ(marks[0].From, (TScreenPoint{130, 60})); // moved, in its place among the marks
    EXPECT_EQ(marks[1].Step, 2);
    EXPECT_EQ(marks[2].From, (TScreenPoint{100, 50})); // the frame placed, held at the edge
    EXPECT_EQ(marks[2].To, (TScreenPoint{299, 199}));
    EXPECT_EQ(marks[3].Step, 3);
    EXPECT_EQ(marks[4].Points.back(), (TScreenPoint{299, 60}));
    EXPECT_EQ(markup.NextStep(), 4);

    // A change made after taking back ends what could be put back.
    markup.TakeBack();
    markup.Delete(0);
    EXPECT_FALSE(markup.PutBack());
    while (markup.TakeBack()) {
    }
    EXPECT_TRUE(markup.Marks().empty());
    EXPECT_EQ(markup.NextStep(), 1);
}

} // namespace

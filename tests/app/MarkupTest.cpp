#include "app/Markup.h"

#include <gtest/gtest.h>

namespace {

TEST(Markup, MarksArePlacedWithinTheSelectionTakenBackAndPutBackStepsInOrder) {
    TMarkup markup({100, 50, 300, 200});
    // Points beyond the selection are held at its edge (the last pixel inside).
    const TMark& frame =
        markup.Place({TMarkTool::Frame, kMarkColours[0], {90, 40}, {400, 199}, {}, 0});
    EXPECT_EQ(frame.From, (TScreenPoint{100, 50}));
    EXPECT_EQ(frame.To, (TScreenPoint{299, 199}));
    EXPECT_EQ(markup.Place({TMarkTool::Step, kMarkColours[1], {120, 60}, {120, 60}, {}, 0}).Step,
              1);
    EXPECT_EQ(markup.Place({TMarkTool::Step, kMarkColours[1], {140, 60}, {140, 60}, {}, 0}).Step,
              2);
    EXPECT_EQ(
        markup.Place({TMarkTool::Text, kMarkColours[0], {150, 70}, {150, 70}, "見て", 0}).Step, 0);

    // Take back the text and the second step; the next step is 2 again.
    EXPECT_TRUE(markup.TakeBack());
    EXPECT_TRUE(markup.TakeBack());
    EXPECT_EQ(markup.Marks().size(), 2u);
    EXPECT_EQ(markup.NextStep(), 2);
    // Put back: in the order taken back, the last first, with their numbers.
    EXPECT_TRUE(markup.PutBack());
    EXPECT_EQ(markup.Marks().back().Step, 2);
    // A new mark ends what can be put back.
    markup.Place({TMarkTool::Mosaic, 0, {200, 100}, {250, 150}, {}, 0});
    EXPECT_FALSE(markup.PutBack());
    EXPECT_EQ(markup.Marks().size(), 4u);
    while (markup.TakeBack()) {
    }
    EXPECT_TRUE(markup.Marks().empty());
    EXPECT_EQ(markup.NextStep(), 1);
}

} // namespace

#include "support/MarkupFixture.h"

#include "base/Texts.h"
#include "support/BmpReader.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

constexpr std::uint32_t kRed = 0xE81123, kBlue = 0x0078D7;

using MarkupModeTest = TMarkupFixture;

TEST_F(MarkupModeTest, MarksDrawnTakenBackAndPutBackAreSavedAsShownByEnter) {
    ASSERT_TRUE((Form.Marks() != nullptr));
    EXPECT_TRUE(Platform.Visible);
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{100, 50, 300, 200}));
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Native("pics"))); // nothing saved at release
    ASSERT_EQ(Platform.Aids.Buttons.size(), 22u);
    EXPECT_TRUE(Platform.Aids.Buttons[1].Chosen); // the frame, chosen when the toolbar appears
    EXPECT_EQ(Platform.Aids.Buttons[0].Box.Top, 206);

    Drag(110, 60, 150, 100); // a frame: only its edges are painted again
    std::int64_t painted = 0;
    for (const TCaptureRegion& r : Platform.MarksChanged) {
        painted += std::int64_t{r.Right - r.Left} * (r.Bottom - r.Top);
    }
    EXPECT_EQ(painted, 4 * 3 * 41 - 4 * 9);
    Key('M');
    Drag(219, 119, 200, 100); // a mosaic dragged up and left: two blocks of ten each way
    Key('N');
    Click(250, 150); // step 1, as the stand-in draws it: the square around its circle
    Key('Z', ssCtrl);
    Key('Y', ssCtrl);
    Key('Z', ssCtrl);
    ASSERT_EQ(Form.Marks()->Marks().size(), 2u);
    EXPECT_EQ(Form.Marks()->NextStep(), 1);
    Key('N');
    Click(299, 199); // a step at the corner, cut to the selection
    EXPECT_EQ(Form.Marks()->Marks().back().Step, 1);

    // What the overlay shows over the selection, as the file must hold it.
    const TPixels32View view = Platform.Marks->View();
    ASSERT_EQ(view.Width, 200);
    const std::vector<std::uint8_t> shown(view.Data, view.Data + view.Stride * view.Height);
    Key(kKeyEnter);
    EXPECT_FALSE((Form.Marks() != nullptr));
    EXPECT_FALSE(Platform.Visible);
    const TBmpFile file = ReadBmp(Folder.ReadNative("pics/0001.bmp"));
    ASSERT_EQ(file.Width, 200);
    ASSERT_EQ(file.Height, 150);
    const auto mean = [this](int bx, int by) {
        std::uint32_t sum[3] = {};
        for (int y = by; y < by + 10; ++y) {
            for (int x = bx; x < bx + 10; ++x) {
                for (int c = 0; c < 3; ++c) {
                    sum[c] += Screen(x, y) >> (8 * c) & 0xFF;
                }
            }
        }
        return (sum[0] + 50) / 100 | (sum[1] + 50) / 100 << 8 | (sum[2] + 50) / 100 << 16;
    };
    for (int y = 50; y < 200; ++y) {
        for (int x = 100; x < 300; ++x) {
            const bool frame = x >= 110 && x <= 150 && y >= 60 && y <= 100 &&
                               !(x >= 113 && x <= 147 && y >= 63 && y <= 97);
            const bool mosaic = x >= 200 && x < 220 && y >= 100 && y < 120;
            const bool step = x >= 286 && y >= 186;
            const std::uint32_t wanted = frame    ? kRed
                                         : mosaic ? mean(x / 10 * 10, y / 10 * 10)
                                         : step   ? kRed
                                                  : Screen(x, y);
            ASSERT_EQ(file.Pixel(x - 100, y - 50), wanted) << x << "," << y;
            std::uint32_t onScreen;
            std::memcpy(&onScreen, &shown[std::size_t(y - 50) * 800 + 4 * (x - 100)], 4);
            ASSERT_EQ(onScreen & 0xFFFFFF, wanted) << x << "," << y;
        }
    }
}

TEST_F(MarkupModeTest, TextIsTypedInTheBoxAndAColourIsChosenOnTheToolbar) {
    const auto blue = std::find_if(Platform.Aids.Buttons.begin(), Platform.Aids.Buttons.end(),
                                   [](const auto& b) { return b.Face == kBlue; });
    ASSERT_NE(blue, Platform.Aids.Buttons.end());
    Click(blue->Box.Left + 2, blue->Box.Top + 2);
    EXPECT_TRUE(
        std::find_if(Platform.Aids.Buttons.begin(), Platform.Aids.Buttons.end(), [](const auto& b) {
            return b.Face == kBlue;
        })->Chosen);
    Key('T');
    Click(120, 70);
    ASSERT_TRUE(Platform.TextEntry);
    EXPECT_EQ(Platform.TextEntry->At, (TScreenPoint{120, 70}));
    EXPECT_EQ(Platform.TextEntry->Width, 180); // to the selection's right edge
    EXPECT_EQ(Platform.TextEntry->Colour, kBlue);
    Platform.TextEntry->Typed = "見て";
    Click(200, 150); // a click elsewhere ends the text, and starts no other
    EXPECT_FALSE(Platform.TextEntry);
    ASSERT_EQ(Form.Marks()->Marks().size(), 1u);
    EXPECT_EQ(Form.Marks()->Marks()[0],
              (TMark{TMarkTool::Text, kBlue, {120, 70}, {120, 70}, "見て", 0, {}}));
    // A click on the text opens it again with its words; new ones are one step.
    Click(130, 80);
    ASSERT_TRUE(Platform.TextEntry);
    EXPECT_EQ(Platform.TextEntry->At, (TScreenPoint{120, 70}));
    EXPECT_EQ(Platform.TextEntry->Typed, "見て");
    Platform.TextEntry->Typed = "見た";
    Platform.TextEntryDone();
    EXPECT_EQ(Form.Marks()->Marks()[0].Text, "見た");
    Key('Z', ssCtrl);
    EXPECT_EQ(Form.Marks()->Marks()[0].Text, "見て");
    Click(130, 100); // Esc in the box empties it: no mark
    Platform.TextEntryDone();
    EXPECT_FALSE(Platform.TextEntry);
    EXPECT_EQ(Form.Marks()->Marks().size(), 1u);
    // A click on the save button while typing ends the text and saves it with the rest.
    Click(130, 100);
    Platform.TextEntry->Typed = "ok";
    const auto save = std::find_if(Platform.Aids.Buttons.begin(), Platform.Aids.Buttons.end(),
                                   [](const auto& b) { return b.Label == "保存"; });
    ASSERT_NE(save, Platform.Aids.Buttons.end());
    Click(save->Box.Left + 2, save->Box.Top + 2);
    EXPECT_FALSE((Form.Marks() != nullptr));
    // The stand-in draws "ok" 20 x 20 from (130, 100), below the first text's 60 x 20.
    const TBmpFile file = ReadBmp(Folder.ReadNative("pics/0001.bmp"));
    EXPECT_EQ(file.Pixel(40, 55), kBlue);
    EXPECT_EQ(file.Pixel(50, 55), Screen(150, 105));
}

// The select tool and the handles, each change one step: the file holds the frame as it ends.
TEST_F(MarkupModeTest, AFrameIsMovedRecolouredResizedAndAnotherDeleted) {
    Drag(110, 60, 150, 100);
    EXPECT_EQ(Platform.Aids.Handles.size(), 8u); // the mark just drawn is selected
    Key('V');
    Drag(111, 70, 131, 80); // by its left edge, between two handles
    Key('2');               // blue
    Drag(150, 90, 250, 90); // drawing nothing in the select tool: on no mark, it lets go
    EXPECT_TRUE(Platform.Aids.Handles.empty());
    Key(kKeyTab);
    Drag(170, 110, 190, 130); // its bottom-right handle
    Key('F');
    Drag(200, 150, 250, 190);
    Key(kKeyDelete);
    Key(kKeyTab, ssShift); // the last one: the frame again
    Key(kKeyRight, ssShift);
    Key('Z', ssCtrl); // the nudge taken back
    ASSERT_EQ(Form.Marks()->Marks().size(), 1u);
    const TMark frame = Form.Marks()->Marks()[0];
    EXPECT_EQ(frame.Colour, kBlue);
    EXPECT_EQ(DraggedBox(frame), (TCaptureRegion{130, 70, 191, 131}));
    // Taken back one by one: the deletion, the second frame, the resize, the colour, the move.
    const TCaptureRegion boxes[] = {{130, 70, 191, 131},
                                    {130, 70, 191, 131},
                                    {130, 70, 171, 111},
                                    {130, 70, 171, 111},
                                    {110, 60, 151, 101}};
    std::size_t counts[] = {2, 1, 1, 1, 1};
    for (int i = 0; i < 5; ++i) {
        Key('Z', ssCtrl);
        ASSERT_EQ(Form.Marks()->Marks().size(), counts[i]) << i;
        EXPECT_EQ(DraggedBox(Form.Marks()->Marks()[0]), boxes[i]) << i;
    }
    EXPECT_EQ(Form.Marks()->Marks()[0].Colour, kRed);
    for (int i = 0; i < 5; ++i) {
        Key('Y', ssCtrl);
    }
    Key(kKeyEnter);
    const TBmpFile file = ReadBmp(Folder.ReadNative("pics/0001.bmp"));
    for (int y = 50; y < 200; ++y) {
        for (int x = 100; x < 300; ++x) {
            const bool edge = x >= 130 && x <= 190 && y >= 70 && y <= 130 &&
                              !(x >= 133 && x <= 187 && y >= 73 && y <= 127);
            ASSERT_EQ(file.Pixel(x - 100, y - 50), edge ? kBlue : Screen(x, y)) << x << "," << y;
        }
    }
}

TEST_F(MarkupModeTest, ATextBoxThatCannotBeMadeIsToldAndTheNextClickMarks) {
    Platform.TextEntryFails = true;
    Key('T');
    Click(120, 70);
    EXPECT_EQ(Platform.ErrorBoxes,
              std::vector<std::string>{Text(TText::OutOfSystemResources) + "."});
    EXPECT_TRUE(Form.Marks()->Marks().empty());
    Key('N');
    Click(150, 90);
    ASSERT_EQ(Form.Marks()->Marks().size(), 1u);
    EXPECT_EQ(Form.Marks()->Marks()[0].Tool, TMarkTool::Step);
}

TEST_F(MarkupModeTest, EscAndADeclinedQuestionSaveNothingAndRequestsWait) {
    Form.Settings().IsUpdate = true;
    Folder.WriteNative("pics/0001.bmp", "old");
    Drag(110, 60, 150, 100);
    Platform.PostedCaptureNow(); // the marks' own save is the only one while they are up
    Platform.Answer(mrNo);
    Key(kKeyEnter);
    EXPECT_TRUE((Form.Marks() != nullptr)); // declined: the marks stay for another try
    EXPECT_EQ(Folder.ReadNative("pics/0001.bmp"), "old");
    EXPECT_EQ(Platform.Boxes.size(), 1u);
    Key(kKeyEscape);
    EXPECT_FALSE((Form.Marks() != nullptr));
    EXPECT_FALSE(Platform.Visible);
    EXPECT_EQ(Form.Capture().Region(),
              (TCaptureRegion{100, 50, 300, 200})); // as the release chose it
    EXPECT_EQ(Folder.ReadNative("pics/0001.bmp"), "old");
    EXPECT_EQ(Platform.Boxes.size(), 1u);
}

} // namespace

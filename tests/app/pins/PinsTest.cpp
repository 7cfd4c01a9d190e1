#include "support/MarkupFixture.h"

#include "base/Texts.h"
#include "support/BmpReader.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

namespace {

TEST(PinSteps, ZoomAndOpacityStepWithinTheirLimits) {
    struct Row {
        int percent, steps;
        std::int32_t width;
        int zoom;
    } zooms[] = {
        {100, 1, 50, 125},    {100, -1, 50, 75},   {100, 3, 50, 200},   {125, -1, 50, 100},
        {800, 1, 50, 800},    {10, -1, 50, 10},    {100, -20, 50, 10},  {100, 20, 50, 800},
        {33, 1, 50, 50},      {40, 1, 50, 50},     {900, -1, 50, 800},  {100, 20, 4000, 800},
        {100, 20, 5000, 600}, {600, 1, 5000, 600}, {700, 1, 5000, 700}, // 800 % of 5,000 px is no
                                                                        // window's side
    };
    for (const Row& row : zooms) {
        EXPECT_EQ(NextPinZoom(row.percent, row.steps, row.width, 10), row.zoom)
            << row.percent << " by " << row.steps << " at " << row.width;
        EXPECT_EQ(NextPinZoom(row.percent, row.steps, 10, row.width), row.zoom);
    }
    EXPECT_EQ(ZoomedSide(3, 10), 1); // never less than a pixel
    EXPECT_EQ(ZoomedSide(201, 33), 66);
    EXPECT_EQ(ZoomedSide(200, 125), 250);

    const int opacities[][3] = {{100, 1, 100}, {100, -1, 90}, {100, -9, 20},
                                {20, -1, 20},  {20, 2, 40},   {90, 3, 100}};
    for (const auto& [percent, steps, opacity] : opacities) {
        EXPECT_EQ(NextPinOpacity(percent, steps), opacity) << percent << " by " << steps;
    }
    // The point under the pointer stays under it.
    EXPECT_EQ(ZoomAround({100, 50, 300, 200}, {150, 100}, 400, 300),
              (TCaptureRegion{50, 0, 450, 300}));
    EXPECT_EQ(ZoomAround({100, 50, 300, 200}, {300, 200}, 100, 75),
              (TCaptureRegion{200, 125, 300, 200}));
}

constexpr std::uint32_t kRed = 0xE81123;

// A frame marked in the selection (100, 50)-(300, 200) of a 640 x 480 screen, to be pinned.
class PinsTest : public TMarkupFixture {
protected:
    PinsTest() { Drag(110, 60, 150, 100); }
    void PinKey(TPinId pin, TKeyCode key, TShiftState shift = 0) {
        Platform.PinEvent({TPinEventKind::Key, pin, key, shift, 0, {}});
    }
    // The frame's pixel, or the screen's.
    std::uint32_t Wanted(int x, int y) const {
        const bool frame = x >= 110 && x <= 150 && y >= 60 && y <= 100 &&
                           !(x >= 113 && x <= 147 && y >= 63 && y <= 97);
        return frame ? kRed : Pattern(x, y);
    }
};

TEST_F(PinsTest, F3PinsTheMarksWhereTheyWereAndCtrlSSavesTheNextFile) {
    Form.Capture().SetSerialNo(7);
    Platform.Key(kKeyF1 + 2);
    EXPECT_FALSE((Form.Marks() != nullptr));
    EXPECT_FALSE(Platform.Visible);
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{100, 50, 300, 200}));
    EXPECT_EQ(Form.Capture().SerialNo(), 7);
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Native("pics")));
    EXPECT_TRUE(Platform.PinsItem);
    ASSERT_EQ(Platform.PinWindows.Windows.size(), 1u);
    const auto& [pin, window] = *Platform.PinWindows.Windows.begin();
    EXPECT_EQ(window.At, (TScreenPoint{100, 50}));
    const std::weak_ptr<const TPixelRows> held = window.Picture;

    Platform.PaintScreen([](int, int) { return 0x123456u; }); // the screen changes under it
    const int grabs = Platform.Grabs;
    PinKey(pin, 'S', ssCtrl);
    EXPECT_EQ(Form.Capture().SerialNo(), 8);
    const TBmpFile file = ReadBmp(Folder.ReadNative("pics/0007.bmp"));
    ASSERT_EQ(file.Width, 200);
    ASSERT_EQ(file.Height, 150);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(file.Pixel(x, y), Wanted(x + 100, y + 50)) << x << "," << y;
        }
    }
    EXPECT_EQ(Platform.Grabs, grabs); // nothing of the screen read for it

    PinKey(pin, 'C', ssCtrl);
    ASSERT_TRUE(Platform.Clipboard);
    std::vector<std::uint8_t> dib(Platform.Clipboard->DibSize());
    Platform.Clipboard->WriteDib(dib.data());
    std::uint32_t width = 0;
    std::memcpy(&width, dib.data() + 4, 4);
    EXPECT_EQ(width, 200u);

    PinKey(pin, kKeyEscape);
    EXPECT_TRUE(Platform.PinWindows.Windows.empty());
    EXPECT_TRUE(held.expired()); // its memory goes with it
    EXPECT_FALSE(Platform.PinsItem);
}

TEST_F(PinsTest, TheWheelZoomsAndCtrlSetsTheOpacityEachShownAndTheMenuClosesAll) {
    Platform.Key(kKeyF1 + 2);
    Form.mnPositionClick();
    Drag(400, 300, 450, 340);
    Platform.Key(kKeyF1 + 2);
    ASSERT_EQ(Platform.PinWindows.Windows.size(), 2u);
    THeadlessPins::TWindow& first = Platform.PinWindows.Windows.at(1);
    Platform.PinEvent({TPinEventKind::Wheel, 1, 0, 0, 60, {120, 70}});
    EXPECT_EQ(first.Zoom, 100); // half a notch: not yet
    Platform.PinEvent({TPinEventKind::Wheel, 1, 0, 0, 60, {120, 70}});
    EXPECT_EQ(first.Zoom, 125);
    EXPECT_EQ(first.ZoomedAround, (TScreenPoint{120, 70}));
    EXPECT_EQ(first.Label, "125%");
    Platform.PinEvent({TPinEventKind::Wheel, 1, 0, ssCtrl, -240, {120, 70}});
    EXPECT_EQ(first.Opacity, 80);
    EXPECT_EQ(first.Zoom, 125);
    EXPECT_EQ(first.Label, "不透明度 80%");
    EXPECT_EQ(Form.Pins().Zoom(1), 125);

    Platform.PinWindows.MenuChoices.push_back(TPinCommand::CloseAll);
    Platform.PinEvent({TPinEventKind::Menu, 2, 0, 0, 0, {420, 320}});
    EXPECT_TRUE(Platform.PinWindows.Windows.empty());
    EXPECT_FALSE(Platform.PinsItem);
}

TEST_F(PinsTest, ASaveAskedDuringACountdownWaitsAndOneWhosePinClosedSavesNothing) {
    Platform.Key(kKeyF1 + 2);
    Form.Settings().Delay = 3;
    Platform.TrayClick(TTrayEvent::DoubleClick); // a capture counting down
    PinKey(1, 'S', ssCtrl);
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Native("pics")));
    for (int i = 0; i < 3; ++i) {
        Platform.Tick();
    }
    // The capture, then the pin's save at once, without a countdown of its own.
    EXPECT_EQ(Form.Capture().SerialNo(), 3);
    EXPECT_EQ(ReadBmp(Folder.ReadNative("pics/0002.bmp")).Pixel(10, 10), Wanted(110, 60));
    EXPECT_EQ(Platform.Countdown, (std::vector<int>{3, 2, 1, 0}));

    Platform.Answer(mrNo); // the overwrite question, while which the pin is closed and saved
    Form.Settings().IsUpdate = true;
    Folder.WriteNative("pics/0003.bmp", "old");
    PinKey(1, 'S', ssCtrl);
    EXPECT_EQ(Folder.ReadNative("pics/0003.bmp"), "old");
    Platform.Answers.push_back([this] {
        PinKey(1, 'S', ssCtrl);
        PinKey(1, kKeyEscape);
        return mrNo;
    });
    PinKey(1, 'S', ssCtrl);
    EXPECT_EQ(Platform.Boxes.size(), 2u); // the second save's turn found no pin
    EXPECT_EQ(Folder.ReadNative("pics/0003.bmp"), "old");
    EXPECT_EQ(Form.Capture().SerialNo(), 3);
}

TEST_F(PinsTest, APinThatCannotBeShownLeavesTheMarksAsTheyWere) {
    Platform.PinWindows.ShowFails = true;
    Platform.Key(kKeyF1 + 2);
    EXPECT_TRUE((Form.Marks() != nullptr));
    EXPECT_EQ(Form.Marks()->Marks().size(), 1u);
    EXPECT_EQ(Platform.ErrorBoxes.size(), 1u);
    EXPECT_FALSE(Platform.PinsItem);
    EXPECT_TRUE(Form.Pins().Empty());
}

} // namespace

#include "app/MainForm.h"

#include "base/Texts.h"
#include "support/BmpReader.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class OverlayTest : public ::testing::Test {
protected:
    OverlayTest() {
        std::filesystem::create_directory(Folder.Native("pics"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("pics");
        Platform.ExePath = Folder.Program("Quorlan.exe");
        Platform.SetEventHandler(&Form);
        Form.FormCreate();
    }

    void Open() {
        Form.mnPositionClick();
        ASSERT_TRUE(Platform.Visible);
    }
    void Drag(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        Platform.Press(x0, y0);
        Platform.Move((x0 + x1) / 2, (y0 + y1) / 2, ssLeft);
        Platform.Move(x1, y1, ssLeft);
        Platform.Release(x1, y1);
    }
    void ExpectSelectionEnded() {
        EXPECT_FALSE(Platform.Visible);
        EXPECT_FALSE(Platform.Visible);
        EXPECT_FALSE(Platform.Picture);
        EXPECT_FALSE(Platform.Cross);
        EXPECT_FALSE(Platform.Captured);
        EXPECT_TRUE(Platform.VisibleBands().empty());
    }

    TTempFolder Folder;
    THeadlessPlatform Platform;
    TMainForm Form{Platform};
};

TEST_F(OverlayTest, OpensOverTheScreenWithAFrozenSnapshot) {
    Open();
    EXPECT_TRUE(Platform.Visible);
    EXPECT_EQ(Platform.Shown.back(), TWindowState::Maximized);
    ASSERT_TRUE(Platform.Picture);
    const TPixels32View view = Platform.Picture->View();
    EXPECT_EQ(view.Width, 64);
    EXPECT_EQ(view.Height, 48);
    EXPECT_TRUE(Platform.Cross);

    // The picture stays as it was taken whatever the screen does after.
    const std::uint32_t before = *reinterpret_cast<const std::uint32_t*>(view.Row(3) + 4 * 5);
    Platform.PaintScreen([](int, int) { return 0x123456u; });
    EXPECT_EQ(*reinterpret_cast<const std::uint32_t*>(Platform.Picture->View().Row(3) + 4 * 5),
              before);
}

TEST_F(OverlayTest, DragsInEveryDirectionGiveTheNormalisedRegion) {
    Form.Settings().CaptAtSameTime = false;
    struct Row {
        std::int32_t x0, y0, x1, y1;
        TCaptureRegion region;
    } rows[] = {
        {50, 40, 10, 5, {10, 5, 50, 40}},     // lower right to upper left
        {10, 5, 50, 40, {10, 5, 50, 40}},     // upper left to lower right
        {50, 5, 10, 40, {10, 5, 50, 40}},     // upper right to lower left
        {10, 40, 50, 5, {10, 5, 50, 40}},     // lower left to upper right
        {20, 20, 23, 20, {20, 20, 23, 20}},   // three pixels: a drag, not a click
        {30, 30, -40, 70, {-40, 30, 30, 70}}, // released off the primary screen: kept as is
    };
    for (const auto& row : rows) {
        Open();
        Drag(row.x0, row.y0, row.x1, row.y1);
        EXPECT_EQ(Form.Capture().Region(), row.region) << row.x0 << "," << row.y0;
        ExpectSelectionEnded();
        const TCaptureRegion& r = row.region;
        EXPECT_EQ(Platform.Caption, std::string("矩形範囲選択(") + std::to_string(r.Left) + "," +
                                        std::to_string(r.Top) + "," + std::to_string(r.Right) +
                                        "," + std::to_string(r.Bottom) + ")");
    }
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Native("pics")));
}

// Frames front to back: a small window over a large one, and one reaching above the screen.
TEST_F(OverlayTest, AClickTakesTheOutlinedWindowAndOverTheDesktopTheMonitor) {
    Form.Settings().CaptAtSameTime = false;
    Platform.Displays = {{{0, 0, 64, 48}, 96, true}, {{-40, 10, 0, 40}, 96, false}};
    Platform.Frames = {{10, 10, 30, 30}, {5, 5, 60, 40}, {50, -10, 90, 20}};
    struct Row {
        TScreenPoint press, release;
        TCaptureRegion region;
    } rows[] = {
        {{20, 20}, {20, 20}, {10, 10, 30, 30}},   // the front window
        {{20, 20}, {22, 18}, {10, 10, 30, 30}},   // a hand's tremor is still a click
        {{7, 35}, {7, 35}, {5, 5, 60, 40}},       // the window behind
        {{62, 2}, {62, 2}, {50, 0, 64, 20}},      // cut to the screen
        {{2, 45}, {2, 45}, {0, 0, 64, 48}},       // the desktop: its monitor
        {{-20, 20}, {-20, 20}, {-40, 10, 0, 40}}, // the other monitor
    };
    for (const Row& row : rows) {
        Platform.Pointer = row.press;
        Open();
        EXPECT_EQ(Platform.Aids.Outline, row.region); // outlined before the press
        Platform.Press(row.press.X, row.press.Y);
        EXPECT_TRUE(IsEmpty(Platform.Aids.Outline)); // but not while dragging
        Platform.Release(row.release.X, row.release.Y);
        EXPECT_EQ(Form.Capture().Region(), row.region) << row.press.X << "," << row.press.Y;
        ExpectSelectionEnded();
    }
}

// The readout tells the position, then the size; Z hides the magnifier, and the choice is
// saved when the overlay goes.
TEST_F(OverlayTest, TheAidsFollowThePointerAndZIsRemembered) {
    Form.Settings().CaptAtSameTime = false;
    Platform.Pointer = {30, 20};
    Open();
    EXPECT_EQ(Platform.Aids.ReadoutText, "30, 20");
    EXPECT_EQ(Platform.Aids.MagnifiedAt, (TScreenPoint{30, 20}));
    Platform.Move(-3, 7); // a captured pointer may leave the screen
    EXPECT_EQ(Platform.Aids.ReadoutText, "-3, 7");
    Platform.Press(30, 20);
    Platform.Move(10, 40, ssLeft);
    EXPECT_EQ(Platform.Aids.ReadoutText, "20 \u00D7 20");
    Platform.Key('Z');
    EXPECT_TRUE(IsEmpty(Platform.Aids.Magnifier));
    EXPECT_FALSE(IsEmpty(Platform.Aids.Readout));
    Platform.Release(10, 40);
    EXPECT_TRUE(IsEmpty(Platform.Aids.Readout));
    EXPECT_NE(Folder.ReadNative("Quorlan.ini").find("Magnifier=0\r\n"), std::string::npos);
    EXPECT_FALSE(Form.Settings().Magnifier);
}

TEST_F(OverlayTest, TheBandIsDrawnAtEachMoveAndErasedAtTheEnd) {
    Form.Settings().CaptAtSameTime = false;
    Open();
    Platform.Press(500 % 64, 40);
    Platform.Move(10, 5, ssLeft);
    EXPECT_EQ(Platform.VisibleBands(), (std::vector<std::array<std::int32_t, 4>>{{52, 40, 10, 5}}));
    Platform.Move(12, 6, ssLeft);
    EXPECT_EQ(Platform.VisibleBands(), (std::vector<std::array<std::int32_t, 4>>{{52, 40, 12, 6}}));
    Platform.Move(30, 30); // left button no longer held: nothing
    EXPECT_EQ(Platform.VisibleBands(), (std::vector<std::array<std::int32_t, 4>>{{52, 40, 12, 6}}));
    Platform.Release(30, 30, ssLeft, TMouseButton::Right); // other buttons change nothing
    Platform.Press(30, 30, ssLeft, TMouseButton::Middle);
    EXPECT_TRUE(Platform.Visible);
    Platform.Release(1, 2); // the release point is not drawn
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{1, 2, 52, 40}));
    ExpectSelectionEnded();
}

TEST_F(OverlayTest, CapturesTheSnapshotOnReleaseWhenAsked) {
    const std::vector<std::uint32_t> frozen = Platform.Screen;
    Open();
    Platform.PaintScreen([](int, int) { return 0xFF0000u; }); // the live screen changes
    Drag(30, 20, 10, 5);
    const TBmpFile file = ReadBmp(Folder.ReadNative("pics/0001.bmp"));
    ASSERT_EQ(file.Width, 20);
    ASSERT_EQ(file.Height, 15);
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(file.Pixel(x, y), frozen[std::size_t(y + 5) * 64 + x + 10]) << x << "," << y;
        }
    }
    ExpectSelectionEnded();
    EXPECT_EQ(Form.Capture().SerialNo(), 2);
}

TEST_F(OverlayTest, CaptureRequestsDoNothingWhileTheOverlayIsUp) {
    const auto pressKeys = [this] {
        Platform.KeyEvent(true, kKeyPrintScreen);
        Platform.KeyDecided();
        Platform.KeyEvent(true, kKeyPrintScreen, TCaptureRegion{0, 0, 8, 8}, kModAlt);
        Platform.KeyDecided();
        Platform.PostedCaptureNow();
    };
    Open();
    pressKeys(); // before a press
    Platform.Press(30, 20);
    Platform.Move(10, 5, ssLeft);
    pressKeys(); // during the drag, when not even the tray's capture command runs
    Platform.TrayClick(TTrayEvent::DoubleClick);
    EXPECT_TRUE(Platform.Boxes.empty());
    EXPECT_FALSE(Form.Capture().RegionChosen()); // the region is the release's
    ASSERT_EQ(Platform.VisibleBands().size(), 1u);
    EXPECT_EQ(Platform.VisibleBands()[0], (std::array<std::int32_t, 4>{30, 20, 10, 5}));
    Platform.Release(10, 5);
    ExpectSelectionEnded();
    EXPECT_EQ(ReadBmp(Folder.ReadNative("pics/0001.bmp")).Width, 20);
    EXPECT_FALSE(Folder.ExistsNative("pics/0002.bmp"));
    EXPECT_EQ(Form.Capture().SerialNo(), 2);

    // Once it has gone, the keys work as before.
    Platform.KeyEvent(true, kKeyPrintScreen);
    Platform.KeyDecided();
    EXPECT_EQ(ReadBmp(Folder.ReadNative("pics/0002.bmp")).Width, 20);
}

TEST_F(OverlayTest, AFailedOrDeclinedCaptureStillEndsTheSelection) {
    Form.Settings().Path = Folder.Program("missing\\");
    Open();
    Drag(1, 1, 5, 5);
    EXPECT_EQ(Platform.Boxes.back().Text, Text(TText::SaveFailed));
    ExpectSelectionEnded();

    Form.Settings().Path = Folder.Program("pics\\");
    Folder.WriteNative("pics/0001.bmp", "old");
    Platform.Answer(mrNo);
    Open();
    Drag(1, 1, 5, 5);
    EXPECT_EQ(Folder.ReadNative("pics/0001.bmp"), "old");
    ExpectSelectionEnded();
}

// Esc leaves the region and its caption as they were when the frozen screen opened, however
// that region came: drawn before, or taken by PrintScreen as the whole screen.
TEST_F(OverlayTest, EscLeavesTheRegionAsTheOverlayFoundItAndNeverCaptures) {
    Form.Settings().CaptAtSameTime = false;
    Open();
    Drag(10, 10, 20, 20);
    const std::string caption = Platform.Caption;

    // Esc before a press, and Esc during a drag with the release that follows.
    Open();
    Platform.Key(kKeyEscape);
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{10, 10, 20, 20}));
    EXPECT_EQ(Platform.Caption, caption);
    ExpectSelectionEnded();
    Open();
    Platform.Press(40, 40);
    Platform.Move(44, 44, ssLeft);
    Platform.Key(kKeyEscape);
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{10, 10, 20, 20}));
    EXPECT_FALSE(Platform.Visible);
    EXPECT_FALSE(Platform.Captured);
    Platform.Release(50, 50);
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{10, 10, 20, 20}));
    EXPECT_EQ(Platform.Caption, caption);
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Native("pics")));

    // The whole screen by PrintScreen, then Esc on the region item: PrintScreen still saves the
    // whole screen, never a file of nothing.
    TMainForm fresh(Platform);
    Platform.SetEventHandler(&fresh);
    fresh.FormCreate();
    Platform.KeyEvent(true, kKeyPrintScreen);
    Platform.RunMessageLoop();
    Platform.TrayClick(TTrayEvent::RightDown);
    Platform.MenuChoices = {TMenuCommand::Position};
    Platform.TrayClick(TTrayEvent::RightDown);
    Platform.Key(kKeyEscape);
    EXPECT_EQ(fresh.Capture().Region(), (TCaptureRegion{0, 0, 64, 48}));
    EXPECT_EQ(Platform.Caption, "矩形範囲選択(0,0,64,48)");
    Platform.KeyEvent(true, kKeyPrintScreen);
    Platform.RunMessageLoop();
    EXPECT_EQ(ReadBmp(Folder.ReadNative("pics/0002.bmp")).Width, 64);
    Platform.SetEventHandler(&Form);

    TKeyCode other = 'A';
    Open();
    Form.FormKeyDown(other, 0);
    EXPECT_TRUE(Platform.Visible);
}

// A second monitor of another scaling left of the primary and lower, so that the virtual screen
// starts at a negative x and has gaps above and below it.
TEST_F(OverlayTest, TheOverlayCoversEveryMonitorAndCapturesAcrossThem) {
    Platform.Displays = {{{0, 0, 64, 48}, 96, true}, {{-40, 10, 0, 40}, 144, false}};
    Platform.PaintScreen(
        [](int x, int y) { return std::uint32_t(x + 50) << 16 | std::uint32_t(y); });
    Open();
    ASSERT_TRUE(Platform.Picture);
    EXPECT_EQ(Platform.Picture->Left + Platform.Picture->OffsetX, -40);
    EXPECT_EQ(Platform.Picture->View().Width, 104);
    EXPECT_EQ(Platform.Picture->View().Height, 48);
    const auto pictureAt = [&](int x, int y) {
        return *reinterpret_cast<const std::uint32_t*>(Platform.Picture->View().Row(y) +
                                                       4 * (x + 40)) &
               0xFFFFFF;
    };
    EXPECT_EQ(pictureAt(-20, 5), 0xFFFFFFu); // a gap is white
    EXPECT_EQ(pictureAt(-20, 20), Platform.ScreenAt(-20, 20));

    // Dragged from the second monitor onto the primary, and over the gap above the second.
    const auto expectCapture = [&](const std::string& name, TCaptureRegion region) {
        const TBmpFile file = ReadBmp(Folder.ReadNative("pics/" + name));
        ASSERT_EQ(file.Width, region.Right - region.Left);
        ASSERT_EQ(file.Height, region.Bottom - region.Top);
        for (int y = region.Top; y < region.Bottom; ++y) {
            for (int x = region.Left; x < region.Right; ++x) {
                const bool gap = x < 0 && (y < 10 || y >= 40);
                ASSERT_EQ(file.Pixel(x - region.Left, y - region.Top),
                          gap ? 0xFFFFFFu : Platform.ScreenAt(x, y))
                    << name << " " << x << "," << y;
            }
        }
    };
    Drag(-30, 20, 10, 30);
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{-30, 20, 10, 30}));
    EXPECT_EQ(Platform.Caption, "矩形範囲選択(-30,20,10,30)");
    expectCapture("0001.bmp", {-30, 20, 10, 30});
    Open();
    Drag(5, 14, -35, 2);
    expectCapture("0002.bmp", {-35, 2, 5, 14});

    // The monitor goes: the next overlay shows the primary alone, and the stored region, now
    // off every monitor, captures white.
    Platform.Displays.clear();
    Platform.PaintScreen([](int, int) { return 0x102030u; });
    Open();
    EXPECT_EQ(Platform.Picture->View().Width, 64);
    Platform.Key(kKeyEscape);
    Form.Capture().SetRegion({-30, 20, -10, 30});
    Form.mnCaptureClick();
    const TBmpFile white = ReadBmp(Folder.ReadNative("pics/0003.bmp"));
    EXPECT_EQ(white.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(white.Pixel(19, 9), 0xFFFFFFu);
}

// Arrows step the pointer (ten with Shift), Enter presses and a second Enter releases.
TEST_F(OverlayTest, ASelectionByKeyboardAlone) {
    const auto key = [&](TKeyCode code, TShiftState shift = 0) { Platform.Key(code, shift); };
    Platform.Pointer = {10, 10};
    key(kKeyRight); // no overlay: nothing moves
    EXPECT_EQ(Platform.Pointer, (TScreenPoint{10, 10}));
    Open();
    for (int i = 0; i < 3; ++i) {
        key(kKeyRight);
    }
    key(kKeyDown, ssShift);
    key(kKeyLeft);
    key(kKeyUp);
    EXPECT_EQ(Platform.Pointer, (TScreenPoint{12, 19}));
    key(kKeyEnter);
    key(kKeyRight, ssShift);
    key(kKeyRight, ssShift);
    for (int i = 0; i < 5; ++i) {
        key(kKeyDown);
    }
    EXPECT_EQ(Platform.VisibleBands(),
              (std::vector<std::array<std::int32_t, 4>>{{12, 19, 32, 24}}));
    key(kKeyEnter);
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{12, 19, 32, 24}));
    const TBmpFile file = ReadBmp(Folder.ReadNative("pics/0001.bmp"));
    EXPECT_EQ(file.Width, 20);
    EXPECT_EQ(file.Height, 5);
    ExpectSelectionEnded();

    // The pointer stays on the virtual screen.
    Open();
    Platform.Pointer = {62, 1};
    key(kKeyRight, ssShift);
    key(kKeyUp, ssShift);
    EXPECT_EQ(Platform.Pointer, (TScreenPoint{63, 0}));
}

TEST_F(OverlayTest, ASnapshotThatCannotBeMadeShowsNoOverlay) {
    Form.Capture().SetRegion({1, 2, 3, 4});
    Platform.GrabFails = true;
    Platform.MenuChoices = {TMenuCommand::Position};
    Platform.TrayClick(TTrayEvent::RightDown);
    ASSERT_EQ(Platform.ErrorBoxes.size(), 1u);
    EXPECT_EQ(Platform.ErrorBoxes[0], Text(TText::OutOfSystemResources) + ".");
    EXPECT_FALSE(Platform.Visible);
    EXPECT_FALSE(Platform.Picture);
    EXPECT_FALSE(Platform.Cross);
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{1, 2, 3, 4}));
}

} // namespace

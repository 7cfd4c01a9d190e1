#include "app/MainForm.h"

#include "settings/FileNaming.h"
#include "base/Texts.h"
#include "support/BmpReader.h"
#include "support/HeadlessPlatform.h"
#include "support/JpegDecoder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace {

class CaptureCommandTest : public ::testing::Test {
protected:
    CaptureCommandTest() {
        std::filesystem::create_directory(Folder.Native("pics"));
        std::filesystem::create_directory(Folder.Native("app"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("pics");
        Platform.ExePath = Folder.Program("app\\Quorlan.exe");
        Platform.SetEventHandler(&Form);
        Form.FormCreate();
    }

    std::string Pic(const std::string& name) const { return Folder.ReadNative("pics/" + name); }
    bool HasPic(const std::string& name) const { return Folder.ExistsNative("pics/" + name); }
    void ChooseRegion(TCaptureRegion region) {
        Form.Capture().SetRegion(region);
        Form.Capture().ShowRegionInCaption();
    }

    TTempFolder Folder;
    THeadlessPlatform Platform;
    TMainForm Form{Platform};
};

TEST_F(CaptureCommandTest, RefusesWhileNoRegionHasBeenChosen) {
    Platform.TrayClick(TTrayEvent::DoubleClick);
    ASSERT_EQ(Platform.Boxes.size(), 1u);
    EXPECT_EQ(Platform.Boxes[0].Text, Text(TText::RegionMissing));
    EXPECT_EQ(Platform.Boxes[0].Kind, TBoxKind::Error);
    EXPECT_EQ(Platform.Boxes[0].Buttons, TBoxButtons::Ok);
    EXPECT_EQ(Form.Capture().SerialNo(), 1);
    EXPECT_EQ(Folder.Listing(), "app pics");
    EXPECT_EQ(std::filesystem::is_empty(Folder.Native("pics")), true);
}

TEST_F(CaptureCommandTest, PrintScreenBeforeAnyRegionCapturesTheWholeScreen) {
    Platform.KeyEvent(true, kKeyPrintScreen);
    Platform.RunMessageLoop();
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{0, 0, 64, 48}));
    EXPECT_EQ(Platform.Caption, std::string("矩形範囲選択(0,0,64,48)"));
    EXPECT_TRUE(Form.Capture().RegionChosen());
    const TBmpFile file = ReadBmp(Pic("0001.bmp"));
    EXPECT_EQ(file.BitCount, 24);
    ASSERT_EQ(file.Width, 64);
    ASSERT_EQ(file.Height, 48);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(file.Pixel(x, y), Platform.Screen[std::size_t(y) * 64 + x]) << x << "," << y;
        }
    }
    EXPECT_EQ(Form.Capture().SerialNo(), 2);

    // A region once chosen stays: PrintScreen now captures it, not the whole screen.
    ChooseRegion({10, 5, 20, 9});
    Platform.KeyEvent(true, kKeyPrintScreen);
    Platform.RunMessageLoop();
    EXPECT_EQ(ReadBmp(Pic("0002.bmp")).Width, 10);
}

TEST_F(CaptureCommandTest, AltPrintScreenTakesTheWindowRectangleForGood) {
    // Partly off the screen, as a maximised window's frame is.
    Platform.KeyEvent(true, kKeyPrintScreen, TCaptureRegion{-8, -8, 72, 56}, kModAlt);
    Platform.RunMessageLoop();
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{-8, -8, 72, 56}));
    EXPECT_EQ(Platform.Caption, std::string("矩形範囲選択(-8,-8,72,56)"));
    const TBmpFile file = ReadBmp(Pic("0001.bmp"));
    ASSERT_EQ(file.Width, 80);
    ASSERT_EQ(file.Height, 64);
    EXPECT_EQ(file.Pixel(8, 8), Platform.Screen[0]);
    EXPECT_EQ(file.Pixel(71, 55), Platform.Screen[std::size_t(47) * 64 + 63]);
    EXPECT_EQ(file.Pixel(0, 0), 0xFFFFFFu); // off the screen: white
    EXPECT_EQ(file.Pixel(79, 63), 0xFFFFFFu);

    // Later PrintScreens and menu captures use the window's rectangle.
    Platform.KeyEvent(true, kKeyPrintScreen);
    Platform.RunMessageLoop();
    EXPECT_EQ(ReadBmp(Pic("0002.bmp")).Width, 80);

    // No foreground window: the whole screen.
    Platform.KeyEvent(true, kKeyPrintScreen, std::nullopt, kModAlt);
    Platform.RunMessageLoop();
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{0, 0, 64, 48}));

    // A rectangle no store can hold fails like any save, and nothing breaks.
    Platform.KeyEvent(true, kKeyPrintScreen, TCaptureRegion{0, 0, 2000000000, 2000000000}, kModAlt);
    Platform.RunMessageLoop();
    ASSERT_EQ(Platform.Boxes.size(), 1u);
    EXPECT_EQ(Platform.Boxes[0].Text, Text(TText::SaveFailed));
    EXPECT_EQ(Form.Capture().SerialNo(), 4);
}

TEST_F(CaptureCommandTest, EveryPrintScreenKeyDownQueuesItsOwnCaptureAndOthersDoNothing) {
    ChooseRegion({0, 0, 4, 4});
    for (int i = 0; i < 3; ++i) {
        Platform.KeyEvent(true, kKeyPrintScreen); // the key held down repeats
    }
    Platform.KeyEvent(false, kKeyPrintScreen);                        // key up
    Platform.KeyEvent(false, kKeyPrintScreen, std::nullopt, kModAlt); // system key up
    Platform.KeyEvent(true, 'A');
    Platform.KeyEvent(true, 0x12C); // only the low byte is the key: 0x2C
    Platform.RunMessageLoop();
    EXPECT_EQ(Form.Capture().SerialNo(), 5);
    EXPECT_TRUE(HasPic("0004.bmp"));
    EXPECT_FALSE(HasPic("0005.bmp"));
}

TEST_F(CaptureCommandTest, TheDigitOverflowQuestion) {
    ChooseRegion({0, 0, 2, 2});
    Form.Capture().SetSerialNo(10000);
    Platform.Answer(mrCancel);
    Form.mnCaptureClick();
    ASSERT_EQ(Platform.Boxes.size(), 1u);
    EXPECT_EQ(Platform.Boxes[0].Text, Text(TText::DigitOverflow));
    EXPECT_EQ(Platform.Boxes[0].Kind, TBoxKind::Warning);
    EXPECT_EQ(Platform.Boxes[0].Buttons, TBoxButtons::OkCancel);
    EXPECT_EQ(Form.Capture().SerialNo(), 9999);
    EXPECT_EQ(Form.Settings().Digit, 4);
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Native("pics")));

    Form.Capture().SetSerialNo(10000);
    Platform.Answer(mrOk);
    Form.mnCaptureClick();
    EXPECT_TRUE(HasPic("10000.bmp"));
    EXPECT_EQ(Form.Settings().Digit, 5);
    EXPECT_EQ(Form.Capture().SerialNo(), 10001);

    // Not limited to 9 in memory.
    Form.Settings().Digit = 9;
    Form.Capture().SetSerialNo(1000000000);
    Form.mnCaptureClick();
    EXPECT_EQ(Form.Settings().Digit, 10);
    EXPECT_TRUE(HasPic("1000000000.bmp"));
}

TEST_F(CaptureCommandTest, TheOverwriteQuestion) {
    ChooseRegion({0, 0, 2, 2});
    Folder.WriteNative("pics/0001.bmp", "old bytes");
    Platform.Answer(mrNo);
    Form.mnCaptureClick();
    ASSERT_EQ(Platform.Boxes.size(), 1u);
    EXPECT_EQ(Platform.Boxes[0].Text,
              std::string("同じ名前のファイルがあります。上書きしてもいいですか？\r(") +
                  Folder.Program("pics\\0001.bmp") + " )");
    EXPECT_EQ(Platform.Boxes[0].Buttons, TBoxButtons::YesNo);
    EXPECT_EQ(Pic("0001.bmp"), "old bytes");
    EXPECT_EQ(Form.Capture().SerialNo(), 1);

    Platform.Answer(mrYes);
    Form.mnCaptureClick();
    EXPECT_EQ(ReadBmp(Pic("0001.bmp")).Width, 2);
    EXPECT_EQ(Form.Capture().SerialNo(), 2);

    Form.Settings().IsUpdate = false;
    Folder.WriteNative("pics/0002.bmp", "old bytes");
    Form.mnCaptureClick();
    EXPECT_EQ(Platform.Boxes.size(), 2u); // no question
    EXPECT_EQ(ReadBmp(Pic("0002.bmp")).Width, 2);
}

TEST_F(CaptureCommandTest, RequestsDuringAQuestionWaitAndRunAfterItInOrder) {
    // While the overwrite question of 0001 is open, another request comes; it runs once the
    // question is answered, with the region decided when its key went down.
    struct Row {
        const char* what;
        std::function<void(THeadlessPlatform&)> second;
        TCaptureRegion secondRegion;
    } rows[] = {
        {"PrintScreen twice",
         [](THeadlessPlatform& p) {
             p.KeyEvent(true, kKeyPrintScreen);
             p.KeyDecided();
         },
         {2, 3, 9, 7}},
        {"PrintScreen, then Alt+PrintScreen",
         [](THeadlessPlatform& p) {
             p.KeyEvent(true, kKeyPrintScreen, TCaptureRegion{10, 10, 15, 12}, kModAlt);
             p.KeyDecided();
         },
         {10, 10, 15, 12}},
        {"PrintScreen, then a double-click",
         [](THeadlessPlatform& p) { p.TrayClick(TTrayEvent::DoubleClick); },
         {2, 3, 9, 7}},
    };
    for (const Row& row : rows) {
        std::filesystem::remove_all(Folder.Native("pics"));
        std::filesystem::create_directory(Folder.Native("pics"));
        Folder.WriteNative("pics/0001.bmp", "old bytes");
        Form.Capture().SetSerialNo(1);
        Platform.Boxes.clear();
        ChooseRegion({2, 3, 9, 7});
        Platform.Answers.push_back([&] {
            row.second(Platform);
            EXPECT_EQ(Platform.Boxes.size(), 1u) << row.what; // nothing ran in here
            EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{2, 3, 9, 7})) << row.what;
            return mrYes;
        });
        Platform.KeyEvent(true, kKeyPrintScreen);
        Platform.RunMessageLoop();
        EXPECT_EQ(Platform.Boxes.size(), 1u) << row.what; // 0002 was new: no second question
        EXPECT_EQ(Form.Capture().SerialNo(), 3) << row.what;
        const TBmpFile first = ReadBmp(Pic("0001.bmp"));
        const TBmpFile second = ReadBmp(Pic("0002.bmp"));
        ASSERT_EQ(first.Width, 7) << row.what;
        ASSERT_EQ(second.Width, row.secondRegion.Right - row.secondRegion.Left) << row.what;
        ASSERT_EQ(second.Height, row.secondRegion.Bottom - row.secondRegion.Top) << row.what;
        EXPECT_EQ(first.Pixel(0, 0), Platform.ScreenAt(2, 3)) << row.what;
        EXPECT_EQ(second.Pixel(0, 0),
                  Platform.ScreenAt(row.secondRegion.Left, row.secondRegion.Top))
            << row.what;
    }
}

TEST_F(CaptureCommandTest, AFailedSaveKeepsTheCounterAndTheOldFile) {
    ChooseRegion({0, 0, 2, 2});
    Form.Settings().IsUpdate = false;
    Folder.WriteNative("pics/0001.bmp", "old bytes");
    ::chmod(Folder.Native("pics/0001.bmp").c_str(), 0444);
    Form.mnCaptureClick();
    ASSERT_EQ(Platform.Boxes.size(), 1u);
    EXPECT_EQ(Platform.Boxes[0].Text, Text(TText::SaveFailed));
    EXPECT_EQ(Platform.Boxes[0].Kind, TBoxKind::Error);
    EXPECT_EQ(Form.Capture().SerialNo(), 1);
    EXPECT_EQ(Pic("0001.bmp"), "old bytes");

    Form.Settings().Path = Folder.Program("missing\\");
    Form.mnCaptureClick();
    EXPECT_EQ(Platform.Boxes.size(), 2u);
    EXPECT_EQ(Form.Capture().SerialNo(), 1);
    EXPECT_EQ(Folder.Listing(), "app pics");
}

TEST_F(CaptureCommandTest, EveryDepthAndJpeg) {
    ChooseRegion({3, 2, 20, 11});
    const std::pair<int, int> depths[] = {{0, 1}, {1, 16}, {2, 4},  {3, 24},
                                          {4, 8}, {5, 32}, {9, 32}, {-1, 32}};
    for (const auto& [imageBit, bits] : depths) {
        Form.Settings().ImageBit = imageBit;
        const int number = Form.Capture().SerialNo();
        Form.mnCaptureClick();
        const TBmpFile file = ReadBmp(Pic(MakeSerialText(number, 4) + ".bmp"));
        EXPECT_EQ(file.BitCount, bits) << imageBit;
        EXPECT_EQ(file.Width, 17);
        EXPECT_EQ(file.Height, 9);
    }
    Form.Settings().ImageType = 1;
    Form.Settings().ImageBit = 3;
    Form.Settings().Prefix = "cap";
    Form.Settings().DateFormat = 2;
    Form.mnCaptureClick();
    const TDecodedJpeg jpeg = DecodeJpeg(Pic("cap260507-0009.jpg"));
    EXPECT_EQ(jpeg.Width, 17);
    EXPECT_EQ(jpeg.Height, 9);
}

TEST_F(CaptureCommandTest, OpensTheNewFileWhenAskedAndSwallowsAFailure) {
    Form.Settings().ExecApplication = true;
    ChooseRegion({5, 5, 5, 5}); // a click without a drag: an empty file, still saved
    Folder.WriteNative("pics/0001.bmp", "old bytes");
    Form.Settings().IsUpdate = false;
    Form.mnCaptureClick();
    EXPECT_EQ(Pic("0001.bmp"), "");
    EXPECT_EQ(Form.Capture().SerialNo(), 2);
    ASSERT_EQ(Platform.Opened.size(), 1u);
    EXPECT_EQ(Platform.Opened[0], Folder.Program("pics\\0001.bmp"));

    Platform.ShellOpenFails = true;
    Form.mnCaptureClick();
    EXPECT_EQ(Platform.Opened.size(), 2u);
    EXPECT_TRUE(Platform.Boxes.empty());
    EXPECT_TRUE(Platform.ErrorBoxes.empty());
    EXPECT_EQ(Form.Capture().SerialNo(), 3);
}

} // namespace

namespace {

TEST_F(CaptureCommandTest, ThePointerIsDrawnInWhenAskedWhereTheScreenShowedIt) {
    // A 3 x 2 pointer: opaque red, transparent, inverting; at (10, 5) when the copy is made.
    const TPointerPicture arrow{10,
                                5,
                                3,
                                2,
                                {0xFF0000, 0x000000, 0xFFFFFF, 0xFF0000, 0, 0xFFFFFF},
                                {0xFF0000, 0xFFFFFF, 0x000000, 0xFF0000, 0xFFFFFF, 0x000000}};
    Platform.Cursor = arrow;
    ChooseRegion({8, 4, 16, 9});
    Form.mnCaptureClick(); // off: the screen alone
    Form.Settings().CaptureCursor = true;
    Form.mnCaptureClick();
    const TBmpFile plain = ReadBmp(Pic("0001.bmp")), drawn = ReadBmp(Pic("0002.bmp"));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 8; ++x) {
            const std::uint32_t screen = Platform.ScreenAt(8 + x, 4 + y);
            ASSERT_EQ(plain.Pixel(x, y), screen);
            const int px = 8 + x - 10, py = 4 + y - 5; // within the pointer's picture
            std::uint32_t wanted = screen;
            if (px >= 0 && px < 3 && py >= 0 && py < 2) {
                wanted = px == 0 ? 0xFF0000u : px == 1 ? screen : screen ^ 0xFFFFFFu;
            }
            EXPECT_EQ(drawn.Pixel(x, y), wanted) << x << "," << y;
        }
    }

    // The overlay's capture takes the pointer as it was when the screen was frozen.
    Form.mnPositionClick();
    Platform.Cursor->Left = 40; // the pointer moves on, over the overlay
    Platform.Press(8, 4);
    Platform.Move(16, 9, ssLeft);
    Platform.Release(16, 9);
    const TBmpFile frozen = ReadBmp(Pic("0003.bmp"));
    EXPECT_EQ(frozen.Pixel(2, 1), 0xFF0000u);
    EXPECT_EQ(frozen.Pixel(4, 2), Platform.ScreenAt(12, 6) ^ 0xFFFFFFu);
}

} // namespace

namespace {

TEST_F(CaptureCommandTest, ADelayCountsDownInTheTrayThenCopiesTheScreen) {
    ChooseRegion({0, 0, 4, 4});
    Form.Settings().Delay = 3;
    const auto tick = [this] { Platform.Tick(); };
    Platform.TrayClick(TTrayEvent::DoubleClick);
    EXPECT_TRUE(Platform.TimerOn);
    Platform.KeyEvent(true, kKeyPrintScreen); // during the countdown: nothing more
    Platform.RunMessageLoop();
    tick();
    tick();
    EXPECT_FALSE(HasPic("0001.bmp"));
    tick();
    EXPECT_EQ(Platform.Countdown, (std::vector<int>{3, 2, 1, 0}));
    EXPECT_FALSE(Platform.TimerOn);
    EXPECT_LT(Platform.GrabsAtCountdown.back(), Platform.Grabs); // the usual icon came first
    EXPECT_TRUE(HasPic("0001.bmp"));
    tick();
    EXPECT_FALSE(HasPic("0002.bmp"));

    // A click on the icon cancels; the ticks still on their way do nothing.
    Platform.TrayClick(TTrayEvent::DoubleClick);
    Platform.TrayClick(TTrayEvent::LeftDown);
    EXPECT_FALSE(Platform.TimerOn);
    EXPECT_EQ(Platform.Countdown.back(), 0);
    tick();
    tick();
    tick();
    EXPECT_FALSE(HasPic("0002.bmp"));

    // The region item's snapshot is frozen when the delay ends.
    Platform.MenuChoices.push_back(TMenuCommand::Position);
    Platform.TrayClick(TTrayEvent::RightDown);
    EXPECT_FALSE(Platform.Visible);
    tick();
    tick();
    tick();
    EXPECT_TRUE(Platform.Visible);
    Platform.Key(kKeyEscape);

    // The tray menu's choice is saved at once; no delay is the capture at once, with no timer.
    Platform.MenuChoices.push_back(TMenuCommand::Delay0);
    Platform.TrayClick(TTrayEvent::RightDown);
    EXPECT_EQ(Platform.MenuDelay, 0);
    EXPECT_NE(Folder.ReadNative("app/Quorlan.ini").find("\r\nDelay=0\r\n"), std::string::npos);
    const std::size_t shown = Platform.Countdown.size();
    Platform.TrayClick(TTrayEvent::DoubleClick);
    EXPECT_TRUE(HasPic("0002.bmp"));
    EXPECT_EQ(Platform.Countdown.size(), shown);
}

} // namespace

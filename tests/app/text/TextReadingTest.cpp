#include "app/MainForm.h"

#include "base/Errors.h"
#include "imaging/ReadingImage.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

// A read that goes on until it is cancelled.
std::optional<std::string> UntilCancelled(const std::atomic<bool>& cancelled) {
    for (int i = 0; i < 2000 && !cancelled; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return cancelled ? std::nullopt : std::optional<std::string>("late");
}

class TextReadingTest : public ::testing::Test {
public:
    TextReadingTest() {
        std::filesystem::create_directory(Folder.Native("pics"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("pics");
        Platform.ExePath = Folder.Program("Quorlan.exe");
        Platform.ScreenW = 320, Platform.ScreenH = 200;
        Platform.PaintScreen([](int x, int y) { return 0x404040u + std::uint32_t(x + 3 * y); });
        Platform.SetEventHandler(&Form);
        Form.FormCreate();
        Form.Capture().SetRegion({1, 2, 3, 4});
        Form.Capture().ShowRegionInCaption();
    }
    // The menu's item, then a drag on the frozen screen.
    void Choose(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        Platform.MenuChoices = {TMenuCommand::ReadText};
        Platform.TrayClick(TTrayEvent::RightDown);
        ASSERT_TRUE(Platform.Visible);
        Platform.Move(x0, y0);
        EXPECT_EQ(Platform.Aids.HintText, "文字を読み取る範囲をドラッグで選んでください");
        Platform.Press(x0, y0);
        Platform.Move(x1, y1, ssLeft);
        Platform.Release(x1, y1);
    }

    TTempFolder Folder;
    THeadlessPlatform Platform;
    TMainForm Form{Platform};
};

TEST_F(TextReadingTest, TheRectanglesWordsGoToTheClipboardAsWrittenAndNothingElseChanges) {
    Platform.Reader.Script = [](const std::atomic<bool>&) {
        return std::optional<std::string>("日 本 語 の 文字 ( テスト )\n\nSecond  line \n");
    };
    Choose(20, 30, 120, 80);
    EXPECT_FALSE(Platform.Visible);
    EXPECT_TRUE(Platform.Reading);
    // A PrintScreen meanwhile waits for the text.
    Platform.KeyEvent(true, kKeyPrintScreen);
    Platform.RunMessageLoop();
    EXPECT_FALSE(Folder.ExistsNative("pics/0001.bmp"));

    ASSERT_TRUE(Platform.DeliverTextRead());
    EXPECT_FALSE(Platform.Reading);
    EXPECT_EQ(Platform.ClipboardText, "日本語の文字（テスト）\r\nSecond line");
    ASSERT_FALSE(Platform.Notices.empty());
    EXPECT_EQ(Platform.Notices.front(),
              "Quorlan|文字をコピーしました (22 文字)\n日本語の文字（テスト）");
    // The picture read: the rectangle's grey pixels, twice the size, at twice the resolution.
    ASSERT_EQ(Platform.Reader.Reads.size(), 1u);
    const auto& read = Platform.Reader.Reads[0];
    EXPECT_EQ(read.Width, 200);
    EXPECT_EQ(read.Height, 100);
    EXPECT_EQ(read.Dpi, 192);
    EXPECT_EQ(read.Languages, "jpn+eng");
    const std::uint32_t corner = Platform.ScreenAt(20, 30);
    const TReadingImage expected =
        ReadingImageOf({reinterpret_cast<const std::uint8_t*>(&corner), 1, 1, 4}, 1);
    EXPECT_EQ(read.Grey[0], expected.Pixels[0]);
    // The region, the counter and the folder as they were; the waiting PrintScreen then ran.
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{1, 2, 3, 4}));
    EXPECT_TRUE(Folder.ExistsNative("pics/0001.bmp"));
    EXPECT_EQ(Form.Capture().SerialNo(), 2);
}

TEST_F(TextReadingTest, EachEndIsToldOrLeftQuiet) {
    using TScript = std::function<std::optional<std::string>(const std::atomic<bool>&)>;
    const struct Row {
        const char* what;
        TScript script;                                // what the read finds
        std::function<void(THeadlessPlatform&)> after; // done once the read has begun
        std::optional<std::string> notice;             // none: no notice
        std::size_t boxes;
    } rows[] = {
        {"nothing found",
         [](const std::atomic<bool>&) { return std::optional<std::string>(" \n\n"); }, nullptr,
         "Quorlan|文字が見つかりませんでした", 0},
        {"a click on the icon cancels", UntilCancelled,
         [](THeadlessPlatform& p) { p.TrayClick(TTrayEvent::LeftDown); }, std::nullopt, 0},
        {"Esc cancels", UntilCancelled,
         [](THeadlessPlatform& p) {
             ASSERT_TRUE(p.EscapeWatched);
             p.KeyEvent(true, kKeyEscape);
             p.RunMessageLoop();
         },
         std::nullopt, 0},
        {"a language that cannot be found",
         [](const std::atomic<bool>&) -> std::optional<std::string> {
             throw ETextLanguage("文字認識の言語データ「xyz」が見つかりませんでした。");
         },
         nullptr, std::nullopt, 1},
    };
    for (const Row& row : rows) {
        Platform.Notices.clear();
        Platform.Boxes.clear();
        Platform.ClipboardText = "before";
        Platform.Reader.Script = row.script;
        Choose(10, 10, 60, 40);
        if (row.after) {
            row.after(Platform);
        }
        ASSERT_TRUE(Platform.DeliverTextRead()) << row.what;
        EXPECT_FALSE(Platform.Reading) << row.what;
        EXPECT_FALSE(Platform.EscapeWatched) << row.what;
        EXPECT_EQ(Platform.ClipboardText, "before") << row.what;
        EXPECT_EQ(Platform.Notices.empty() ? std::nullopt
                                           : std::optional<std::string>(Platform.Notices.back()),
                  row.notice)
            << row.what;
        EXPECT_EQ(Platform.Boxes.size(), row.boxes) << row.what;
    }
    EXPECT_EQ(Platform.Boxes.back().Text, "文字認識の言語データ「xyz」が見つかりませんでした。");
    EXPECT_EQ(Platform.Boxes.back().Kind, TBoxKind::Error);
}

TEST_F(TextReadingTest, F4OnTheMarksReadsTheSelectionWithoutThemAndExitWaitsForARead) {
    Form.Settings().CaptAtSameTime = true;
    Form.Settings().Markup = true;
    Form.mnPositionClick();
    Platform.Press(40, 40);
    Platform.Move(140, 90, ssLeft);
    Platform.Release(140, 90);
    ASSERT_NE(Form.Marks(), nullptr);
    Platform.Press(50, 50); // a frame drawn over the selection
    Platform.Move(100, 80, ssLeft);
    Platform.Release(100, 80);
    Platform.Reader.Script = UntilCancelled;
    Platform.Key(kKeyF1 + 3);
    EXPECT_FALSE(Platform.Visible);
    EXPECT_TRUE(Platform.Reading);
    // Exit cancels the read and waits for its thread.
    Form.Close();
    Form.FormDestroy();
    ASSERT_EQ(Platform.Reader.Reads.size(), 1u);
    const auto& read = Platform.Reader.Reads[0];
    EXPECT_EQ(read.Width, 200);
    EXPECT_EQ(read.Height, 100);
    // The frame's corner reads as the screen under it.
    const std::uint32_t under = Platform.ScreenAt(50, 50);
    const TReadingImage expected =
        ReadingImageOf({reinterpret_cast<const std::uint8_t*>(&under), 1, 1, 4}, 1);
    EXPECT_EQ(read.Grey[std::size_t(2 * 10 + 1) * 200 + 2 * 10 + 1], expected.Pixels[0]);
    EXPECT_EQ(Platform.ClipboardText, std::nullopt);
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Native("pics")));
}

} // namespace

#include "app/MainForm.h"

#include "base/ErrorReport.h"
#include "app/Program.h"
#include "base/Errors.h"
#include "base/Texts.h"
#include "platform/BoxModel.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

class TrayTest : public ::testing::Test {
protected:
    TrayTest() {
        std::filesystem::create_directory(Folder.Native("app"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("app");
        Platform.ExePath = Folder.Program("app\\Quorlan.exe");
    }
    TTempFolder Folder;
    THeadlessPlatform Platform;
};

TEST_F(TrayTest, StartsHiddenWithOneIconAndTheWatcherWhenEitherSwitchIsOn) {
    struct Row {
        const char* ini;
        bool watcher;
    } rows[] = {
        {"", true},
        {"[File]\r\nSavePrtScrKey=0\r\n", true},
        {"[File]\r\nSaveAltPrtScrKey=0\r\n", true},
        {"[File]\r\nSavePrtScrKey=0\r\nSaveAltPrtScrKey=0\r\n", true}, // the other keys
        {"[File]\r\nSavePrtScrKey=0\r\nSaveAltPrtScrKey=0\r\n[Keys]\r\nSelectRegion=\r\n"
         "CaptureScreen=\r\nScrollCapture=\r\nReadText=\r\n",
         false},
        {"[Keys]\r\nCapture=\r\nCaptureWindow=\r\nSelectRegion=\r\nCaptureScreen=\r\nScrollCapture="
         "\r\nReadText=\r\n",
         false},
    };
    for (const auto& row : rows) {
        Folder.WriteNative("app/Quorlan.ini", row.ini);
        THeadlessPlatform platform;
        platform.ExePath = Platform.ExePath;
        TMainForm form(platform);
        platform.SetEventHandler(&form);
        form.FormCreate();
        EXPECT_EQ(platform.TrayAdds, 1);
        EXPECT_FALSE(platform.Visible);
        EXPECT_TRUE(platform.Shown.empty());
        EXPECT_EQ(platform.TrayDeletes, 0);
        EXPECT_EQ(form.Capture().SerialNo(), 1);
        EXPECT_EQ(platform.WatcherInstalled, row.watcher) << row.ini;
        // Hiding again adds no second icon; the frozen screen shows maximised.
        bool canClose = false;
        form.FormCloseQuery(canClose);
        EXPECT_EQ(platform.TrayAdds, 1);
        form.mnPositionClick();
        EXPECT_EQ(platform.Shown, std::vector<TWindowState>{TWindowState::Maximized});
        platform.Key(kKeyEscape);
    }

    // A watcher that cannot be installed is not reported and not counted as installed.
    Platform.WatcherCanInstall = false;
    TMainForm form(Platform);
    form.FormCreate();
    EXPECT_FALSE(Platform.WatcherInstalled);
    EXPECT_TRUE(Platform.Boxes.empty() && Platform.ErrorBoxes.empty());

    // What killed saves left is looked for at once, in the program's and the capture folder.
    form.FormDestroy();
    const std::vector<std::string> swept = Platform.Files().SweptFolders();
    EXPECT_EQ(swept, (std::vector<std::string>{Folder.Program("app\\"), Folder.Program("app\\")}));
}

TEST_F(TrayTest, TrayNotificationsAndMenuCommands) {
    TMainForm form(Platform);
    Platform.SetEventHandler(&form);
    form.FormCreate();
    form.Capture().SetRegion({0, 0, 2, 2});
    form.Capture().ShowRegionInCaption();

    Platform.TrayClick(TTrayEvent::LeftDown); // a single click does nothing
    EXPECT_EQ(Platform.MenusOpened, 0);
    EXPECT_EQ(form.Capture().SerialNo(), 1);

    Platform.TrayClick(TTrayEvent::DoubleClick);
    EXPECT_EQ(form.Capture().SerialNo(), 2);

    Platform.MenuChoices = {TMenuCommand::Capture, TMenuCommand::None};
    Platform.TrayClick(TTrayEvent::RightDown);
    EXPECT_EQ(form.Capture().SerialNo(), 3);
    Platform.TrayClick(TTrayEvent::RightDown);
    EXPECT_EQ(Platform.MenusOpened, 2);
    EXPECT_EQ(form.Capture().SerialNo(), 3);

    // Each capture request shows the region first, even when the capture then fails.
    form.Capture().SetRegion({1, 1, 3, 3});
    form.Settings().Path = Folder.Program("missing\\");
    Platform.PostedCaptureNow();
    EXPECT_EQ(Platform.Caption, std::string("矩形範囲選択(1,1,3,3)"));
    EXPECT_EQ(Platform.Boxes.back().Text, Text(TText::SaveFailed));
}

TEST_F(TrayTest, ExitRemovesTheIconAndTheWatcherAndWritesNoSettings) {
    Platform.Events.push_back([this] {
        Platform.MenuChoices = {TMenuCommand::Exit};
        Platform.TrayClick(TTrayEvent::RightDown);
    });
    Platform.Events.push_back([] { FAIL() << "the loop went on after the exit command"; });
    EXPECT_EQ(RunProgram(Platform), 0);
    EXPECT_TRUE(Platform.QuitRequested);
    EXPECT_EQ(Platform.TrayAdds, 1);
    EXPECT_EQ(Platform.TrayDeletes, 1);
    EXPECT_TRUE(Platform.Shown.empty()); // nothing of Quorlan shows on the way out
    EXPECT_FALSE(Platform.Visible);
    EXPECT_FALSE(Platform.WatcherInstalled);
    EXPECT_EQ(Platform.Handler, nullptr);
    EXPECT_FALSE(Folder.ExistsNative("app/Quorlan.ini"));
}

TEST_F(TrayTest, WindowsOwnPrintScreenIsAskedAboutOncePerSettingsFile) {
    struct Row {
        const char* what;
        std::optional<bool> system;
        const char* ini;
        int answer;
        bool asked;
        std::optional<bool> after;
        bool writeFails = false;
    } rows[] = {
        {"on: Yes turns it off", true, "", mrYes, true, false},
        {"on: No leaves it", true, "", mrNo, true, true},
        {"on, but asked before", true, "[Keys]\r\nPrintScreenAsked=1\r\n", mrYes, false, true},
        {"off", false, "", mrYes, false, false},
        {"not there", std::nullopt, "", mrYes, false, std::nullopt},
        {"on, no key uses PrintScreen", true,
         "[Keys]\r\nCapture=F9\r\nCaptureWindow=\r\nSelectRegion=\r\nCaptureScreen="
         "\r\nScrollCapture=\r\nReadText=\r\n",
         mrYes, false, true},
        {"on, Yes, but it cannot be written", true, "", mrYes, true, true, true},
    };
    for (const Row& row : rows) {
        Folder.WriteNative("app/Quorlan.ini", row.ini);
        THeadlessPlatform platform;
        platform.ExePath = Platform.ExePath;
        platform.SystemSnipping = row.system;
        platform.SystemSnippingLocked = row.writeFails;
        platform.Answer(row.answer);
        TMainForm form(platform);
        platform.SetEventHandler(&form);
        form.FormCreate();
        form.FormDestroy();
        ASSERT_EQ(platform.Boxes.size(), (row.asked ? 1u : 0u) + (row.writeFails ? 1u : 0u))
            << row.what;
        if (row.asked) {
            EXPECT_EQ(platform.Boxes[0].Text,
                      "Windows の設定で、PrintScreen キーが画面キャプチャ(切り取り)を開くように"
                      "なっています。\rPrintScreen キーを Quorlan で使えるように、この設定を"
                      "オフにしますか？")
                << row.what;
            EXPECT_EQ(platform.Boxes[0].Buttons, TBoxButtons::YesNo);
            EXPECT_NE(Folder.ReadNative("app/Quorlan.ini").find("PrintScreenAsked=1"),
                      std::string::npos)
                << row.what;
        }
        if (row.writeFails) {
            EXPECT_EQ(platform.Boxes[1].Kind, TBoxKind::Warning);
        }
        EXPECT_EQ(platform.SystemSnipping, row.after) << row.what;
    }
}

TEST_F(TrayTest, AThreadsErrorIsToldOnceOnTheInterfaceThread) {
    Platform.Files().SweepFails = true;
    TMainForm form(Platform);
    Platform.SetEventHandler(&form);
    form.FormCreate();
    // A new folder chosen is swept too, fails too, and is not told again.
    Platform.DialogScript = [&](TOptionValues& values) {
        values.edtPath = Folder.Program("app");
        return mrOk;
    };
    form.mnOptionClick();
    EXPECT_TRUE(Platform.ErrorBoxes.empty()); // nothing shown from their threads
    for (int i = 0; i < 500 && Platform.ErrorBoxes.empty(); ++i) {
        Platform.DeliverPosted();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    form.FormDestroy(); // the sweeps joined
    Platform.DeliverPosted();
    EXPECT_EQ(Platform.ErrorBoxes, std::vector<std::string>{"the sweep ran out of memory."});
}

TEST_F(TrayTest, ASessionEndRemovesTheIconAndTheWatcherAtOnce) {
    TMainForm form(Platform);
    Platform.SetEventHandler(&form);
    form.FormCreate();
    EXPECT_TRUE(Platform.WatcherInstalled);
    Platform.Send([](IMainWindowEvents& events) { events.SessionEnding(); });
    EXPECT_EQ(Platform.TrayDeletes, 1);
    EXPECT_FALSE(Platform.WatcherInstalled);
    EXPECT_TRUE(Platform.Shown.empty());
}

TEST_F(TrayTest, ACloseRequestEndsTheProgramToo) {
    Folder.WriteNative("app/Quorlan.ini", "[File]\r\nDigit=5\r\n");
    Platform.Events.push_back(
        [this] { Platform.Send([](IMainWindowEvents& events) { events.CloseRequested(); }); });
    RunProgram(Platform);
    EXPECT_TRUE(Platform.QuitRequested);
    EXPECT_EQ(Platform.TrayDeletes, 1);
    EXPECT_TRUE(Platform.Shown.empty());
    EXPECT_EQ(Folder.ReadNative("app/Quorlan.ini"), "[File]\r\nDigit=5\r\n");
}

TEST(ErrorReport, TheGeneralErrorHandlerAddsAFullStop) {
    struct Row {
        std::string message, shown;
    } rows[] = {
        {"", ""},
        {"abc", "abc."},
        {"abc.", "abc."}, // "." is not above "."
        {"abc-", "abc-"}, // below "."
        {"abc ", "abc "},
        {"abc/", "abc/."}, // above "."
        {"表", "表."},     // a character beyond ASCII is always above
        {std::string("C:\\Tools\\Quorlan.ini に書き込めません"),
         std::string("C:\\Tools\\Quorlan.ini に書き込めません.")},
        {std::string("エラー。"), std::string("エラー。.")},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(GeneralErrorText(row.message), row.shown) << row.message;
    }

    THeadlessPlatform platform;
    TMainForm form(platform);
    try {
        throw EIniFileException("x");
    } catch (...) {
        form.HandleException();
    }
    try {
        throw std::bad_alloc();
    } catch (...) {
        form.HandleException();
    }
    ASSERT_EQ(platform.ErrorBoxes.size(), 2u);
    EXPECT_EQ(platform.ErrorBoxes[0], "x.");
    EXPECT_EQ(platform.ErrorBoxes[1], Text(TText::OutOfSystemResources) + ".");
}

TEST(BoxModel, ButtonsInTheirFixedOrderAndWhatEnterAndEscGive) {
    struct Row {
        TBoxKind kind;
        TBoxButtons buttons;
        std::vector<int> results;
        int enter, escape;
        const char* title;
    } rows[] = {
        {TBoxKind::Error, TBoxButtons::Ok, {mrOk}, mrOk, mrOk, "エラー"},
        {TBoxKind::Warning, TBoxButtons::OkCancel, {mrOk, mrCancel}, mrOk, mrCancel, "警告"},
        {TBoxKind::Warning, TBoxButtons::YesNo, {mrYes, mrNo}, mrYes, mrNo, "警告"},
    };
    for (const auto& row : rows) {
        const TBoxModel box = MakeBoxModel(row.kind, row.buttons);
        std::vector<int> results;
        for (const auto& button : box.Buttons) {
            results.push_back(button.Result);
        }
        EXPECT_EQ(results, row.results);
        EXPECT_EQ(box.EnterResult, row.enter);
        EXPECT_EQ(box.EscapeResult, row.escape);
        EXPECT_EQ(box.CloseResult, mrCancel);
        EXPECT_EQ(box.Title, row.title);
    }
    const TBoxModel yesNo = MakeBoxModel(TBoxKind::Warning, TBoxButtons::YesNo);
    EXPECT_EQ(yesNo.Buttons[0].Caption, std::string("はい(&Y)"));
    EXPECT_EQ(yesNo.Buttons[1].Caption, std::string("いいえ(&N)"));
    const std::string rule(27, '-');
    EXPECT_EQ(BoxClipboardText(yesNo, "a\rb"),
              rule + "\r\n" + std::string("警告") + "\r\n" + rule + "\r\na\rb\r\n" + rule + "\r\n" +
                  std::string("はい(Y)   いいえ(N)   ") + "\r\n" + rule + "\r\n");
}

} // namespace

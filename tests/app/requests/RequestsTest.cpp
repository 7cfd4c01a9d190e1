#include "app/MainForm.h"

#include "base/Errors.h"
#include "base/Texts.h"
#include "support/BmpReader.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

// The program's requests as the user makes them, through the tray, the keys and the boxes: each
// waits its turn, keeps its delay, and nothing is written on the way out.
class RequestsTest : public ::testing::Test {
protected:
    struct TProgram {
        THeadlessPlatform Platform;
        std::unique_ptr<TMainForm> Form;
    };
    std::unique_ptr<TProgram> Start(int delay) {
        auto program = std::make_unique<TProgram>();
        program->Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("pics");
        program->Platform.ExePath = Folder.Program("Quorlan.exe");
        program->Form = std::make_unique<TMainForm>(program->Platform);
        program->Platform.SetEventHandler(program->Form.get());
        program->Form->FormCreate();
        program->Form->Settings().Delay = delay;
        program->Form->Capture().SetRegion({2, 2, 10, 8});
        program->Form->Capture().ShowRegionInCaption();
        return program;
    }
    bool Has(const std::string& name) const { return Folder.ExistsNative("pics/" + name); }
    static void PrintScreen(THeadlessPlatform& platform) {
        platform.KeyEvent(true, kKeyPrintScreen);
        platform.KeyDecided();
    }
    static void Ticks(THeadlessPlatform& platform, int count) {
        for (int i = 0; i < count; ++i) {
            platform.Tick();
        }
    }

    TTempFolder Folder;
};

TEST_F(RequestsTest, EachWaitsItsTurnAndNothingIsWrittenOnTheWayOut) {
    struct Row {
        const char* what;
        int delay;
        std::function<void(THeadlessPlatform&, TMainForm&)> script;
    } rows[] = {
        {"a request made during a question keeps its delay after it", 3,
         [this](THeadlessPlatform& p, TMainForm&) {
             Folder.WriteNative("pics/0001.bmp", "old");
             p.Answers.push_back([&] {
                 PrintScreen(p);
                 return mrYes;
             });
             PrintScreen(p);
             Ticks(p, 3); // the first capture's countdown, then its question
             EXPECT_EQ(Folder.ReadNative("pics/0001.bmp").substr(0, 2), "BM");
             EXPECT_FALSE(Has("0002.bmp"));
             EXPECT_EQ(p.Countdown.back(), 3); // the second one's, begun after the question
             Ticks(p, 3);
             EXPECT_TRUE(Has("0002.bmp"));
         }},
        {"a double-click on the counting icon cancels it and starts nothing", 3,
         [this](THeadlessPlatform& p, TMainForm&) {
             p.TrayClick(TTrayEvent::LeftDown); // the shell's double-click: down, up, double
             p.TrayClick(TTrayEvent::DoubleClick);
             EXPECT_EQ(p.Countdown.back(), 3);
             p.TrayClick(TTrayEvent::LeftDown);
             p.TrayClick(TTrayEvent::DoubleClick);
             EXPECT_EQ(p.Countdown.back(), 0);
             EXPECT_FALSE(p.TimerOn);
             Ticks(p, 3);
             EXPECT_FALSE(Has("0001.bmp"));
         }},
        {"a countdown that runs out while our menu is open waits for it", 3,
         [this](THeadlessPlatform& p, TMainForm&) {
             PrintScreen(p);
             p.DuringMenu = [&] {
                 Ticks(p, 3);
                 EXPECT_FALSE(Has("0001.bmp"));
             };
             p.TrayClick(TTrayEvent::RightDown);
             EXPECT_TRUE(Has("0001.bmp"));
         }},
        {"and for the options dialog, with the number it took", 3,
         [this](THeadlessPlatform& p, TMainForm& form) {
             PrintScreen(p);
             p.DialogScript = [&](TOptionValues& values) {
                 Ticks(p, 3);
                 EXPECT_FALSE(Has("0001.bmp"));
                 values.spnStartVal.SetValue(7);
                 return mrOk;
             };
             p.MenuChoices.push_back(TMenuCommand::Option);
             p.TrayClick(TTrayEvent::RightDown);
             EXPECT_TRUE(Has("0007.bmp"));
             EXPECT_EQ(form.Capture().SerialNo(), 8);
         }},
        {"a failed capture's error box is part of it", 0,
         [this](THeadlessPlatform& p, TMainForm&) {
             Folder.WriteNative("pics/0001.bmp", "old");
             p.Answers.push_back([]() -> int { throw EOutOfResources("no memory"); });
             p.DuringErrorBox = [&] {
                 PrintScreen(p);
                 EXPECT_EQ(p.Boxes.size(), 1u); // it waits for the box
             };
             PrintScreen(p);
             EXPECT_EQ(p.ErrorBoxes, std::vector<std::string>{"no memory."});
             EXPECT_EQ(p.Boxes.size(), 2u); // then asks its own question, and saves
             EXPECT_EQ(ReadBmp(Folder.ReadNative("pics/0001.bmp")).Width, 8);
         }},
        {"exit during a question drops the request waiting and abandons the question", 0,
         [this](THeadlessPlatform& p, TMainForm&) {
             Folder.WriteNative("pics/0001.bmp", "old");
             p.Answers.push_back([&] {
                 PrintScreen(p);
                 p.MenuChoices = {TMenuCommand::Exit};
                 p.TrayClick(TTrayEvent::RightDown);
                 return mrYes;
             });
             PrintScreen(p);
             EXPECT_TRUE(p.QuitRequested);
             EXPECT_EQ(Folder.ReadNative("pics/0001.bmp"), "old");
             EXPECT_FALSE(Has("0002.bmp"));
             EXPECT_EQ(p.Boxes.size(), 1u);
             EXPECT_TRUE(p.ErrorBoxes.empty());
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove_all(Folder.Native("pics"));
        std::filesystem::create_directory(Folder.Native("pics"));
        const auto program = Start(row.delay);
        row.script(program->Platform, *program->Form);
        program->Form->FormDestroy();
    }
}

} // namespace

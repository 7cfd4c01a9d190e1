#include "app/MainForm.h"

#include "base/Texts.h"
#include "support/BmpReader.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

// A window at (10, 5)-(50, 45) of the 64 x 48 screen: a header of 6 rows and a footer of 4 that
// stay, between them 30 rows of a page of `rows`, scrolled 3 rows a notch of the wheel.
struct TPage {
    int Rows = 120;
    int Offset = 0;
    std::function<std::uint32_t(int x, int y)> Row = [](int x, int y) {
        return std::uint32_t(y) * 2654435761u % 0xFFFFFF ^ std::uint32_t(x);
    };
    std::uint32_t At(int x, int y) const { // y from the window's top
        return y < 6     ? 0x123400u + std::uint32_t(x + y)
               : y >= 36 ? 0x567800u + std::uint32_t(x + y)
                         : Row(x, Offset + y - 6) & 0xFFFFFF;
    }
    void Paint(THeadlessPlatform& platform) const {
        platform.PaintScreen([this](int x, int y) {
            return x >= 10 && x < 50 && y >= 5 && y < 45 ? At(x - 10, y - 5) : 0x808080u;
        });
    }
};

class ScrollCaptureTest : public ::testing::Test {
public:
    ScrollCaptureTest() {
        std::filesystem::create_directory(Folder.Native("pics"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("pics");
        Platform.ExePath = Folder.Program("Quorlan.exe");
        Platform.PageWindow = {10, 5, 50, 45};
        Platform.Pointer = {60, 40};
        Platform.OnWheel = [this](int notches) {
            Page.Offset = std::min(Page.Offset + 3 * notches, Page.Rows - 30);
            Page.Paint(Platform);
        };
        Page.Paint(Platform);
        Platform.SetEventHandler(&Form);
        Form.FormCreate();
        Form.Settings.NotifySaved = true;
        Form.FRegion = {1, 2, 3, 4};
        Form.ShowRegionInCaption();
    }
    // The menu's item, then the window's rectangle dragged on the frozen screen.
    void ChooseTheWindow() {
        Platform.MenuChoices = {TMenuCommand::ScrollCapture};
        Platform.TrayClick(TTrayEvent::RightDown);
        ASSERT_TRUE(Form.Visible());
        EXPECT_EQ(Platform.Aids.HintText, "スクロールする範囲をドラッグで選んでください");
        Platform.Press(10, 5);
        Platform.Move(50, 45, ssLeft);
        Platform.Release(50, 45);
    }
    void Ticks(int count) {
        for (int i = 0; i < count && Platform.ScrollTimer > 0; ++i) {
            Platform.ScrollTimerTick();
        }
    }
    // The file: the header, the page's rows from 0 to `rows`, the footer.
    void ExpectPage(const std::string& name, int rows, const TPage& page) {
        const TBmpFile file = ReadBmp(Folder.ReadNative("pics/" + name));
        ASSERT_EQ(file.Width, 40);
        ASSERT_EQ(file.Height, 6 + rows + 4);
        TPage whole = page;
        whole.Offset = 0;
        for (int y = 0; y < file.Height; ++y) {
            const int windowY = y < 6 + rows ? std::min(y, 35) : y - rows + 30;
            for (int x = 0; x < 40; ++x) {
                const std::uint32_t want =
                    y >= 6 && y < 6 + rows ? whole.Row(x, y - 6) & 0xFFFFFF : whole.At(x, windowY);
                ASSERT_EQ(file.Pixel(x, y), want) << name << " " << x << "," << y;
            }
        }
    }

    TTempFolder Folder;
    THeadlessPlatform Platform;
    TPage Page;
    TMainForm Form{Platform};
};

TEST_F(ScrollCaptureTest, TheWholePageOnceTheRegionAsItWasAndTheHeightTold) {
    ChooseTheWindow();
    EXPECT_FALSE(Form.Visible());
    EXPECT_EQ(Platform.ScrollFrame, (TCaptureRegion{10, 5, 50, 45}));
    EXPECT_EQ(Platform.Pointer, (TScreenPoint{30, 25}));
    EXPECT_EQ(Platform.Fronted, std::vector<TWindowId>{7});
    EXPECT_TRUE(Platform.EscapeWatched);
    Platform.KeyEvent(true, kKeyPrintScreen); // a capture asked for meanwhile does nothing
    Platform.RunMessageLoop();
    Ticks(1000);
    EXPECT_EQ(Platform.ScrollTimer, 0);
    EXPECT_FALSE(Platform.ScrollFrame);
    EXPECT_EQ(Platform.Pointer, (TScreenPoint{60, 40})); // put back
    EXPECT_FALSE(Platform.EscapeWatched);
    ExpectPage("0001.bmp", 120, Page);
    EXPECT_FALSE(Folder.ExistsNative("pics/0002.bmp"));
    EXPECT_EQ(Form.FRegion, (TCaptureRegion{1, 2, 3, 4}));
    EXPECT_EQ(Platform.Caption, "矩形範囲選択(1,2,3,4)");
    EXPECT_EQ(Platform.Notices.back(), "Quorlan|0001.bmp  (高さ 130 px)");
    EXPECT_EQ(Form.FSerialNo, 2);
}

TEST_F(ScrollCaptureTest, EscTheLabelAPageThatChangesAndTheLimitsKeepWhatIsExact) {
    struct Row {
        const char* what;
        std::function<void(ScrollCaptureTest&)> stop;
        int rows;   // of the page kept
        bool early; // the notice says it stopped where the page changed
        int maxHeight = 30000;
    } rows[] = {
        {"Esc",
         [](ScrollCaptureTest& t) {
             t.Platform.KeyEvent(true, kKeyEscape);
             t.Platform.RunMessageLoop();
         },
         30 + 6 * 6, false},
        {"a click on the label", [](ScrollCaptureTest& t) { t.Platform.ClickScrollLabel(); },
         30 + 6 * 6, false},
        {"the page changes",
         [](ScrollCaptureTest& t) {
             t.Page.Row = [](int x, int y) { return std::uint32_t(y) * 40503u ^ std::uint32_t(x); };
             t.Ticks(1000);
         },
         30 + 7 * 6, true}, // the step shown before the change is still added
        {"the height limit: the page cut above its footer",
         [](ScrollCaptureTest& t) { t.Ticks(1000); }, 50, false, 60},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Page = TPage{};
        Page.Paint(Platform);
        Form.Settings.ScrollMaxHeight = row.maxHeight;
        ChooseTheWindow();
        // The first screen still at the second tick; then each step: the turn shows at the
        // first tick, is still at the second; 6 rows added.
        Ticks(2 + 2 * 6);
        const TPage shown = Page; // as it was before it changed
        row.stop(*this);
        EXPECT_EQ(Platform.ScrollTimer, 0);
        const std::string name = "000" + std::to_string(Form.FSerialNo - 1) + ".bmp";
        ExpectPage(name, row.rows, shown);
        EXPECT_EQ(Platform.Notices.back().find("そこまでを保存しました") != std::string::npos,
                  row.early);
    }
    // A picture taller than JPEG takes is refused before anything is written.
    Form.Settings.ImageType = itJpeg;
    Form.FRegion = {0, 0, 4, 65501};
    Form.ShowRegionInCaption();
    Form.mnCaptureClick();
    ASSERT_FALSE(Platform.Boxes.empty());
    EXPECT_EQ(Platform.Boxes.back().Text, Text(TText::SaveFailed));
    EXPECT_FALSE(Folder.ExistsNative("pics/0005.jpg"));
    EXPECT_EQ(Form.FSerialNo, 5);
}

} // namespace

#include "app/MainForm.h"

#include "base/Texts.h"
#include "platform/ScrollLabel.h"
#include "support/BmpReader.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

// A window at (10, 5)-(50, 45) of the 64 x 48 screen: a header of 6 rows and a footer of 4 that
// stay, between them 30 rows of a page of `rows`, scrolled `perNotch` rows a notch of the wheel
// (parts of a notch taken as they come, or only once they make a whole one).
struct TPage {
    int Rows = 120;
    int PerNotch = 3;
    bool Parts = true;
    int Units = 0;
    std::function<std::uint32_t(int x, int y)> Row = [](int x, int y) {
        return std::uint32_t(y) * 2654435761u % 0xFFFFFF ^ std::uint32_t(x);
    };
    int Offset() const {
        const int units = Parts ? Units : Units / kWheelNotch * kWheelNotch;
        return std::min(units * PerNotch / kWheelNotch, Rows - 30);
    }
    void Turn(int units) {
        const int most = ((Rows - 30) * kWheelNotch + PerNotch - 1) / PerNotch;
        Units = std::clamp(Units + units, 0, most);
    }
    std::uint32_t At(int x, int y) const { // y from the window's top
        return y < 6     ? 0x123400u + std::uint32_t(x + y)
               : y >= 36 ? 0x567800u + std::uint32_t(x + y)
                         : Row(x, Offset() + y - 6) & 0xFFFFFF;
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
        Platform.OnWheel = [this](int units) {
            Page.Turn(units);
            Page.Paint(Platform);
        };
        Page.Paint(Platform);
        Platform.SetEventHandler(&Form);
        Form.FormCreate();
        Form.Settings().NotifySaved = true;
        Form.Capture().SetRegion({1, 2, 3, 4});
        Form.Capture().ShowRegionInCaption();
    }
    // The menu's item, then the rectangle dragged on the frozen screen.
    void Choose(const TCaptureRegion& rect = {10, 5, 50, 45}) {
        Platform.MenuChoices = {TMenuCommand::ScrollCapture};
        Platform.TrayClick(TTrayEvent::RightDown);
        ASSERT_TRUE(Platform.Visible);
        EXPECT_EQ(Platform.Aids.HintText, "スクロールする範囲をドラッグで選んでください");
        Platform.Press(rect.Left, rect.Top);
        Platform.Move(rect.Right, rect.Bottom, ssLeft);
        Platform.Release(rect.Right, rect.Bottom);
    }
    void Ticks(int count) {
        for (int i = 0; i < count && Platform.ScrollTimer > 0; ++i) {
            Platform.ScrollTimerTick();
        }
    }
    // Everything of the scroll let go.
    void ExpectLetGo() {
        EXPECT_EQ(Platform.ScrollTimer, 0);
        EXPECT_FALSE(Platform.ScrollFrame);
        EXPECT_EQ(Platform.Pointer, (TScreenPoint{60, 40}));
        EXPECT_FALSE(Platform.EscapeWatched);
        EXPECT_FALSE(Platform.PinWindows.Hidden);
        EXPECT_EQ(Platform.Tip, "");
    }
    // The file: the header, the page's rows from 0 to `rows`, the footer.
    void ExpectPage(const std::string& name, int rows, const TPage& page) {
        const TBmpFile file = ReadBmp(Folder.ReadNative("pics/" + name));
        ASSERT_EQ(file.Width, 40);
        ASSERT_EQ(file.Height, 6 + rows + 4);
        TPage whole = page;
        whole.Units = 0;
        for (int y = 0; y < file.Height; ++y) {
            const int windowY = y < 6 + rows ? std::min(y, 35) : y - rows + 30;
            for (int x = 0; x < 40; ++x) {
                const std::uint32_t want =
                    y >= 6 && y < 6 + rows ? whole.Row(x, y - 6) & 0xFFFFFF : whole.At(x, windowY);
                ASSERT_EQ(file.Pixel(x, y), want) << name << " " << x << "," << y;
            }
        }
    }
    std::string LastFile() {
        const std::string number = std::to_string(Form.Capture().SerialNo() - 1);
        return std::string(4 - number.size(), '0') + number + ".bmp";
    }

    TTempFolder Folder;
    THeadlessPlatform Platform;
    TPage Page;
    TMainForm Form{Platform};
};

TEST_F(ScrollCaptureTest, TheWholePageOnceTheTurnFollowingThePageTheRegionAsItWas) {
    Choose();
    EXPECT_FALSE(Platform.Visible);
    EXPECT_EQ(Platform.ScrollFrame, (TCaptureRegion{10, 5, 50, 45}));
    // No room for the label beside the window on this small screen: the count is in the tip.
    EXPECT_FALSE(Platform.ScrollLabelAt);
    EXPECT_EQ(Platform.Tip, "スクロール中… 40 px  (Esc で終了)");
    EXPECT_EQ(Platform.Pointer, (TScreenPoint{30, 25}));
    EXPECT_EQ(Platform.Fronted, std::vector<TWindowId>{7});
    EXPECT_TRUE(Platform.EscapeWatched);
    EXPECT_TRUE(Platform.PinWindows.Hidden);
    Ticks(1000);
    ExpectLetGo();
    ExpectPage("0001.bmp", 120, Page);
    EXPECT_FALSE(Folder.ExistsNative("pics/0002.bmp"));
    EXPECT_EQ(Form.Capture().Region(), (TCaptureRegion{1, 2, 3, 4}));
    EXPECT_EQ(Platform.Caption, "矩形範囲選択(1,2,3,4)");
    EXPECT_EQ(Platform.Notices.back(), "Quorlan|0001.bmp  (高さ 130 px)");
    // A notch first, 3 rows; then about half the 30 moving rows a turn.
    ASSERT_GE(Platform.Turns.size(), 3u);
    EXPECT_EQ(Platform.Turns[0], kWheelNotch);
    EXPECT_EQ(Platform.Turns[1], 5 * kWheelNotch);
}

// A page that moves too far a notch: the turn taken back and halved; where even the smallest part
// of a notch is too far, the page ends with what is exact, saying so.
TEST_F(ScrollCaptureTest, ATurnTooFarIsTakenBackAndHalved) {
    struct Row {
        const char* what;
        int perNotch;
        bool parts;
        std::vector<int> turns; // the first turns sent
        int rows;               // of the page kept
        const char* notice;
    } rows[] = {
        {"25 rows a notch, parts taken",
         25,
         true,
         {120, -120, 60, 75},
         120,
         "0001.bmp  (高さ 130 px)"},
        {"25 rows a notch, whole notches only",
         25,
         false,
         {120, -120, 60},
         30,
         "0002.bmp  (高さ 40 px。ページの動きを正確に追えなかったため、そこまでを保存しました)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Page = TPage{};
        Page.PerNotch = row.perNotch;
        Page.Parts = row.parts;
        Page.Paint(Platform);
        Platform.Turns.clear();
        Choose();
        Ticks(1000);
        ExpectLetGo();
        ASSERT_GE(Platform.Turns.size(), row.turns.size());
        EXPECT_EQ(std::vector<int>(Platform.Turns.begin(),
                                   Platform.Turns.begin() + std::ptrdiff_t(row.turns.size())),
                  row.turns);
        ExpectPage(LastFile(), row.rows, Page);
        EXPECT_EQ(Platform.Notices.back(), std::string("Quorlan|") + row.notice);
    }
}

TEST_F(ScrollCaptureTest, EveryOtherEndKeepsWhatIsExactLetsGoAndSaysWhy) {
    struct Row {
        const char* what;
        std::function<void(ScrollCaptureTest&)> stop;
        int rows;        // of the page kept
        const char* why; // in the notice
        int errorBoxes = 0;
        int maxHeight = 30000;
        std::uint64_t memory = std::uint64_t{16} << 30;
    } rows[] = {
        {"Esc",
         [](ScrollCaptureTest& t) {
             t.Platform.KeyEvent(true, kKeyEscape);
             t.Platform.RunMessageLoop();
         },
         30 + 3 + 15, "途中で止めた"},
        {"a click on the label", [](ScrollCaptureTest& t) { t.Platform.ClickScrollLabel(); },
         30 + 3 + 15, "途中で止めた"},
        {"the page changes",
         [](ScrollCaptureTest& t) {
             t.Page.Row = [](int x, int y) { return std::uint32_t(y) * 40503u ^ std::uint32_t(x); };
             t.Ticks(1000);
         },
         30 + 3 + 15 + 15, "スクロール中にページが変わった"}, // the turn shown before it
        {"the height limit set: the page cut above its footer",
         [](ScrollCaptureTest& t) { t.Ticks(1000); }, 50, "設定した高さの上限 60 px に達した", 0,
         60},
        {"the memory for this width", [](ScrollCaptureTest& t) { t.Ticks(1000); }, 70,
         "この幅でメモリーに収まる高さの上限 80 px に達した", 0, 30000, 2 * 80 * (4 * 40 + 120)},
        {"two minutes by the clock",
         [](ScrollCaptureTest& t) {
             t.Platform.ScrollClock += 120 * 1000;
             t.Ticks(1);
         },
         30 + 3 + 15, "2 分の時間制限に達した"},
        {"the pointer moved: no turn sent",
         [](ScrollCaptureTest& t) {
             const std::size_t turns = t.Platform.Turns.size();
             t.Platform.Pointer = {31, 25};
             t.Ticks(1000);
             EXPECT_EQ(t.Platform.Turns.size(), turns);
         },
         30 + 3 + 15 + 15, "マウスが動いたか、別のウィンドウが前面に出た"},
        {"another window in front: no turn sent",
         [](ScrollCaptureTest& t) {
             const std::size_t turns = t.Platform.Turns.size();
             t.Platform.Foreground = 9;
             t.Ticks(1000);
             EXPECT_EQ(t.Platform.Turns.size(), turns);
         },
         30 + 3 + 15 + 15, "マウスが動いたか、別のウィンドウが前面に出た"},
        {"a grab that fails: one box, the exact page saved",
         [](ScrollCaptureTest& t) {
             t.Platform.GrabFails = true;
             t.Ticks(1000);
             t.Platform.GrabFails = false;
         },
         30 + 3 + 15, "画面を読み取れなくなった", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Page = TPage{};
        Page.Paint(Platform);
        Form.Settings().ScrollMaxHeight = row.maxHeight;
        Platform.Memory = row.memory;
        Platform.ErrorBoxes.clear();
        Platform.Foreground = 0;
        Choose();
        // The first screen still at the second tick; a notch (3 rows) and a turn of 15 rows, each
        // settled at the second tick after it.
        Ticks(2 + 2 * 2);
        const TPage shown = Page; // as it was before it changed
        row.stop(*this);
        ExpectLetGo();
        EXPECT_EQ(Platform.ErrorBoxes.size(), std::size_t(row.errorBoxes));
        ExpectPage(LastFile(), row.rows, shown);
        EXPECT_NE(Platform.Notices.back().find(std::string("。") + row.why +
                                               "ため、そこまでを保存しました)"),
                  std::string::npos)
            << Platform.Notices.back();
        // The screen is free again: the next request runs.
        const std::int32_t before = Form.Capture().SerialNo();
        Platform.KeyEvent(true, kKeyPrintScreen);
        Platform.RunMessageLoop();
        EXPECT_EQ(Form.Capture().SerialNo(), before + 1);
    }
}

TEST_F(ScrollCaptureTest, APrintScreenDuringThePagesQuestionWaitsAndRunsAfterIt) {
    Folder.WriteNative("pics/0001.bmp", "an earlier capture");
    Form.Settings().IsUpdate = true;
    Platform.Answers.push_back([this] {
        Platform.KeyEvent(true, kKeyPrintScreen);
        Platform.RunMessageLoop();
        EXPECT_EQ(Form.Capture().SerialNo(), 1); // not inside the question
        return mrYes;
    });
    Choose();
    Ticks(1000);
    ExpectPage("0001.bmp", 120, Page);
    EXPECT_EQ(Form.Capture().SerialNo(), 3);
    EXPECT_TRUE(Folder.ExistsNative("pics/0002.bmp"));
}

TEST_F(ScrollCaptureTest, TheSessionEndingEndsAScrollWithoutSaving) {
    // No key bound (the options taken as they are): Esc alone kept the watcher.
    Form.Settings().SavePrtScrKey = false;
    Platform.DialogScript = [](TOptionValues&) { return mrOk; };
    Form.mnOptionClick();
    Choose();
    Ticks(6);
    Form.SessionEnding();
    ExpectLetGo();
    EXPECT_FALSE(Folder.ExistsNative("pics/0001.bmp"));
    EXPECT_TRUE(Platform.Notices.empty());
}

// The height a page may reach, lowered before the first turn to what the format takes and to
// what the picture's store and the memory left hold at that width.
TEST(ScrollHeightLimit, TheSettingLoweredByTheFormatAndTheMemory) {
    constexpr std::uint64_t gib = std::uint64_t{1} << 30, store = 0x7FFFFFFFu - 2048u;
    struct Row {
        const char* what;
        std::int32_t setting;
        bool jpeg;
        std::int32_t width;
        std::uint64_t rowBytes, memory;
        TScrollHeight want;
    } rows[] = {
        {"the setting", 30000, false, 1000, 3000, 16 * gib, {30000, TScrollLimit::Setting}},
        {"JPEG", 100000, true, 1000, 3000, 16 * gib, {65500, TScrollLimit::Jpeg}},
        {"a 32-bit picture 30,000 wide: its 2 GiB",
         100000,
         false,
         30000,
         120000,
         64 * gib,
         {17895, TScrollLimit::Memory}},
        {"1 GiB left at 3,840 wide, 24-bit",
         100000,
         true,
         3840,
         11520,
         gib,
         {19972, TScrollLimit::Memory}},
        {"no memory at all: a row", 30000, false, 1000, 3000, 0, {1, TScrollLimit::Memory}},
    };
    for (const Row& row : rows) {
        const TScrollHeight got =
            ScrollHeightLimit(row.setting, row.jpeg, row.width, row.rowBytes, store, row.memory);
        EXPECT_EQ(got.Rows, row.want.Rows) << row.what;
        EXPECT_EQ(got.By, row.want.By) << row.what;
    }
}

} // namespace

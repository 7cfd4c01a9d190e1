#include "app/capture/CaptureCommand.h"

#include "platform/PixelRows.h"
#include "support/BmpReader.h"
#include "support/PosixFileSystem.h"
#include "support/TempFolder.h"
#include "support/headless/HeadlessDialogs.h"
#include "support/headless/HeadlessDisplay.h"
#include "support/headless/HeadlessShell.h"
#include "support/headless/HeadlessTray.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {

// The boxes straight from the dialogs: nothing else is counted open here.
class TDirectQuestions final : public IQuestions {
public:
    explicit TDirectQuestions(IDialogs& dialogs) : FDialogs(dialogs) {}
    int Ask(const std::string& text, TBoxKind kind, TBoxButtons buttons) override {
        return FDialogs.ShowMessageBox(text, kind, buttons);
    }
    void WhileDialogOpen(const std::function<void()>& show) override { show(); }
    void WhileMenuOpen(const std::function<void()>& show) override { show(); }
    bool Closing() const override { return false; }

private:
    IDialogs& FDialogs;
};

std::shared_ptr<TPixelRows> Pattern(std::int32_t width, std::int32_t height, std::uint32_t seed) {
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = (std::uint32_t(i) * 2654435761u ^ seed) & 0xFFFFFF;
    }
    return TPixelRows::CopyOf({reinterpret_cast<const std::uint8_t*>(pixels.data()), width, height,
                               std::ptrdiff_t{width} * 4});
}

std::uint32_t PixelOf(const TScreenPixels& pixels, int x, int y) {
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, pixels.View().Row(y) + 4 * x, 4);
    return pixel & 0xFFFFFF;
}

// The capture command on its own, over the fakes of the roles it takes: each source's pixels,
// and only its pixels, reach the file, whatever the live screen shows meanwhile.
TEST(CaptureSources, EachSourceIsWhatTheFileHolds) {
    TTempFolder folder;
    std::filesystem::create_directory(folder.Native("pics"));
    THeadlessDisplay display;
    bool overlayShown = false;
    THeadlessTray tray(overlayShown, display.Grabs);
    THeadlessShell shell;
    THeadlessDialogs dialogs;
    TPosixFileSystem files;
    TDirectQuestions questions(dialogs);
    TCaptureNotice notice(tray, shell);
    TCaptureSettings settings;
    settings.Path = folder.Program("pics\\");
    settings.Digit = 4;
    settings.ImageBit = 5; // 32 bits
    TCaptureCommand command(display, tray, shell, files, settings, questions, notice);

    const auto picture = Pattern(7, 5, 0x111111);
    const auto snapshot = Pattern(64, 48, 0x222222);
    const auto page = Pattern(9, 11, 0x333333);
    TRowBlocks blocks(9);
    blocks.Append(page->View(), 0, 11);

    TCaptureSource fromScreen;
    fromScreen.Rect = TCaptureRegion{3, 2, 20, 11};
    TCaptureSource fromSnapshot = fromScreen;
    fromSnapshot.Snapshot = snapshot;
    TCaptureSource fromPicture;
    fromPicture.Rect = TCaptureRegion{0, 0, 7, 5};
    fromPicture.Picture = picture->View();
    TCaptureSource fromPage;
    fromPage.Rect = TCaptureRegion{0, 0, 9, 11};
    fromPage.Page = &blocks;
    const struct {
        const char* what;
        const TCaptureSource& source;
        std::function<std::uint32_t(int x, int y)> want;
    } rows[] = {
        {"the screen", fromScreen, [&](int x, int y) { return display.ScreenAt(x + 3, y + 2); }},
        {"the frozen snapshot", fromSnapshot,
         [&](int x, int y) { return PixelOf(*snapshot, x + 3, y + 2); }},
        {"a picture", fromPicture, [&](int x, int y) { return PixelOf(*picture, x, y); }},
        {"a page", fromPage, [&](int x, int y) { return PixelOf(*page, x, y); }},
    };
    for (const auto& row : rows) {
        const std::int32_t number = command.SerialNo();
        command.Run(row.source);
        ASSERT_EQ(command.SerialNo(), number + 1) << row.what;
        const std::string name = "pics/000" + std::to_string(number) + ".bmp";
        const TBmpFile file = ReadBmp(folder.ReadNative(name));
        const TCaptureRegion rect = *row.source.Rect;
        ASSERT_EQ(file.Width, rect.Right - rect.Left) << row.what;
        ASSERT_EQ(file.Height, rect.Bottom - rect.Top) << row.what;
        for (int y = 0; y < file.Height; ++y) {
            for (int x = 0; x < file.Width; ++x) {
                ASSERT_EQ(file.Pixel(x, y), row.want(x, y)) << row.what << " " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(display.Grabs, 1); // the screen's row only
    EXPECT_TRUE(dialogs.Boxes.empty());

    // With no rectangle, the region chosen, which there is not yet.
    command.Run({});
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Kind, TBoxKind::Error);
    EXPECT_EQ(command.SerialNo(), 5);
}

} // namespace

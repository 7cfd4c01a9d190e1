#include "app/MainForm.h"

#include "base/Texts.h"
#include "support/BmpReader.h"
#include "support/HeadlessPlatform.h"
#include "support/PngDecoder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class AfterCaptureTest : public ::testing::Test {
protected:
    AfterCaptureTest() {
        std::filesystem::create_directory(Folder.Native("pics"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("pics");
        Platform.ExePath = Folder.Program("Quorlan.exe");
        Platform.SetEventHandler(&Form);
        Form.FormCreate();
        Form.Capture().SetRegion({3, 2, 20, 11});
        Form.Capture().ShowRegionInCaption();
    }

    // The clipboard's bitmap read as the file it would be with a file header before it.
    TBmpFile ClipboardDib() const {
        std::string dib(Platform.Clipboard->DibSize(), '\xAA'); // what padding must not keep
        Platform.Clipboard->WriteDib(reinterpret_cast<std::uint8_t*>(dib.data()));
        std::string file = "BM";
        for (const std::uint32_t field : {std::uint32_t(14 + dib.size()), 0u, 14u + 40u}) {
            for (int shift = 0; shift < 32; shift += 8) {
                file += static_cast<char>(field >> shift);
            }
        }
        return ReadBmp(file + dib);
    }

    TTempFolder Folder;
    THeadlessPlatform Platform;
    TMainForm Form{Platform};
};

TEST_F(AfterCaptureTest, TheClipboardShowsTheFilesColoursAsA24BitDibAndAPng) {
    Form.Settings().CopyToClipboard = true;
    for (int imageBit = 0; imageBit < 6; ++imageBit) {
        Form.Settings().ImageBit = imageBit;
        const int number = Form.Capture().SerialNo();
        Form.mnCaptureClick();
        const TBmpFile file =
            ReadBmp(Folder.ReadNative("pics/000" + std::to_string(number) + ".bmp"));
        const TBmpFile dib = ClipboardDib();
        const TDecodedPng png = DecodePng(Platform.Clipboard->Png());
        ASSERT_EQ(dib.BitCount, 24);
        ASSERT_EQ(dib.Width, 17);
        ASSERT_EQ(dib.Height, 9);
        ASSERT_EQ(png.Width, 17u);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 17; ++x) {
                ASSERT_EQ(dib.Pixel(x, y), file.Pixel(x, y)) << imageBit << ": " << x << "," << y;
                ASSERT_EQ(png.Pixel(x, y), file.Pixel(x, y)) << imageBit << ": " << x << "," << y;
            }
        }
    }
    // JPEG: the pixels before compression.
    Form.Settings().ImageType = itJpeg;
    Form.Settings().ImageBit = 3;
    Form.mnCaptureClick();
    const TBmpFile dib = ClipboardDib();
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 17; ++x) {
            ASSERT_EQ(dib.Pixel(x, y), Platform.Screen[std::size_t(y + 2) * 64 + x + 3]);
        }
    }
    EXPECT_TRUE(Platform.Boxes.empty());
}

TEST_F(AfterCaptureTest, ABusyClipboardIsToldAndTheFileStaysCounted) {
    Form.mnCaptureClick(); // the switch off: the clipboard is left alone
    EXPECT_EQ(Platform.Clipboard, nullptr);

    Form.Settings().CopyToClipboard = true;
    Platform.ClipboardBusy = true;
    Form.mnCaptureClick();
    ASSERT_EQ(Platform.Boxes.size(), 1u);
    EXPECT_EQ(Platform.Boxes[0].Text, "クリップボードにコピーできませんでした。");
    EXPECT_EQ(Platform.Boxes[0].Kind, TBoxKind::Warning);
    EXPECT_EQ(Platform.Boxes[0].Buttons, TBoxButtons::Ok);
    EXPECT_TRUE(Folder.ExistsNative("pics/0002.bmp"));
    EXPECT_EQ(Form.Capture().SerialNo(), 3);
}

TEST_F(AfterCaptureTest, TheNoticeNamesTheFileWaitsForTheOverlayAndOpensItsFolder) {
    Form.Settings().NotifySaved = true;
    Form.mnCaptureClick();
    EXPECT_EQ(Platform.Notices, std::vector<std::string>{"Quorlan|0001.bmp"});
    EXPECT_GE(Platform.NoticeHides, 1); // taken away before the screen was copied

    Platform.TrayClick(TTrayEvent::NoticeClicked);
    EXPECT_EQ(Platform.ShownInFolder, std::vector<std::string>{Folder.Program("pics\\0001.bmp")});

    // Captured as the overlay's selection ends: the notice comes once the overlay is gone.
    Form.mnPositionClick();
    Platform.Press(4, 4);
    Platform.Move(9, 9, ssLeft);
    Platform.Release(9, 9);
    EXPECT_EQ(Platform.Notices.back(), "Quorlan|0002.bmp");

    // A failed save has its box and no notice.
    Form.Settings().Path = Folder.Program("missing\\");
    Form.mnCaptureClick();
    ASSERT_EQ(Platform.Boxes.size(), 1u);
    EXPECT_EQ(Platform.Boxes[0].Text, Text(TText::SaveFailed));
    EXPECT_EQ(Platform.Notices.size(), 2u);
}

} // namespace

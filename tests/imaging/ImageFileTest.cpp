#include "imaging/Bitmap.h"
#include "imaging/JpegImage.h"
#include "imaging/PngImage.h"

#include "base/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/Frames.h"
#include "support/PosixFileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <string>

namespace {

using TSave = std::function<void(const TBitmap&, const std::string&, IFileSystem&)>;

struct TWriter {
    const char* Extension;
    TSave Save;
};

const TWriter kWriters[] = {
    {".bmp", [](const TBitmap& b, const std::string& name,
                IFileSystem& files) { b.SaveBmpFile(name, files); }},
    {".jpg",
     [](const TBitmap& b, const std::string& name, IFileSystem& files) {
         TJPEGImage jpeg;
         jpeg.Quality = 100;
         jpeg.SetSourceBitmap(b);
         jpeg.SaveJpegFile(name, files);
     }},
    {".png", [](const TBitmap& b, const std::string& name,
                IFileSystem& files) { SavePngFile(b, name, files); }},
};

// What every writer shares through the output file: a bitmap with no pixels replaces the old
// file with an empty one, and a save that fails in any way raises the right error and leaves
// the old file as it was, with no temporary behind.
TEST(ImageFile, EmptyBitmapsAndFailedSavesAtEveryWriter) {
    const TBitmap picture = CaptureOf(VariedFrame(200, 200), TPixelDepth::pd24Bit);
    TBitmap empty;
    empty.SetColumns(5);
    empty.SetRows(0);
    empty.SetPixelDepth(TPixelDepth::pd8Bit);
    for (const TWriter& writer : kWriters) {
        SCOPED_TRACE(writer.Extension);
        TTempFolder folder;
        TPosixFileSystem files;
        const std::string name = std::string("0001") + writer.Extension;

        folder.WriteNative(name, "old contents");
        writer.Save(empty, folder.Program(name), files);
        EXPECT_EQ(folder.ReadNative(name), "");

        folder.WriteNative(name, "precious");
        {
            TFileSizeLimit limit(2048); // the disk fills up after 2 KB
            EXPECT_THROW(writer.Save(picture, folder.Program(name), files), EWriteError);
        }
        EXPECT_EQ(folder.ReadNative(name), "precious");

        ::chmod(folder.Native(name).c_str(), 0444);
        EXPECT_THROW(writer.Save(picture, folder.Program(name), files), EFCreateError);
        EXPECT_EQ(folder.ReadNative(name), "precious");

        const std::string missing = folder.Program("gone\\" + name);
        try {
            writer.Save(picture, missing, files);
            ADD_FAILURE() << "saved into a missing folder";
        } catch (const EFCreateError& error) {
            EXPECT_EQ(error.Message().rfind("ファイル \"" + missing + "\". ", 0), 0u)
                << error.Message();
            EXPECT_NE(error.Message().find(" を作成できません"), std::string::npos);
        }
        EXPECT_EQ(folder.Listing(), name);
    }
}

} // namespace

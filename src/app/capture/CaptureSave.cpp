#include "app/capture/CaptureCommand.h"

#include "base/Errors.h"
#include "base/Texts.h"
#include "imaging/JpegImage.h"
#include "imaging/PixelDepth.h"
#include "imaging/PngImage.h"
#include "imaging/PointerPatch.h"

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

// The pointer over the screen's pixels of the capture, at the capture's depth.
void DrawPointer(TBitmap& bitmap, const TCaptureRegion& region, const TPointerPicture& pointer,
                 const TScreenPixels& screen) {
    const std::int64_t blockLeft = std::int64_t{screen.Left} + screen.OffsetX;
    const std::int64_t blockTop = std::int64_t{screen.Top} + screen.OffsetY;
    const std::vector<std::uint8_t> patch =
        PointerPatch(pointer, screen.View(), blockLeft, blockTop);
    const std::int64_t x = std::int64_t{pointer.Left} - region.Left;
    const std::int64_t y = std::int64_t{pointer.Top} - region.Top;
    if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
        bitmap.DrawPixels32(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                            PatchView(pointer, patch));
    }
}

} // namespace

bool TCaptureCommand::Save(const TCaptureRegion& region, const std::string& fileName,
                           TBitmap& saved, const TCaptureSource& source) {
    try {
        const std::int64_t width = std::int64_t{region.Right} - region.Left;
        const std::int64_t height = std::int64_t{region.Bottom} - region.Top;
        if (width > std::numeric_limits<std::int32_t>::max() ||
            height > std::numeric_limits<std::int32_t>::max()) {
            throw EOutOfResources(Text(TText::OutOfSystemResources));
        }
        if (FSettings.ImageType == itJpeg && height > kMaxJpegSide) {
            // Refused before anything is written: libjpeg takes no taller picture.
            throw EInvalidGraphicOperation(Text(TText::JpegTooTall));
        }
        TBitmap bitmap;
        bitmap.SetColumns(static_cast<std::int32_t>(width));
        bitmap.SetRows(static_cast<std::int32_t>(height));
        bitmap.SetPixelDepth(DepthForImageBit(FSettings.ImageBit));
        if (bitmap.HasStore()) {
            Draw(bitmap, region, source);
        }
        if (FSettings.ImageType == itJpeg) {
            TJPEGImage jpeg;
            jpeg.Quality = 100;
            jpeg.ProgressiveEncoding = false;
            jpeg.SetSourceBitmap(bitmap);
            jpeg.SaveJpegFile(fileName, FFiles);
        } else if (FSettings.ImageType == itPng) {
            SavePngFile(bitmap, fileName, FFiles);
        } else {
            bitmap.SaveBmpFile(fileName, FFiles);
        }
        saved = std::move(bitmap);
        return true;
    } catch (...) {
        FQuestions.Ask(Text(TText::SaveFailed), TBoxKind::Error, TBoxButtons::Ok);
        return false;
    }
}

void TCaptureCommand::Draw(TBitmap& bitmap, const TCaptureRegion& region,
                           const TCaptureSource& source) {
    if (source.Page) {
        bitmap.DrawRowBlocks(*source.Page); // given up as it is drawn
    } else if (source.Picture) {
        bitmap.DrawPixels32(0, 0, *source.Picture);
    } else if (const TScreenPixels* snapshot = source.Snapshot.get()) {
        // While the overlay is up the screen shows the snapshot: take its pixels from the
        // snapshot itself, so that no band still on its way to the screen, and no compositor
        // lagging behind, can ever reach the file.
        const std::int64_t x = std::int64_t{snapshot->Left} + snapshot->OffsetX - region.Left;
        const std::int64_t y = std::int64_t{snapshot->Top} + snapshot->OffsetY - region.Top;
        if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
            bitmap.DrawPixels32(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                snapshot->View());
        }
        if (FSettings.CaptureCursor && source.SnapshotPointer) {
            DrawPointer(bitmap, region, *source.SnapshotPointer, *snapshot);
        }
    } else {
        FTray.HideNotice(); // a notice of an earlier capture is no part of this one
        const auto screen =
            FDisplay.GrabScreen(region.Left, region.Top, bitmap.Width(), bitmap.Height());
        bitmap.DrawPixels32(screen->OffsetX, screen->OffsetY, screen->View());
        if (FSettings.CaptureCursor) {
            if (const auto pointer = FDisplay.PointerPicture()) { // as the copy found it
                DrawPointer(bitmap, region, *pointer, *screen);
            }
        }
    }
}

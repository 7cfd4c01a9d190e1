#pragma once

// The capture room: the capture command saves a picture, from wherever it comes, as the next
// numbered file in the format and depth chosen, with its questions (no region yet, the counter
// past its digits, the file there already), then puts it on the clipboard, tells it in a notice
// and opens it, as the settings ask. It keeps the region the command captures and the counter.

#include "app/capture/CaptureNotice.h"
#include "base/CaptureRegion.h"
#include "base/Pixels32.h"
#include "base/PointerPicture.h"
#include "imaging/Bitmap.h"
#include "imaging/RowBlocks.h"
#include "platform/Display.h"
#include "platform/FileSystem.h"
#include "platform/Questions.h"
#include "platform/Shell.h"
#include "platform/Tray.h"
#include "settings/CaptureSettings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// What a capture saves: `Rect` of the screen (none: the region chosen, which must have been),
// its pixels taken from the screen itself, from the frozen snapshot (with the pointer as it was
// frozen) or, when the picture is not the screen's, from a picture (a pin's, the marked
// selection's) or a scrolling capture's page, given up a block at a time as it is drawn. Its
// notice says ("%s" the file's name) the page's height and why it ended there.
struct TCaptureSource {
    std::optional<TCaptureRegion> Rect;
    std::shared_ptr<const TScreenPixels> Snapshot;
    std::optional<TPointerPicture> SnapshotPointer;
    std::optional<TPixels32View> Picture;
    TRowBlocks* Page = nullptr;
    std::string NoticeFormat;
    std::string Height;
    std::string Why;
};

class TCaptureCommand {
public:
    TCaptureCommand(IDisplay& display, ITray& tray, IShell& shell, IFileSystem& files,
                    TCaptureSettings& settings, IQuestions& questions, TCaptureNotice& notice);

    // The region the command captures, and the region item's caption that shows it.
    const TCaptureRegion& Region() const { return FRegion; }
    void SetRegion(const TCaptureRegion& region) { FRegion = region; }
    TCaptureRegion ScreenRegion() const;
    // The region item reads its base caption followed by "(Left,Top,Right,Bottom)".
    void ShowRegionInCaption();
    // A region has been shown in the region item since start-up.
    bool RegionChosen() const { return FPositionItemCaption != FPositionCaption; }
    const std::string& PositionItemCaption() const { return FPositionItemCaption; }

    // The number the next file takes.
    std::int32_t SerialNo() const { return FSerialNo; }
    void SetSerialNo(std::int32_t serialNo) { FSerialNo = serialNo; }
    // At start-up: the counter from 1, and no region chosen.
    void StartAfresh();
    // Told each time the counter moves on for a file saved.
    void OnCounted(std::function<void()> counted) { FCounted = std::move(counted); }

    // The command; closing while one of its questions is open abandons it there.
    void Run(const TCaptureSource& source);
    // A picture on the clipboard as a saved capture's would be: at the capture's depth.
    void CopyPicture(const TPixels32View& picture);

private:
    // Saves the region as the file; the bitmap written is left in `saved`.
    bool Save(const TCaptureRegion& region, const std::string& fileName, TBitmap& saved,
              const TCaptureSource& source);
    void Draw(TBitmap& bitmap, const TCaptureRegion& region, const TCaptureSource& source);
    void AfterSave(const TBitmap& capture, const std::string& fileName,
                   const TCaptureSource& source);

    IDisplay& FDisplay;
    ITray& FTray;
    IShell& FShell;
    IFileSystem& FFiles;
    TCaptureSettings& FSettings;
    IQuestions& FQuestions;
    TCaptureNotice& FNotice;
    std::function<void()> FCounted;
    TCaptureRegion FRegion;
    std::int32_t FSerialNo = 1;
    std::string FPositionCaption;
    std::string FPositionItemCaption;
};

#pragma once

#include "imaging/PixelDepth.h"
#include "imaging/PixelStore.h"

#include "base/Pixels32.h"

#include <cstdint>
#include <memory>
#include <string>

class TByteSink;
class IFileSystem;
class TRowBlocks;

// The bitmap every capture passes through. New: no size, pdScreen, no store. Setting both
// sizes gives it a white screen-compatible store (plain 32-bit pixels); setting a depth gives
// it a store at that depth, white again when it came from a white one. Stores are shared by
// SharePixels and copied before either side changes them.
class TBitmap {
public:
    TBitmap() = default;

    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    TPixelDepth PixelDepth() const { return FDepth; }
    bool HasStore() const { return FStore != nullptr; }

    // Both raise EOutOfResources when the store cannot be had, leaving the bitmap as it was.
    // A negative size raises EInvalidGraphicOperation.
    void SetColumns(std::int32_t value);
    void SetRows(std::int32_t value);
    void SetPixelDepth(TPixelDepth depth);

    void SharePixels(const TBitmap& source);

    // The drawing-surface role: copies a block of 32-bit screen pixels onto the bitmap with
    // its top-left corner at (x, y), converted to the bitmap's depth. Counts as a change.
    void DrawPixels32(std::int32_t x, std::int32_t y, const TPixels32View& block);
    // Draws rows that cover the bitmap, a block at a time from the top, each block given back
    // once drawn: the bitmap is not painted white first, and the two are never both held whole.
    void DrawRowBlocks(TRowBlocks& rows);

    // Row 0 is the top row of the picture. Counts as a change (a shared store is copied
    // first). Raises EInvalidGraphicOperation for a row outside 0 .. Height - 1.
    std::uint8_t* RowAddress(std::int32_t row);

    // The store for reading without taking a private copy; null when there is none.
    const TPixelStore* Store() const { return FStore.get(); }

    // The BMP file: headers, masks or colour table, then the rows bottom-up. A bitmap without
    // a store writes nothing at all.
    void WriteBmp(TByteSink& sink) const;
    // Writes the file through a temporary file beside it, moved over the name when complete:
    // a failure raises and leaves any earlier file as it was.
    void SaveBmpFile(const std::string& fileName, IFileSystem& files) const;

private:
    // A new store of that size and depth holding what the old one had.
    void Rebuild(std::int32_t width, std::int32_t height, TPixelDepth depth);
    // The store, unshared and with its white written, ready to change in part.
    TPixelStore& PrivateStore();

    std::int32_t FWidth = 0;
    std::int32_t FHeight = 0;
    TPixelDepth FDepth = TPixelDepth::pdScreen;
    std::shared_ptr<TPixelStore> FStore;
};

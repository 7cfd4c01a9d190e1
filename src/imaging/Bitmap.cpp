#include "imaging/Bitmap.h"

#include "imaging/RowBlocks.h"

#include "imaging/PixelCodec.h"
#include "imaging/StreamingStores.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Memory for the pixels about to be drawn; the white first unless every pixel is drawn.
void PrepareForDrawing(TPixelStore& store, bool whole) {
    if (whole) {
        store.PrepareFullWrite();
    } else {
        store.Materialize();
    }
}

// Copies the pixels both stores have (the top-left overlap) from one store into another,
// through 32-bit pixels.
void CopyPixels(const TPixelStore& from, TPixelStore& to) {
    const std::int32_t width = std::min(from.Width(), to.Width());
    const std::int32_t height = std::min(from.Height(), to.Height());
    const bool whole = width == to.Width() && height == to.Height();
    PrepareForDrawing(to, whole);
    const TRowCodec reader = CodecFor(from.Depth(), from.ColourTable());
    const TRowCodec writer = CodecFor(to.Depth(), to.ColourTable());
    std::vector<std::uint8_t> row(4 * static_cast<std::size_t>(width));
    for (std::int32_t y = 0; y < height; ++y) {
        DecodeSpan(reader, from.RowFromTop(y), 0, width, row.data());
        EncodeSpan(writer, row.data(), width, to.RowFromTop(y), 0, whole, to.Stride());
    }
}

// A 32-bit store this large outgrows the caches: its rows are streamed to memory (see
// StreamingStores.h). Smaller ones stay cached for the write that follows.
constexpr std::size_t kStreamingBytes = std::size_t{4} << 20;
// From this many pixels on, matching a draw to a colour table is shared with a second thread
// (at 1920x1080 it pays for the thread many times over).
constexpr std::int64_t kSharedDrawPixels = std::int64_t{1} << 18;

// The whole 32-bit store from a block that covers it, the block's pixel (x, y) on the store's
// top-left corner.
void StreamPixels32(TPixelStore& store, const TPixels32View& block, std::int64_t x,
                    std::int64_t y) {
    for (std::int32_t row = 0; row < store.Height(); ++row) {
        StreamMasked32(store.RowFromTop(row), block.Row(static_cast<std::int32_t>(row + y)) + 4 * x,
                       static_cast<std::size_t>(store.Width()));
    }
    StreamFence();
}

void CheckSize(std::int32_t value) {
    if (value < 0) {
        throw EInvalidGraphicOperation(Text(TText::InvalidBitmapSize));
    }
}

} // namespace

void TBitmap::SetColumns(std::int32_t value) {
    if (value != FWidth) {
        CheckSize(value);
        Rebuild(value, FHeight, FDepth);
    }
}

void TBitmap::SetRows(std::int32_t value) {
    if (value != FHeight) {
        CheckSize(value);
        Rebuild(FWidth, value, FDepth);
    }
}

void TBitmap::Rebuild(std::int32_t width, std::int32_t height, TPixelDepth depth) {
    // The new store is complete before anything of the bitmap changes.
    std::shared_ptr<TPixelStore> store;
    if (width > 0 && height > 0) {
        store = TPixelStore::Create(width, height, depth);
        if (FStore && !FStore->Blank()) {
            CopyPixels(*FStore, *store);
        }
    }
    FStore = std::move(store);
    FWidth = width;
    FHeight = height;
    FDepth = depth;
}

void TBitmap::SetPixelDepth(TPixelDepth depth) {
    if (depth != FDepth) {
        Rebuild(FWidth, FHeight, depth);
    }
}

void TBitmap::SharePixels(const TBitmap& source) {
    if (&source == this) {
        return;
    }
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FDepth = source.FDepth;
    FStore = source.FStore;
}

void TBitmap::DrawRowBlocks(TRowBlocks& rows) {
    if (!FStore) {
        return;
    }
    if (rows.Width() == FWidth && rows.Height() == FHeight) {
        if (FStore.use_count() > 1) {
            FStore = TPixelStore::Create(FWidth, FHeight, FDepth);
        }
        FStore->PrepareFullWrite(); // every row follows, whole
    }
    for (std::size_t i = 0; i < rows.BlockCount(); ++i) {
        DrawPixels32(0, static_cast<std::int32_t>(i) * rows.BlockRows(), rows.Block(i));
        rows.ReleaseBlock(i);
    }
}

TPixelStore& TBitmap::PrivateStore() {
    if (FStore.use_count() > 1) {
        FStore = FStore->Clone();
    }
    FStore->Materialize();
    return *FStore;
}

void TBitmap::DrawPixels32(std::int32_t x, std::int32_t y, const TPixels32View& block) {
    if (!FStore) {
        return;
    }
    // The part of the block that lands on the bitmap, in 64 bits: nothing here may overflow.
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + block.Width, FWidth);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + block.Height, FHeight);
    if (left >= right || top >= bottom) {
        return;
    }
    const bool whole = left == 0 && top == 0 && right == FWidth && bottom == FHeight;
    // A shared store is left to its other users; nothing changes here until memory is had.
    if (FStore.use_count() > 1) {
        auto fresh = whole ? TPixelStore::Create(FWidth, FHeight, FDepth) : FStore->Clone();
        PrepareForDrawing(*fresh, whole);
        FStore = std::move(fresh);
    } else {
        PrepareForDrawing(*FStore, whole);
    }
    TPixelStore& store = *FStore;
    if (whole && BitsPerPixel(store.Depth()) == 32 && store.SizeImage() >= kStreamingBytes) {
        StreamPixels32(store, block, -std::int64_t{x}, -std::int64_t{y});
        return;
    }
    const TRowCodec writer = CodecFor(store.Depth(), store.ColourTable());
    const auto count = static_cast<std::int32_t>(right - left);
    const bool wholeRows = left == 0 && right == FWidth; // their padding written too
    const auto drawRows = [&](std::int64_t from, std::int64_t to) {
        for (std::int64_t row = from; row < to; ++row) {
            const std::uint8_t* source =
                block.Row(static_cast<std::int32_t>(row - y)) + 4 * (left - x);
            EncodeSpan(writer, source, count, store.RowFromTop(static_cast<std::int32_t>(row)),
                       static_cast<std::int32_t>(left), wholeRows, store.Stride());
        }
    };
    // Matching to a colour table is work for the processor, not the memory: a large draw
    // shares its rows with a second thread. Rows are independent and the matchers read-only.
    const bool paletted = BitsPerPixel(store.Depth()) <= 8;
    if (paletted && (bottom - top) * count >= kSharedDrawPixels) {
        const std::int64_t middle = top + (bottom - top) / 2;
        // A failure on either side is raised here, once both are done: the other thread is
        // joined however this half ends, and nothing leaves the thread's own function.
        std::exception_ptr lowerFailure;
        std::jthread lower;
        try {
            lower = std::jthread([&] {
                try {
                    drawRows(middle, bottom);
                } catch (...) {
                    lowerFailure = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            drawRows(top, bottom); // no second thread to be had: all rows here
            return;
        }
        drawRows(top, middle);
        lower.join();
        if (lowerFailure) {
            std::rethrow_exception(lowerFailure);
        }
        return;
    }
    drawRows(top, bottom);
}

std::uint8_t* TBitmap::RowAddress(std::int32_t row) {
    if (row < 0 || row >= FHeight || !FStore) {
        throw EInvalidGraphicOperation(Text(TText::ScanlineOutOfRange));
    }
    return PrivateStore().RowFromTop(row);
}

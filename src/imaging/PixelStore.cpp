#include "imaging/PixelStore.h"

#include "imaging/PixelCodec.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <cstring>
#include <new>
#include <vector>

TPixelStore::TPixelStore(TToken, std::int32_t width, std::int32_t height, TPixelDepth depth)
    : FWidth(width), FHeight(height), FDepth(depth),
      FStride(static_cast<std::size_t>(RowStride(width, depth))),
      FTable(PaletteForBits(ColourTableSize(depth) ? BitsPerPixel(depth) : 0)) {}

std::shared_ptr<TPixelStore> TPixelStore::Create(std::int32_t width, std::int32_t height,
                                                 TPixelDepth depth) {
    const std::uint64_t bytes = RowStride(width, depth) * static_cast<std::uint64_t>(height);
    if (width <= 0 || height <= 0 || bytes > kMaxBytes) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    return std::make_shared<TPixelStore>(TToken{}, width, height, depth);
}

void TPixelStore::PrepareFullWrite() {
    if (!FBits) {
        try {
            FBits = AcquirePixelMemory(SizeImage());
        } catch (const std::bad_alloc&) {
            throw EOutOfResources(Text(TText::OutOfSystemResources));
        }
    }
    FBlank = false;
}

void TPixelStore::Materialize() {
    if (!FBlank) {
        return;
    }
    const std::uint8_t white[4] = {0xFF, 0xFF, 0xFF, 0};
    std::vector<std::uint8_t> whiteRow(4 * static_cast<std::size_t>(FWidth));
    for (std::size_t i = 0; i < whiteRow.size(); i += 4) {
        std::memcpy(whiteRow.data() + i, white, 4);
    }
    PrepareFullWrite();
    const TRowCodec codec = CodecFor(FDepth, FTable);
    EncodeSpan(codec, whiteRow.data(), FWidth, FBits.get(), 0, true, FStride);
    for (std::int32_t y = 1; y < FHeight; ++y) {
        std::memcpy(FBits.get() + static_cast<std::size_t>(y) * FStride, FBits.get(), FStride);
    }
    FBlank = false;
}

std::shared_ptr<TPixelStore> TPixelStore::Clone() const {
    auto copy = Create(FWidth, FHeight, FDepth);
    copy->FTable = FTable;
    if (!FBlank) {
        copy->PrepareFullWrite();
        std::memcpy(copy->FBits.get(), FBits.get(), SizeImage());
    }
    return copy;
}

#include "app/capture/ClipboardPicture.h"

#include "base/ByteSink.h"
#include "imaging/BmpHeader.h"
#include "imaging/PixelCodec.h"
#include "imaging/PngImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::size_t Stride24(std::int32_t width) {
    return (3 * static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
}

} // namespace

TClipboardPicture::TClipboardPicture(const TBitmap& capture) {
    FCapture.SharePixels(capture);
}

std::size_t TClipboardPicture::DibSize() const {
    const TPixelStore* store = FCapture.Store();
    return store ? kInfoHeaderSize + Stride24(store->Width()) * store->Height() : 0;
}

// The BMP file of the capture at 24 bits less its file header, made row by row from the
// capture's own pixels: no copy of the picture on the way.
void TClipboardPicture::WriteDib(std::uint8_t* target) const {
    const TPixelStore* store = FCapture.Store();
    if (!store) {
        return;
    }
    const std::size_t stride = Stride24(store->Width());
    std::vector<std::uint8_t> header;
    TLittleEndianWriter out(header);
    WriteInfoHeader(out, store->Width(), store->Height(), 24, false,
                    static_cast<std::uint32_t>(stride * store->Height()), 0);
    std::memcpy(target, header.data(), header.size());
    std::uint8_t* rows = target + header.size();

    const auto width = static_cast<std::size_t>(store->Width());
    const TRowCodec codec{store->Depth(), &store->ColourTable(), nullptr}; // decoding only
    constexpr std::int32_t kChunk = 256; // pixels decoded at a time
    std::uint8_t bgrx[4 * kChunk];
    for (std::int32_t y = 0; y < store->Height(); ++y) { // bottom row first, as stored
        std::uint8_t* to = rows + static_cast<std::size_t>(y) * stride;
        std::memset(to + 3 * width, 0, stride - 3 * width);
        if (store->Blank()) {
            std::memset(to, 0xFF, 3 * width); // a store nobody drew on is white
            continue;
        }
        const std::uint8_t* from = store->Bits() + static_cast<std::size_t>(y) * store->Stride();
        if (store->Depth() == TPixelDepth::pd24Bit) {
            std::memcpy(to, from, 3 * width);
            continue;
        }
        for (std::int32_t x = 0; x < store->Width(); x += kChunk) {
            const std::int32_t count = std::min(kChunk, store->Width() - x);
            DecodeSpan(codec, from, x, count, bgrx);
            for (std::int32_t i = 0; i < count; ++i) {
                std::memcpy(to + 3 * static_cast<std::size_t>(x + i), bgrx + 4 * i, 3);
            }
        }
    }
}

std::string TClipboardPicture::Png() const {
    TMemorySink png;
    WritePng(FCapture, png);
    return std::move(png.Bytes);
}

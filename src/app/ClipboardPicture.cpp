#include "app/ClipboardPicture.h"

#include "base/ByteSink.h"
#include "imaging/PngImage.h"

#include <algorithm>

namespace {

// The BMP file's bytes less its 14-byte file header: the packed DIB the clipboard holds.
class TDibSink : public TByteSink {
public:
    explicit TDibSink(std::string& dib) : FDib(dib) {}
    void Write(const void* data, std::size_t size) override {
        const std::size_t skipped = std::min(size, FSkip);
        FSkip -= skipped;
        FDib.append(static_cast<const char*>(data) + skipped, size - skipped);
    }

private:
    std::string& FDib;
    std::size_t FSkip = 14;
};

} // namespace

TClipboardPicture::TClipboardPicture(const TBitmap& capture) {
    FCapture.SharePixels(capture);
}

std::string TClipboardPicture::Dib() const {
    TBitmap wide;
    wide.SharePixels(FCapture);
    wide.SetPixelDepth(TPixelDepth::pd24Bit); // the store is copied, the capture stays
    std::string dib;
    if (const TPixelStore* store = wide.Store()) {
        dib.reserve(store->SizeImage() + 40); // one allocation: the rows and their header
    }
    TDibSink sink(dib);
    wide.WriteBmp(sink);
    return dib;
}

std::string TClipboardPicture::Png() const {
    TMemorySink png;
    WritePng(FCapture, png);
    return std::move(png.Bytes);
}

#include "app/ClipboardPicture.h"

#include "base/ByteSink.h"
#include "imaging/PngImage.h"

namespace {

constexpr std::size_t kBmpFileHeaderBytes = 14; // what a file has before a packed DIB

} // namespace

TClipboardPicture::TClipboardPicture(const TBitmap& capture) {
    FCapture.SharePixels(capture);
}

std::string TClipboardPicture::Dib() const {
    TBitmap wide;
    wide.SharePixels(FCapture);
    wide.SetPixelDepth(TPixelDepth::pd24Bit); // the store is copied, the capture stays
    TMemorySink bmp;
    wide.WriteBmp(bmp);
    return bmp.Bytes.size() > kBmpFileHeaderBytes ? bmp.Bytes.substr(kBmpFileHeaderBytes)
                                                   : std::string();
}

std::string TClipboardPicture::Png() const {
    TMemorySink png;
    WritePng(FCapture, png);
    return std::move(png.Bytes);
}

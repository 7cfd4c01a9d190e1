#pragma once

#include "imaging/Bitmap.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The tallest and widest picture a JPEG file holds (libjpeg's JPEG_MAX_DIMENSION).
inline constexpr std::int64_t kMaxJpegSide = 65500;

// The JPEG writer. Handing a bitmap over only shares its pixels; the image is encoded into
// memory at the first write, and every write after that writes the same bytes.
class TJPEGImage {
public:
    std::uint8_t Quality = 90; // 1 to 100
    bool ProgressiveEncoding = false;
    bool Grayscale = false;

    // Drops the encoded stream and takes the bitmap's pixels; nothing is encoded here.
    void SetSourceBitmap(const TBitmap& bitmap);

    // Encodes if need be, then writes the whole stream in one write. Raises EJPEG for a
    // library error, EOutOfResources when the working copy cannot be made.
    void WriteJpeg(TByteSink& sink);

    // Creates the file first (EFCreateError: nothing is encoded), writes it through a
    // temporary file and publishes it only when complete.
    void SaveJpegFile(const std::string& fileName, IFileSystem& files);

    bool HasEncodedStream() const { return FStream.has_value(); }

private:
    void EncodeSource();

    std::unique_ptr<TBitmap> FSource;
    std::optional<std::string> FStream;
};

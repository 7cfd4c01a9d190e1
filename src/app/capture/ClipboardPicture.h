#pragma once

#include "imaging/Bitmap.h"
#include "platform/Shell.h"

// A saved capture as the clipboard shows it: the colours of the file (the chosen depth's; for
// JPEG the pixels before compression). It shares the capture's pixels and makes its formats
// only when asked.
class TClipboardPicture : public IClipboardPicture {
public:
    explicit TClipboardPicture(const TBitmap& capture);
    // 24 bits, whatever the capture's depth: 0 bytes for a capture without pixels.
    std::size_t DibSize() const override;
    void WriteDib(std::uint8_t* target) const override;
    // At the capture's depth, as its PNG file would be.
    std::string Png() const override;

private:
    TBitmap FCapture;
};
